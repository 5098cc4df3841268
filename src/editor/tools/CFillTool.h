#pragma once
// The bucket: a click floods the unlit area around the dot with the foreground colour.
// It stays the current tool.

#include "editor/tools/CDrawTool.h"

class CFillTool : public CDrawTool {
public:
    CFillTool();

    void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point) override;
    void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point) override;
};
