#include "editor/tools/CPenTool.h"

#include "app/EditorState.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "document/SelectMode.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/UndoTexts.h"

#include <QString>

CPenTool::CPenTool() : CDrawTool(kShapePenTool) {}

void CPenTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    CDrawTool::OnLButtonDown(ctx, flags, point);
    BeginStep(ctx.Document());
    const CPoint p = ctx.ClientToDots(point);
    m_pStroke = new CStroke(1, g_crForeground);
    ctx.Document().AddObj(m_pStroke);
    m_pStroke->m_aPoints.push_back(p);
    m_ptLastDot = p;
    m_pStroke->RecalcBounds();
    m_pStroke->m_rcPosition = m_pStroke->m_rcBounds;
    ctx.SelectObj(m_pStroke, false, true);
    ctx.SetToolCursor(EDrawCursor::Pen);
    g_nSelectMode = SM_SIZE;
    g_nDragHandle = m_pStroke->HandleCount();
}

void CPenTool::Append(IToolContext& ctx, CPoint dot)
{
    m_pStroke->m_aPoints.push_back(dot);
    m_pStroke->RecalcBounds();
    // Only the new segment needs drawing again (with room for the handles around it).
    CRect segment = CRect(m_ptLastDot, dot).Normalized();
    segment.right += 1;
    segment.bottom += 1;
    CRect joined;
    joined.UnionRect(g_rcUpdate.Normalized(), segment);
    g_rcUpdate = joined;
    m_ptLastDot = dot;
    if (m_pStroke->m_pDocument) m_pStroke->m_pDocument->SetModifiedFlag();
    (void)ctx;
}

void CPenTool::OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point)
{
    if (!ctx.HasCapture() || !m_pStroke) {
        CDrawTool::OnMouseMove(ctx, flags, point);
        ctx.SetToolCursor(EDrawCursor::Pen);
        return;
    }
    ctx.SetToolCursor(EDrawCursor::Pen);
    Append(ctx, ctx.ClientToDots(point));
    if (IDrawView* view = ctx.View()) view->RenderCanvas();
}

void CPenTool::OnLButtonUp(IToolContext& ctx, unsigned, CPoint point)
{
    if (!ctx.HasCapture() || !m_pStroke) return;
    Append(ctx, ctx.ClientToDots(point));
    m_pStroke->m_rcPosition = m_pStroke->m_rcBounds;
    ctx.ReleaseCapture();
    if (m_pStroke->IsExtended()) g_rcUpdate.SetRectEmpty();
    if (IDrawView* view = ctx.View()) view->RenderCanvas();
    m_pStroke = nullptr;
    EndStep(kStepPen);
}

void CPenTool::OnCancel(IToolContext& ctx)
{
    ctx.ReleaseCapture();
    if (m_pStroke) {
        m_pStroke->m_rcPosition = m_pStroke->m_rcBounds;
        m_pStroke = nullptr;
        EndStep(kStepPen);
    }
    CDrawTool::OnCancel(ctx);
}

void CPenTool::Forget(CVemtDoc& doc)
{
    if (m_pStroke && m_pStroke->m_pDocument == &doc) m_pStroke = nullptr;
}
