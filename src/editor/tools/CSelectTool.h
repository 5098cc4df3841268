#pragma once
// Selects, moves and resizes: a press on a handle of the one selected object sizes it, a
// press on an object moves the selection (Shift adds or removes, Ctrl leaves copies
// behind), a press on nothing draws a rubber band that selects what it touches. The
// creating tools share its drag: they select their new object and move one of its handles.

#include "editor/tools/CDrawTool.h"

class CSelectTool : public CDrawTool {
public:
    CSelectTool();

    void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnEditProperties(IToolContext& ctx) override;

private:
    bool m_bCloned = false;  // this drag left copies behind
};
