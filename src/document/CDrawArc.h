#pragma once
// A cubic Bezier curve: two end points and two control points.

#include "document/CDrawObj.h"

class CDrawArc : public CDrawObj {
public:
    CDrawArc();
    // A new curve at p, its first control point 5 dots right of and 5 dots above it.
    CDrawArc(CPoint p, int penWidth, COLORREF crLine);

    const char* GetRuntimeClassName() const override { return "CDrawArc"; }
    void Serialize(CArchive& ar) override;

    int HandleCount() override;
    CPoint HandlePoint(int nHandle) override;
    EDrawCursor HandleCursor(int nHandle) override;
    void Draw(CRasterDC& dc, IDrawView* view) override;
    void MoveToRect(const CRect& position, IDrawView* view, bool redraw) override;
    bool TouchesRect(const CRect& rect) override;
    void DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw) override;
    CDrawObj* CloneInto(CVemtDoc* doc) override;

    // The position becomes the four points' bounding box; true when that changed it.
    bool RecalcBounds();
    // Sample k of the curve, 0 (start) to 2000 (end), as the touch test walks it.
    CPoint Sample(int k) const;

    CPoint m_ptCtrl1;
    CPoint m_ptCtrl2;
    CPoint m_ptStart;
    CPoint m_ptEnd;

private:
    CPoint* HandleMember(int nHandle);
};
