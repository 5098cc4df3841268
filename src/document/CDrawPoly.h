#pragma once
// A closed polygon through its corner points, drawn in order, the last joined to the first.

#include "document/CDrawObj.h"

#include <vector>

// The stored point count has 16 bits.
constexpr int kMaxPolyPoints = 0xFFFF;

class CDrawPoly : public CDrawObj {
public:
    CDrawPoly();
    CDrawPoly(const CRect& position, COLORREF crLine, COLORREF crFill, int penWidth, int fillMode);

    const char* GetRuntimeClassName() const override { return "CDrawPoly"; }
    void Serialize(CArchive& ar) override;

    int HandleCount() override;
    CPoint HandlePoint(int nHandle) override;
    EDrawCursor HandleCursor(int nHandle) override;
    void Draw(CRasterDC& dc, IDrawView* view) override;
    void MoveToRect(const CRect& position, IDrawView* view, bool redraw) override;
    bool TouchesRect(const CRect& rect) override;
    void DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw) override;
    CDrawObj* CloneInto(CVemtDoc* doc) override;

    // Appends a point unless it repeats the last one.
    void AddPoint(CPoint point, IDrawView* view);
    // The position becomes the points' bounding box; true when that changed it.
    bool RecalcBounds();

    int m_nPoints = 0;
    int m_nAllocPoints = 0;         // slots reserved, in steps of 10 (stored with the points)
    std::vector<CPoint> m_pPoints;  // m_nPoints corner points
};
