#include "editor/tools/CEyeDropper.h"

#include "app/EditorState.h"
#include "editor/tools/CDrawTool.h"
#include "editor/tools/IToolContext.h"

bool CEyeDropper::Pick(IToolContext& ctx, Button button, CPoint point)
{
    const COLORREF colour = ctx.ColorAtDot(ctx.ClientToDots(point));
    COLORREF& target = button == Button::Left ? g_crForeground : g_crBackground;
    if (target == colour) return false;
    target = colour;
    return true;
}

bool CEyeDropper::OnPress(IToolContext& ctx, Button button, CPoint point)
{
    ctx.SetCapture();
    return Pick(ctx, button, point);
}

bool CEyeDropper::OnMove(IToolContext& ctx, unsigned buttons, CPoint point)
{
    ctx.SetToolCursor(EDrawCursor::EyeDrop);
    if (buttons & kMkRButton) return Pick(ctx, Button::Right, point);
    if (buttons & kMkLButton) return Pick(ctx, Button::Left, point);
    return false;
}

bool CEyeDropper::OnRelease(IToolContext& ctx, Button button, CPoint point)
{
    const bool changed = Pick(ctx, button, point);
    ctx.ReleaseCapture();
    ctx.ReturnToSelectMode();
    return changed;
}
