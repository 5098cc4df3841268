#include "editor/tools/CArcTool.h"

#include "app/EditorState.h"
#include "document/CDrawArc.h"
#include "document/CVemtDoc.h"
#include "document/SelectMode.h"
#include "editor/tools/CRectTool.h"
#include "editor/tools/CSelectTool.h"
#include "editor/tools/DrawToolSet.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/UndoTexts.h"

#include <QString>

CArcTool::CArcTool() : CDrawTool(kShapeArcTool) {}

void CArcTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    CDrawTool::OnLButtonDown(ctx, flags, point);
    BeginStep(ctx.Document());
    const CPoint p = ctx.ClientToDots(point);
    m_pDrawObj = new CDrawArc(p, g_nLineWidth, g_crForeground);
    ctx.Document().AddObj(m_pDrawObj);
    ctx.SelectObj(m_pDrawObj, false, true);
    g_nSelectMode = SM_SIZE;
    g_nDragHandle = 4;
    c_lastDot = p;
}

void CArcTool::OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point)
{
    if ((flags & kMkLButton) && m_pDrawObj) {
        const CPoint p = ctx.ClientToDots(point);
        m_pDrawObj->m_ptEnd = p;
        m_pDrawObj->m_ptCtrl2 = p;
        g_nDragHandle = m_pDrawObj->HandleCount();
    }
    SelectTool().OnMouseMove(ctx, flags, point);
}

void CArcTool::OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point)
{
    if (point == c_down) {
        DiscardNewObject(ctx, m_pDrawObj);
        m_pDrawObj = nullptr;
        DropStep();
        return;
    }
    SelectTool().OnLButtonUp(ctx, flags, point);
    m_pDrawObj = nullptr;
    EndStep(kStepArc);
}

void CArcTool::OnCancel(IToolContext& ctx)
{
    ctx.ReleaseCapture();
    if (m_pDrawObj) {
        m_pDrawObj = nullptr;
        EndStep(kStepArc);
    }
    CDrawTool::OnCancel(ctx);
}

void CArcTool::Forget(CVemtDoc& doc)
{
    if (m_pDrawObj && m_pDrawObj->m_pDocument == &doc) m_pDrawObj = nullptr;
}
