#pragma once
// A freehand pen stroke: the dots the pen passed, joined in order by lines.

#include "document/CDrawObj.h"

#include <vector>

class CStroke : public CDrawObj {
public:
    CStroke();
    CStroke(int penWidth, COLORREF color);

    const char* GetRuntimeClassName() const override { return "CStroke"; }
    void Serialize(CArchive& ar) override;

    int HandleCount() override;
    CPoint HandlePoint(int nHandle) override;
    EDrawCursor HandleCursor(int nHandle) override;
    void Draw(CRasterDC& dc, IDrawView* view) override;
    void MoveToRect(const CRect& position, IDrawView* view, bool redraw) override;
    bool TouchesRect(const CRect& rect) override;
    void DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw) override;
    CDrawObj* CloneInto(CVemtDoc* doc) override;
    std::vector<CRect> HandleSquares(int trackerState, IDrawView* view) override;

    // False for a single dot: fewer than two points, or all points equal.
    bool IsExtended() const;
    // m_rcBounds becomes the points' bounding box (empty without points); true when changed.
    bool RecalcBounds();

    std::vector<CPoint> m_aPoints;
    CRect m_rcBounds;
};
