#pragma once
// A flood fill: the unlit area around its seed point (the rectangle's top-left corner)
// takes the object's line colour.

#include "document/CDrawObj.h"

class CDrawFill : public CDrawObj {
public:
    CDrawFill();
    CDrawFill(const CRect& position, COLORREF crLine, COLORREF crFill);

    const char* GetRuntimeClassName() const override { return "CDrawFill"; }
    void Serialize(CArchive& ar) override;
    void Draw(CRasterDC& dc, IDrawView* view) override;
    CDrawObj* CloneInto(CVemtDoc* doc) override;
};
