#pragma once
// Line, rectangle, round rectangle and oval: a press makes the object at the point, the
// drag moves its first handle, the release keeps it (a click without movement makes
// nothing). One instance per shape.

#include "editor/tools/CDrawTool.h"

class CDrawObj;
class CDrawRect;

class CRectTool : public CDrawTool {
public:
    explicit CRectTool(int toolShape);

    void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point) override;
    // Esc during a drag keeps what was dragged so far, as one step.
    void OnCancel(IToolContext& ctx) override;

    // The object shape (`m_nShape`) this tool shape makes.
    static int ObjectShapeFor(int toolShape);

protected:
    void Forget(CVemtDoc& doc) override;

private:
    CDrawRect* m_pDrawObj = nullptr;
};

// A click without movement: the object the press made (the newest selected one) goes
// again, and the mode stays. Shared by the rectangle family and the arc tool.
void DiscardNewObject(IToolContext& ctx, CDrawObj* made);
