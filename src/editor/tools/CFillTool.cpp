#include "editor/tools/CFillTool.h"

#include "app/EditorState.h"
#include "document/CDrawFill.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/UndoTexts.h"

#include <QString>

CFillTool::CFillTool() : CDrawTool(kShapeFillTool) {}

void CFillTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    CDrawTool::OnLButtonDown(ctx, flags, point);
    BeginStep(ctx.Document());
    ctx.SetToolCursor(EDrawCursor::Fill);
    const CPoint p = ctx.ClientToDots(point);
    const COLORREF under = ctx.ColorAtDot(p);
    ctx.Document().AddObj(new CDrawFill(CRect(p, p), g_crForeground, under));
}

void CFillTool::OnLButtonUp(IToolContext& ctx, unsigned, CPoint)
{
    // Every fill is a click: the bucket stays the current tool, as the pen does.
    ctx.ReleaseCapture();
    g_rcUpdate.SetRectEmpty();
    if (IDrawView* view = ctx.View()) view->RenderCanvas();
    ctx.SetToolCursor(EDrawCursor::Fill);
    EndStep(kStepFill);
}

void CFillTool::OnMouseMove(IToolContext& ctx, unsigned, CPoint)
{
    ctx.SetToolCursor(EDrawCursor::Fill);
}
