#pragma once
// Rectangle, round rectangle, oval and straight line.

#include "document/CDrawObj.h"

#include <vector>

constexpr int kShapeRectangle = 0;
constexpr int kShapeRoundRect = 1;
constexpr int kShapeOval = 2;
constexpr int kShapeLine = 3;

class CDrawRect : public CDrawObj {
public:
    CDrawRect();
    CDrawRect(const CRect& position, COLORREF crLine, COLORREF crFill, int penWidth, int fillMode);

    const char* GetRuntimeClassName() const override { return "CDrawRect"; }
    void Serialize(CArchive& ar) override;

    int HandleCount() override;
    CPoint HandlePoint(int nHandle) override;
    EDrawCursor HandleCursor(int nHandle) override;
    void Draw(CRasterDC& dc, IDrawView* view) override;
    bool TouchesRect(const CRect& rect) override;
    void DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw) override;
    CDrawObj* CloneInto(CVemtDoc* doc) override;

    std::vector<CPoint> m_aOutline;  // scratch for TouchesRect; empty between calls
    int m_nShape = kShapeRectangle;
    CPoint m_ptRound{16, 16};        // rounding width (x) and height (y)

protected:
    // The dots of an ellipse outline with semi-axes a, b around the origin, midpoint
    // algorithm, appended to m_aOutline: the first quadrant in order, or all four.
    void BuildEllipseOutline(int a, int b, bool wholeEllipse);

private:
    bool RectangleTouches(const CRect& shape, const CRect& r) const;
    bool OvalTouches(const CRect& r);
    bool RoundRectTouches(const CRect& r);
};
