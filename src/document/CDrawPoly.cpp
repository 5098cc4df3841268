#include "document/CDrawPoly.h"

#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "raster/CRasterDC.h"

#include <algorithm>

namespace {
constexpr int kAllocStep = 10;
}

CDrawPoly::CDrawPoly()
{
    m_nKind = kKindPoly;
}

CDrawPoly::CDrawPoly(const CRect& position, COLORREF crLine, COLORREF crFill, int penWidth,
                     int fillMode)
    : CDrawObj(position, crLine, crFill, penWidth, fillMode)
{
    m_nKind = kKindPoly;
}

void CDrawPoly::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteU16(std::uint16_t(std::clamp(m_nPoints, 0, kMaxPolyPoints)));
        ar.WriteU16(std::uint16_t(std::clamp(m_nAllocPoints, 0, 0xFFFF)));
        for (int i = 0; i < m_nPoints && i < kMaxPolyPoints; ++i) {
            ar.WriteI32(m_pPoints[i].x);
            ar.WriteI32(m_pPoints[i].y);
        }
        return;
    }
    const int points = ar.ReadU16();
    const int allocated = ar.ReadU16();
    if (!ar.CheckCount(std::uint64_t(points), 8, "the polygon's point list")) return;
    std::vector<CPoint> read;
    read.reserve(points);
    for (int i = 0; i < points; ++i) {
        const int x = ar.ReadI32();
        const int y = ar.ReadI32();
        if (!IsStorableCoordinate(x) || !IsStorableCoordinate(y)) {
            ar.SetError("a polygon point lies far outside any canvas");
            return;
        }
        read.emplace_back(x, y);
    }
    if (ar.Failed()) return;
    m_pPoints = std::move(read);
    m_nPoints = points;
    // A file may claim fewer slots than it has points; every point still needs its slot.
    m_nAllocPoints = std::max(allocated, points);
}

int CDrawPoly::HandleCount()
{
    return m_nPoints;
}

CPoint CDrawPoly::HandlePoint(int nHandle)
{
    if (nHandle >= 1 && nHandle <= m_nPoints) return m_pPoints[nHandle - 1];
    return CDrawObj::HandlePoint(nHandle);
}

EDrawCursor CDrawPoly::HandleCursor(int)
{
    SetCurrentDrawCursor(EDrawCursor::Select);
    return EDrawCursor::Select;
}

bool CDrawPoly::RecalcBounds()
{
    if (m_pPoints.empty()) return false;
    CRect bounds(m_pPoints[0], m_pPoints[0]);
    for (const CPoint& p : m_pPoints) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    if (bounds == m_rcPosition) return false;
    m_rcPosition = bounds;
    return true;
}

void CDrawPoly::AddPoint(CPoint point, IDrawView* view)
{
    if (m_nPoints >= kMaxPolyPoints) return;
    if (m_nPoints == m_nAllocPoints) m_nAllocPoints += kAllocStep;
    if (m_nPoints > 0 && m_pPoints[m_nPoints - 1] == point) return;
    m_pPoints.push_back(point);
    ++m_nPoints;
    const CRect old = m_rcPosition;
    if (!RecalcBounds()) {
        if (view) {
            CRect joined;
            joined.UnionRect(CoveredRect(old), CoveredRect(m_rcPosition));
            AddToUpdate(joined);
            view->RenderCanvas();
        } else if (m_pDocument) {
            m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, this);
        }
    }
    if (m_pDocument) m_pDocument->SetModifiedFlag();
}

void CDrawPoly::MoveToRect(const CRect& position, IDrawView* view, bool redraw)
{
    if (position == m_rcPosition) return;
    NotifyBeforeChange(view);
    const int dx = position.left - m_rcPosition.left;
    const int dy = position.top - m_rcPosition.top;
    for (CPoint& p : m_pPoints) p = {p.x + dx, p.y + dy};
    const CRect old = m_rcPosition;
    m_rcPosition = position;
    NotifyAfterChange(old, view, redraw);
}

void CDrawPoly::DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw)
{
    if (nHandle < 1 || nHandle > m_nPoints) return;
    if (m_pPoints[nHandle - 1] == point) return;
    NotifyBeforeChange(view);
    const CRect old = m_rcPosition;
    m_pPoints[nHandle - 1] = point;
    RecalcBounds();
    NotifyAfterChange(old, view, redraw);
}

bool CDrawPoly::TouchesRect(const CRect& rect)
{
    for (int i = 0; i < m_nPoints; ++i) {
        const CPoint& a = m_pPoints[i];
        const CPoint& b = m_pPoints[(i + 1) % m_nPoints];
        if (SegmentTouchesRect(a.x, a.y, b.x, b.y, rect)) return true;
    }
    return false;
}

void CDrawPoly::Draw(CRasterDC& dc, IDrawView* view)
{
    if (m_nPoints < 2) return;
    CRect area;
    // The closing edge counts too: it is drawn like the others.
    if (GetDrawArea(view, area) && !TouchesRect(area)) return;

    CRasterPen pen = CRasterPen::Solid(m_nPenWidth, m_crLine);
    CRasterBrush brush = CRasterBrush::Solid(m_crFill);
    if (m_nFillMode == kFillOutline) brush = CRasterBrush::Null();
    else if (m_nFillMode != kFillOutlineAndFill) pen = CRasterPen::Null();

    // Three or more points on one dot would draw nothing: spread them into a small
    // triangle, for good.
    if (m_nPoints >= 3 &&
        std::all_of(m_pPoints.begin(), m_pPoints.end(), [&](CPoint p) { return p == m_pPoints[0]; })) {
        m_pPoints[m_nPoints - 1].x += 2;
        m_pPoints[m_nPoints - 1].y += 2;
        m_pPoints[m_nPoints - 2].x += 2;
    }

    const CRasterPen oldPen = dc.SelectPen(pen);
    const CRasterBrush oldBrush = dc.SelectBrush(brush);
    dc.Polygon(m_pPoints.data(), m_nPoints);
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

CDrawObj* CDrawPoly::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CDrawPoly;
    clone->m_pPoints = m_pPoints;
    clone->m_nPoints = m_nPoints;
    clone->m_nAllocPoints = m_nAllocPoints;
    CopyBaseInto(clone, doc);
    return clone;
}
