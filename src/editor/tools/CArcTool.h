#pragma once
// A curve: the press makes it at the point, the drag carries its end and second control
// point, the release keeps it (a click without movement makes nothing).

#include "editor/tools/CDrawTool.h"

class CDrawArc;

class CArcTool : public CDrawTool {
public:
    CArcTool();

    void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnCancel(IToolContext& ctx) override;

protected:
    void Forget(CVemtDoc& doc) override;

private:
    CDrawArc* m_pDrawObj = nullptr;
};
