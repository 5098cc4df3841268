#include "editor/tools/CRectTool.h"

#include "app/EditorState.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "document/SelectMode.h"
#include "editor/tools/CSelectTool.h"
#include "editor/tools/DrawToolSet.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/UndoTexts.h"

#include <QString>

#include <cstdlib>

CRectTool::CRectTool(int toolShape) : CDrawTool(toolShape) {}

int CRectTool::ObjectShapeFor(int toolShape)
{
    switch (toolShape) {
    case kShapeLineTool: return kShapeLine;
    case kShapeRoundRectTool: return kShapeRoundRect;
    case kShapeOvalTool: return kShapeOval;
    default: return kShapeRectangle;
    }
}

void CRectTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    CDrawTool::OnLButtonDown(ctx, flags, point);
    const CPoint p = ctx.ClientToDots(point);
    BeginStep(ctx.Document());
    auto* obj = new CDrawRect(CRect(p, p), g_crForeground, g_crBackground, g_nLineWidth, g_nFillStyle);
    obj->m_nShape = ObjectShapeFor(Shape());
    obj->m_nCreateShape = obj->m_nShape;
    if (obj->m_nShape == kShapeRoundRect) obj->m_ptRound = p;
    ctx.Document().AddObj(obj);
    ctx.SelectObj(obj, false, true);
    m_pDrawObj = obj;
    g_nSelectMode = SM_SIZE;
    g_nDragHandle = 1;
    c_lastDot = p;
}

void CRectTool::OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point)
{
    ctx.SetToolCursor(EDrawCursor::Select);
    SelectTool().OnMouseMove(ctx, flags, point);
    if (flags == kMkLButton && m_pDrawObj) {
        const CRect r = m_pDrawObj->m_rcPosition.Normalized();
        m_pDrawObj->m_ptRound = CPoint(r.Width() / 2, r.Height() / 2);
    }
}

void DiscardNewObject(IToolContext& ctx, CDrawObj* made)
{
    if (made) {
        ctx.Document().RemoveObj(made);
        made->RemoveObject(ctx.View(), false);
    }
    ctx.ReleaseCapture();
    // The handles of the discarded object go from the screen too.
    g_rcUpdate.SetRectEmpty();
    if (IDrawView* view = ctx.View()) view->RenderCanvas();
}

void CRectTool::OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point)
{
    if (point == c_down) {
        DiscardNewObject(ctx, m_pDrawObj);
        m_pDrawObj = nullptr;
        DropStep();
        return;
    }
    if (m_pDrawObj && m_pDrawObj->m_nShape != kShapeLine) {
        CRect r = m_pDrawObj->m_rcPosition.Normalized();
        if (r.IsRectEmpty()) {
            // A drag without width or height still makes a dot-wide shape.
            if (r.left == r.right) r.right += 1;
            else r.bottom += 1;
        }
        m_pDrawObj->m_rcPosition = r;
    }
    SelectTool().OnLButtonUp(ctx, flags, point);
    const char* names[] = {kStepRectangle, kStepRoundRect, kStepOval, kStepLine};
    EndStep(names[ObjectShapeFor(Shape())]);
    m_pDrawObj = nullptr;
}

void CRectTool::OnLButtonDblClk(IToolContext&, unsigned, CPoint) {}

void CRectTool::OnCancel(IToolContext& ctx)
{
    ctx.ReleaseCapture();
    if (m_pDrawObj) {
        if (m_pDrawObj->m_nShape != kShapeLine) m_pDrawObj->m_rcPosition.NormalizeRect();
        m_pDrawObj = nullptr;
        const char* names[] = {kStepRectangle, kStepRoundRect, kStepOval, kStepLine};
        EndStep(names[ObjectShapeFor(Shape())]);
    }
    CDrawTool::OnCancel(ctx);
}

void CRectTool::Forget(CVemtDoc& doc)
{
    if (m_pDrawObj && m_pDrawObj->m_pDocument == &doc) m_pDrawObj = nullptr;
}
