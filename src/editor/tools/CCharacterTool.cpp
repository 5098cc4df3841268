#include "editor/tools/CCharacterTool.h"

#include "app/EditorState.h"
#include "document/CDrawObj.h"
#include "document/CVemtDoc.h"
#include "document/SelectMode.h"
#include "editor/tools/CSelectTool.h"
#include "editor/tools/DrawToolSet.h"
#include "editor/tools/IToolContext.h"

CCharacterTool::CCharacterTool() : CDrawTool(kShapeCharacterTool) {}

void CCharacterTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    CDrawTool::OnLButtonDown(ctx, flags, point);
    const CPoint p = ctx.ClientToDots(point);
    CVemtDoc& doc = ctx.Document();
    const std::size_t before = doc.m_objects.size();
    ctx.BeginNewText(p);
    m_pDrawObj = nullptr;
    if (doc.m_objects.size() <= before) return;  // no text object could be made
    m_pDrawObj = doc.m_objects.back();
    ctx.SelectObj(m_pDrawObj, false, true);
    g_nSelectMode = SM_SIZE;
    g_nDragHandle = 1;
    c_lastDot = p;
}

void CCharacterTool::OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point)
{
    if ((flags & kMkLButton) && m_pDrawObj && ctx.HasCapture()) {
        // The drag sizes the box by its last handle.
        g_nDragHandle = m_pDrawObj->HandleCount();
        SelectTool().OnMouseMove(ctx, flags, point);
        return;
    }
    CDrawTool::OnMouseMove(ctx, flags, point);
}

void CCharacterTool::OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point)
{
    CDrawTool::OnLButtonUp(ctx, flags, point);
    if (m_pDrawObj) m_pDrawObj->m_rcPosition.NormalizeRect();
    m_pDrawObj = nullptr;
}

void CCharacterTool::OnLButtonDblClk(IToolContext& ctx, unsigned flags, CPoint point)
{
    CDrawObj* obj = ctx.Document().ObjectAt(ctx.ClientToDots(point));
    if (!obj || obj->m_nKind != kKindText) return;
    if (flags & kMkShift) {
        ctx.DeselectObj(obj);
        return;
    }
    ctx.EditText(obj);
}

void CCharacterTool::Forget(CVemtDoc& doc)
{
    if (m_pDrawObj && m_pDrawObj->m_pDocument == &doc) m_pDrawObj = nullptr;
}
