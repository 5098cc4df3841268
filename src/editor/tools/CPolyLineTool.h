#pragma once
// A polygon point by point: each press fixes the point that follows the mouse and adds a
// new one a dot to its right; a press on the first point closes it, a double click ends
// it, Esc keeps what is there. Fewer than 3 points, or a point repeated, make nothing.

#include "editor/tools/CDrawTool.h"

class CDrawPoly;

class CPolyLineTool : public CDrawTool {
public:
    CPolyLineTool();

    void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnCancel(IToolContext& ctx) override;

    // A polygon is being drawn.
    bool IsDrawing() const { return m_pDrawObj != nullptr; }
    // Ends the polygon being drawn as Esc does (kept when sound, dropped otherwise),
    // without changing the tool: another tool was chosen.
    void EndDrawing(IToolContext& ctx);

protected:
    void Forget(CVemtDoc& doc) override;

private:
    // Removes and destroys the polygon when it cannot stand; true when it did.
    bool DiscardIfUnsound(IToolContext& ctx);

    CDrawPoly* m_pDrawObj = nullptr;
};
