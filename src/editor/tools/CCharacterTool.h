#pragma once
// Text: a press makes a text object at the point and opens the text entry window for it;
// a drag sizes its box until the text is measured; a double click on a text object opens it
// for editing (with Shift it leaves the selection instead).

#include "editor/tools/CDrawTool.h"

class CCharacterTool : public CDrawTool {
public:
    CCharacterTool();

    void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonDblClk(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point) override;

protected:
    void Forget(CVemtDoc& doc) override;

private:
    CDrawObj* m_pDrawObj = nullptr;
};
