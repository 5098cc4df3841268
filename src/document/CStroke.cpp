#include "document/CStroke.h"

#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "document/SelectMode.h"
#include "raster/CRasterDC.h"

#include <algorithm>

CStroke::CStroke()
{
    m_nKind = kKindStroke;
}

CStroke::CStroke(int penWidth, COLORREF color) : CDrawObj(CRect(), color, 0, penWidth, 0)
{
    m_nKind = kKindStroke;
}

void CStroke::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteI32(m_rcBounds.left);
        ar.WriteI32(m_rcBounds.top);
        ar.WriteI32(m_rcBounds.right);
        ar.WriteI32(m_rcBounds.bottom);
        ar.WriteCount(std::uint32_t(m_aPoints.size()));
        for (const CPoint& p : m_aPoints) {
            ar.WriteI32(p.x);
            ar.WriteI32(p.y);
        }
        return;
    }
    CRect bounds;
    bounds.left = ar.ReadI32();
    bounds.top = ar.ReadI32();
    bounds.right = ar.ReadI32();
    bounds.bottom = ar.ReadI32();
    const std::uint32_t count = ar.ReadCount();
    if (!ar.CheckCount(count, 8, "the pen stroke's point list")) return;
    std::vector<CPoint> read;
    read.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const int x = ar.ReadI32();
        const int y = ar.ReadI32();
        if (!IsStorableCoordinate(x) || !IsStorableCoordinate(y)) {
            ar.SetError("a pen stroke point lies far outside any canvas");
            return;
        }
        read.emplace_back(x, y);
    }
    if (ar.Failed()) return;
    m_rcBounds = bounds;
    m_aPoints = std::move(read);
}

bool CStroke::IsExtended() const
{
    if (m_aPoints.size() < 2) return false;
    return std::any_of(m_aPoints.begin(), m_aPoints.end(),
                       [&](CPoint p) { return p != m_aPoints[0]; });
}

int CStroke::HandleCount()
{
    return IsExtended() ? CDrawObj::HandleCount() : 0;
}

CPoint CStroke::HandlePoint(int nHandle)
{
    if (!IsExtended() && !m_aPoints.empty()) return m_aPoints[0];
    return CDrawObj::HandlePoint(nHandle);
}

EDrawCursor CStroke::HandleCursor(int)
{
    SetCurrentDrawCursor(EDrawCursor::Select);
    return EDrawCursor::Select;
}

std::vector<CRect> CStroke::HandleSquares(int trackerState, IDrawView* view)
{
    if (IsExtended() || m_aPoints.empty()) return CDrawObj::HandleSquares(trackerState, view);
    std::vector<CRect> squares;
    if (trackerState != kTrackerSelected && trackerState != kTrackerActive) return squares;
    const CPoint scroll = view ? view->GetScrollDots() : CPoint();
    const int zoom = view ? view->GetZoomFactor() : ZoomFactor(g_nZoomIndex);
    const CPoint dot = m_aPoints[0];
    const CPoint dev((dot.x - scroll.x) * zoom, (dot.y - scroll.y) * zoom);
    // Zoomed in, the frame is the dot itself.
    if (zoom > 1) squares.emplace_back(dev.x, dev.y, dev.x + zoom, dev.y + zoom);
    else squares.emplace_back(dev.x - kHandleReach, dev.y - kHandleReach,
                              dev.x + kHandleReach + 1, dev.y + kHandleReach + 1);
    return squares;
}

bool CStroke::RecalcBounds()
{
    CRect bounds;
    if (!m_aPoints.empty()) {
        bounds = CRect(m_aPoints[0], m_aPoints[0]);
        for (const CPoint& p : m_aPoints) {
            bounds.left = std::min(bounds.left, p.x);
            bounds.top = std::min(bounds.top, p.y);
            bounds.right = std::max(bounds.right, p.x);
            bounds.bottom = std::max(bounds.bottom, p.y);
        }
    }
    if (bounds == m_rcBounds) return false;
    m_rcBounds = bounds;
    return true;
}

void CStroke::MoveToRect(const CRect& position, IDrawView* view, bool redraw)
{
    if (position == m_rcPosition) return;
    NotifyBeforeChange(view);
    const int dx = position.left - m_rcPosition.left;
    const int dy = position.top - m_rcPosition.top;
    for (CPoint& p : m_aPoints) p = {p.x + dx, p.y + dy};
    m_rcBounds.OffsetRect(dx, dy);
    const CRect old = m_rcPosition;
    // A stroke is never resized: with a view it takes the moved bounds.
    m_rcPosition = view ? m_rcBounds : position;
    NotifyAfterChange(old, view, redraw);
}

void CStroke::DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw)
{
    const CPoint from = HandlePoint(nHandle);
    CRect moved = m_rcPosition;
    moved.OffsetRect(point.x - from.x, point.y - from.y);
    MoveToRect(moved, view, redraw);
}

bool CStroke::TouchesRect(const CRect& rect)
{
    const CRect r = rect.Normalized();
    if (!IsExtended() && g_nZoomIndex != 0 && g_nSelectMode != SM_NETSELECT) {
        // Zoomed in, a single dot is picked only by a click right on it.
        if (m_aPoints.empty()) return false;
        const CPoint centre(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
        return m_aPoints[0] == centre;
    }
    for (std::size_t i = 1; i < m_aPoints.size(); ++i) {
        const CPoint& a = m_aPoints[i - 1];
        const CPoint& b = m_aPoints[i];
        if (SegmentTouchesRect(a.x, a.y, b.x, b.y, r)) return true;
    }
    return false;
}

void CStroke::Draw(CRasterDC& dc, IDrawView* view)
{
    if (m_aPoints.empty()) return;
    CRect area;
    if (GetDrawArea(view, area) &&
        std::none_of(m_aPoints.begin(), m_aPoints.end(), [&](CPoint p) { return area.PtInRect(p); }))
        return;

    if (!IsExtended()) {
        dc.SetPixel(m_aPoints[0], m_crLine);
        return;
    }
    const CRasterPen oldPen = dc.SelectPen(CRasterPen::Solid(m_nPenWidth, m_crLine));
    dc.MoveTo(m_aPoints[0]);
    for (std::size_t i = 1; i < m_aPoints.size(); ++i) dc.LineTo(m_aPoints[i]);
    dc.SelectPen(oldPen);
}

CDrawObj* CStroke::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CStroke(m_nPenWidth, m_crLine);
    clone->m_rcBounds = m_rcBounds;
    clone->m_aPoints = m_aPoints;
    CopyBaseInto(clone, doc);
    return clone;
}
