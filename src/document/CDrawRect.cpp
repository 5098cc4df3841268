#include "document/CDrawRect.h"

#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "raster/CRasterDC.h"

#include <algorithm>

CDrawRect::CDrawRect()
{
    m_nKind = kKindRect;
}

CDrawRect::CDrawRect(const CRect& position, COLORREF crLine, COLORREF crFill, int penWidth,
                     int fillMode)
    : CDrawObj(position, crLine, crFill, penWidth, fillMode)
{
    m_nKind = kKindRect;
}

void CDrawRect::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteU16(std::uint16_t(m_nShape));
        ar.WriteI32(m_ptRound.x);
        ar.WriteI32(m_ptRound.y);
    } else {
        m_nShape = ar.ReadU16();
        m_ptRound.x = ar.ReadI32();
        m_ptRound.y = ar.ReadI32();
        if (!ar.Failed() && (!IsStorableCoordinate(m_ptRound.x) || !IsStorableCoordinate(m_ptRound.y)))
            ar.SetError("a round rectangle has an impossible rounding");
    }
}

int CDrawRect::HandleCount()
{
    if (m_nShape == kShapeLine) return 2;
    if (m_nShape == kShapeRoundRect) return 9;
    return CDrawObj::HandleCount();
}

CPoint CDrawRect::HandlePoint(int nHandle)
{
    if (m_nShape == kShapeLine && nHandle == 2) return CDrawObj::HandlePoint(5);
    if (m_nShape == kShapeRoundRect && nHandle == 9) {
        const CRect n = m_rcPosition.Normalized();
        const CPoint p(n.right - m_ptRound.x / 2, n.bottom - m_ptRound.y / 2);
        if (n.PtInRect(p)) return p;
        if (n.left == n.right && n.top == n.bottom) return {n.right, n.bottom};
        return {n.right - 2, n.bottom - 2};
    }
    return CDrawObj::HandlePoint(nHandle);
}

EDrawCursor CDrawRect::HandleCursor(int nHandle)
{
    if (m_nShape == kShapeLine && nHandle == 2) return CDrawObj::HandleCursor(5);
    if (m_nShape == kShapeRoundRect && nHandle == 9) return EDrawCursor::SizeAll;
    return CDrawObj::HandleCursor(nHandle);
}

void CDrawRect::DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw)
{
    if (m_nShape == kShapeLine && nHandle == 2) nHandle = 5;
    if (m_nShape != kShapeRoundRect || nHandle != 9) {
        CDrawObj::DragHandle(nHandle, point, view, redraw);
        return;
    }

    const CRect n = m_rcPosition.Normalized();
    int x = std::min(point.x, n.right - 1);
    x = std::max(x, n.left + (n.right - n.left) / 2);
    int y = std::min(point.y, n.bottom - 1);
    y = std::max(y, n.top + (n.bottom - n.top) / 2);
    m_ptRound = CPoint(2 * (n.right - x), 2 * (n.bottom - y));

    if (m_pDocument) m_pDocument->SetModifiedFlag();
    if (!view) {
        if (m_pDocument) m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, this);
    } else if (redraw) {
        const CPoint h = HandlePoint(9);
        g_rcUpdate.UnionRect(n, CRect(h.x - kHandleReach, h.y - kHandleReach, h.x + kHandleReach,
                                      h.y + kHandleReach));
        view->RenderCanvas();
    }
}

void CDrawRect::BuildEllipseOutline(int a, int b, bool wholeEllipse)
{
    const std::size_t first = m_aOutline.size();
    const double a2 = double(a) * a;
    const double b2 = double(b) * b;
    int x = 0;
    int y = b;
    double dx = 0;
    double dy = 2 * a2 * y;
    double d1 = b2 - a2 * b + a2 / 4;
    while (dx < dy) {
        m_aOutline.emplace_back(x, y);
        ++x;
        dx += 2 * b2;
        if (d1 < 0) {
            d1 += dx + b2;
        } else {
            --y;
            dy -= 2 * a2;
            d1 += dx - dy + b2;
        }
    }
    double d2 = b2 * (x + 0.5) * (x + 0.5) + a2 * (double(y) - 1) * (double(y) - 1) - a2 * b2;
    while (y >= 0) {
        m_aOutline.emplace_back(x, y);
        --y;
        dy -= 2 * a2;
        if (d2 > 0) {
            d2 += a2 - dy;
        } else {
            ++x;
            dx += 2 * b2;
            d2 += dx - dy + a2;
        }
    }
    if (!wholeEllipse) return;
    const std::size_t quadrant = m_aOutline.size();
    for (std::size_t i = first; i < quadrant; ++i)
        m_aOutline.emplace_back(m_aOutline[i].x, -m_aOutline[i].y);
    const std::size_t half = m_aOutline.size();
    for (std::size_t i = first; i < half; ++i)
        m_aOutline.emplace_back(-m_aOutline[i].x, m_aOutline[i].y);
}

bool CDrawRect::RectangleTouches(const CRect& s, const CRect& r) const
{
    return SegmentTouchesRect(s.left, s.top, s.right, s.top, r) ||
           SegmentTouchesRect(s.right, s.top, s.right, s.bottom, r) ||
           SegmentTouchesRect(s.right, s.bottom, s.left, s.bottom, r) ||
           SegmentTouchesRect(s.left, s.bottom, s.left, s.top, r);
}

bool CDrawRect::OvalTouches(const CRect& r)
{
    const CRect n = m_rcPosition.Normalized();
    const int a = (n.right - n.left) / 2;
    const int b = (n.bottom - n.top) / 2;
    const CPoint c(n.left + (n.right - n.left) / 2, n.top + (n.bottom - n.top) / 2);
    // Every outline dot lies within the ellipse's box (edges included).
    CRect overlap;
    if (!overlap.IntersectRect(CRect(c.x - a, c.y - b, c.x + a + 1, c.y + b + 1), r)) return false;

    BuildEllipseOutline(a, b, true);
    bool touches = false;
    for (const CPoint& p : m_aOutline) {
        if (r.PtInRect(p + c)) {
            touches = true;
            break;
        }
    }
    m_aOutline.clear();
    return touches;
}

bool CDrawRect::RoundRectTouches(const CRect& r)
{
    const CRect n = m_rcPosition.Normalized();
    const int hx = m_ptRound.x / 2;
    const int hy = m_ptRound.y / 2;
    if (hx == 0 || hy == 0) return RectangleTouches(n, r);
    const CPoint centre(n.left + (n.right - n.left) / 2, n.top + (n.bottom - n.top) / 2);
    if (m_ptRound == centre) return OvalTouches(r);
    // With a positive rounding every outline dot lies in the rectangle, edges included.
    CRect overlap;
    if (hx > 0 && hy > 0 &&
        !overlap.IntersectRect(CRect(n.left, n.top, n.right + 1, n.bottom + 1), r))
        return false;

    if (SegmentTouchesRect(n.left + hx, n.top, n.right - hx, n.top, r) ||
        SegmentTouchesRect(n.right, n.top + hy, n.right, n.bottom - hy, r) ||
        SegmentTouchesRect(n.right - hx, n.bottom, n.left + hx, n.bottom, r) ||
        SegmentTouchesRect(n.left, n.bottom - hy, n.left, n.top + hy, r))
        return true;

    BuildEllipseOutline(hx, hy, false);
    bool touches = false;
    for (const CPoint& q : m_aOutline) {
        const int x = n.right - hx + q.x;
        const int y = n.bottom - hy + q.y;
        const int mirroredX = n.right - x + n.left;
        const int mirroredY = n.bottom - y + n.top;
        if (r.PtInRect({x, y}) || r.PtInRect({x, mirroredY}) || r.PtInRect({mirroredX, y}) ||
            r.PtInRect({mirroredX, mirroredY})) {
            touches = true;
            break;
        }
    }
    m_aOutline.clear();
    return touches;
}

bool CDrawRect::TouchesRect(const CRect& rect)
{
    const CRect r = rect.Normalized();
    switch (m_nShape) {
    case kShapeRectangle: return RectangleTouches(m_rcPosition, r);
    case kShapeRoundRect: return RoundRectTouches(r);
    case kShapeOval: return OvalTouches(r);
    case kShapeLine:
        return SegmentTouchesRect(m_rcPosition.left, m_rcPosition.top, m_rcPosition.right,
                                  m_rcPosition.bottom, r);
    default: return CDrawObj::TouchesRect(r);
    }
}

void CDrawRect::Draw(CRasterDC& dc, IDrawView* view)
{
    const CRect& p = m_rcPosition;
    CRect area;
    if (GetDrawArea(view, area)) {
        if (m_nShape == kShapeLine) {
            if (!SegmentTouchesRect(p.left, p.top, p.right, p.bottom, area)) return;
        } else {
            CRect overlap;
            if (!overlap.IntersectRect(p.Normalized(), area)) return;
        }
    }

    const CRasterPen pen = CRasterPen::Solid(m_nPenWidth, m_crLine);
    const CRasterBrush brush = CRasterBrush::Solid(m_crFill);
    CRasterPen usePen = pen;
    CRasterBrush useBrush = CRasterBrush::Null();
    if (m_nShape != kShapeLine) {
        if (m_nFillMode == kFillOutlineAndFill) {
            useBrush = brush;
        } else if (m_nFillMode != kFillOutline) {
            useBrush = brush;
            usePen = CRasterPen::Null();
        }
    }
    const CRasterPen oldPen = dc.SelectPen(usePen);
    const CRasterBrush oldBrush = dc.SelectBrush(useBrush);
    switch (m_nShape) {
    case kShapeRectangle: dc.Rectangle(p); break;
    case kShapeRoundRect: dc.RoundRect(p, m_ptRound); break;
    case kShapeOval: dc.Ellipse(p); break;
    case kShapeLine:
        dc.MoveTo(p.TopLeft());
        dc.LineTo(p.BottomRight());
        break;
    default: break;
    }
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

CDrawObj* CDrawRect::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CDrawRect;
    clone->m_nShape = m_nShape;
    clone->m_ptRound = m_ptRound;
    CopyBaseInto(clone, doc);
    return clone;
}
