#pragma once
// Freehand: every mouse position while the button is down joins the stroke, one dot wide.
// The pen stays the current tool and the stroke stays selected.

#include "editor/tools/CDrawTool.h"

class CStroke;

class CPenTool : public CDrawTool {
public:
    CPenTool();

    void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnCancel(IToolContext& ctx) override;

protected:
    void Forget(CVemtDoc& doc) override;

private:
    // Appends a point and makes the new segment pending for the next rendering.
    void Append(IToolContext& ctx, CPoint dot);

    CStroke* m_pStroke = nullptr;
    CPoint m_ptLastDot;
};
