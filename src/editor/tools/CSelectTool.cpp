#include "editor/tools/CSelectTool.h"

#include "app/EditorState.h"
#include "document/CDrawObj.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "document/SelectMode.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/UndoTexts.h"

#include <QString>

namespace {
CRect Band(CPoint a, CPoint b)
{
    return CRect(a, b).Normalized();
}
}  // namespace

CSelectTool::CSelectTool() : CDrawTool(kShapeSelect) {}

void CSelectTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    ctx.SetToolCursor(EDrawCursor::Select);
    const CPoint p = ctx.ClientToDots(point);
    IDrawView* view = ctx.View();
    const bool shift = flags & kMkShift;
    const bool selectMode = g_nDrawMode == kDrawModeSelect;
    BeginStep(ctx.Document());
    m_bCloned = false;

    g_nSelectMode = SM_NONE;
    const auto& sel = ctx.Selection();
    if (sel.size() == 1) {
        const int handle = sel[0]->HitTestPoint(p, view, true);
        if (handle != 0) {
            g_nDragHandle = handle;
            g_nSelectMode = SM_SIZE;
        }
    }
    if (g_nSelectMode == SM_NONE) {
        if (CDrawObj* obj = ctx.Document().ObjectAt(p)) {
            g_nSelectMode = SM_MOVE;
            if (!ctx.IsSelected(obj)) ctx.SelectObj(obj, shift, true);
            else if (shift && selectMode) ctx.DropFromSelection(obj);
            if ((flags & kMkControl) && selectMode) {
                ctx.CloneSelection();
                m_bCloned = true;
            }
        }
    }
    if (g_nSelectMode == SM_NONE) {
        if (!shift) ctx.SelectObj(nullptr, false, true);
        g_nSelectMode = SM_NETSELECT;
        ctx.ShowFocusRect(Band(point, point));
    }
    c_lastDot = p;
    CDrawTool::OnLButtonDown(ctx, flags, point);
}

void CSelectTool::OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point)
{
    const auto& sel = ctx.Selection();
    if (!ctx.HasCapture()) {
        if (g_nToolShape == kShapeSelect && sel.size() == 1) {
            const CPoint p = ctx.ClientToDots(point);
            if (const int handle = sel[0]->HitTestPoint(p, ctx.View(), true)) {
                ctx.SetToolCursor(sel[0]->HandleCursor(handle));
                return;
            }
        }
        CDrawTool::OnMouseMove(ctx, flags, point);
        return;
    }
    if (g_nSelectMode == SM_NETSELECT) {
        ctx.ShowFocusRect(Band(c_down, point));
        CDrawTool::OnMouseMove(ctx, flags, point);
        return;
    }
    const CPoint p = ctx.ClientToDots(point);
    const CPoint delta = p - c_lastDot;
    IDrawView* view = ctx.View();
    // A copy: moving or sizing may change what the view keeps.
    const std::vector<CDrawObj*> objects(sel);
    for (std::size_t i = 0; i < objects.size(); ++i) {
        CDrawObj* obj = objects[i];
        const bool last = i + 1 == objects.size();
        if (g_nSelectMode == SM_SIZE) {
            obj->DragHandle(g_nDragHandle, p, view, last);
        } else if (g_nSelectMode == SM_MOVE) {
            CRect r = obj->m_rcPosition;
            r.OffsetRect(delta.x, delta.y);
            obj->MoveToRect(r, view, last);
        }
    }
    c_lastDot = p;
    if (g_nSelectMode == SM_SIZE && g_nToolShape == kShapeSelect && sel.size() == 1)
        ctx.SetToolCursor(sel[0]->HandleCursor(g_nDragHandle));
}

void CSelectTool::OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point)
{
    if (ctx.HasCapture()) {
        if (g_nSelectMode == SM_NETSELECT) {
            ctx.ShowFocusRect(CRect());
            ctx.SelectWithinRect(Band(c_down, c_last), true);
        } else if (g_nSelectMode == SM_MOVE || g_nSelectMode == SM_SIZE) {
            ctx.Document().UpdateAllViews(ctx.View(), UPD_ALL);
        }
    }
    // The creating tools end their own steps; the select tool's are moves and sizes.
    if (g_nToolShape == kShapeSelect) {
        if (g_nSelectMode == SM_SIZE) EndStep(kStepResize);
        else if (g_nSelectMode == SM_MOVE) EndStep(m_bCloned ? kStepCopy : kStepMove);
        else DropStep();
    }
    CDrawTool::OnLButtonUp(ctx, flags, point);
}

void CSelectTool::OnLButtonDblClk(IToolContext& ctx, unsigned flags, CPoint point)
{
    const auto& sel = ctx.Selection();
    if (flags & kMkShift) {
        if (CDrawObj* obj = ctx.Document().ObjectAt(ctx.ClientToDots(point))) ctx.DeselectObj(obj);
    } else if (sel.size() == 1) {
        sel[0]->OpenObject(ctx.View());
    }
}

void CSelectTool::OnEditProperties(IToolContext& ctx)
{
    const auto& sel = ctx.Selection();
    if (sel.size() == 1) sel[0]->EditProperties();
}
