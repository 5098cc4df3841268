#include "document/CDrawObj.h"

#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "raster/CRasterDC.h"

#include <algorithm>
#include <cstdint>

CDrawObj::CDrawObj() = default;

CDrawObj::CDrawObj(const CRect& position, COLORREF crLine, COLORREF crFill, int penWidth,
                   int fillMode)
    : m_rcPosition(position),
      m_crLine(crLine),
      m_crFill(crFill),
      m_nPenWidth(penWidth),
      m_nFillMode(fillMode)
{
}

CDrawObj::~CDrawObj() = default;

void CDrawObj::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteI32(m_rcPosition.left);
        ar.WriteI32(m_rcPosition.top);
        ar.WriteI32(m_rcPosition.right);
        ar.WriteI32(m_rcPosition.bottom);
        ar.WriteU32(m_crLine);
        ar.WriteU32(m_crFill);
        ar.WriteI32(m_nPenWidth);
        ar.WriteI32(m_nFillMode);
        return;
    }
    m_pDocument = ar.m_pDocument;
    m_nCreateShape = 0;
    m_rcPosition.left = ar.ReadI32();
    m_rcPosition.top = ar.ReadI32();
    m_rcPosition.right = ar.ReadI32();
    m_rcPosition.bottom = ar.ReadI32();
    m_crLine = ar.ReadU32();
    m_crFill = ar.ReadU32();
    m_nPenWidth = ar.ReadI32();
    m_nFillMode = ar.ReadI32();
    if (ar.Failed()) return;
    if (m_nPenWidth < 0 || m_nPenWidth > kMaxStoredPenWidth) {
        ar.SetError(std::string("a ") + GetRuntimeClassName() + " has an impossible pen width of " +
                    std::to_string(m_nPenWidth));
        return;
    }
    for (int v : {m_rcPosition.left, m_rcPosition.top, m_rcPosition.right, m_rcPosition.bottom}) {
        if (!IsStorableCoordinate(v)) {
            ar.SetError(std::string("a ") + GetRuntimeClassName() +
                        " lies far outside any canvas (coordinate " + std::to_string(v) + ")");
            return;
        }
    }
}

int CDrawObj::HandleCount()
{
    return 8;
}

CPoint CDrawObj::HandlePoint(int nHandle)
{
    const CRect& r = m_rcPosition;
    const int cx = r.left + (r.right - r.left) / 2;
    const int cy = r.top + (r.bottom - r.top) / 2;
    CPoint p;
    switch (nHandle) {
    case 2: p = {cx, r.top}; break;
    case 3: p = {r.right, r.top}; break;
    case 4: p = {r.right, cy}; break;
    case 5: p = {r.right, r.bottom}; break;
    case 6: p = {cx, r.bottom}; break;
    case 7: p = {r.left, r.bottom}; break;
    case 8: p = {r.left, cy}; break;
    default: p = {r.left, r.top}; break;
    }
    if (m_nPenWidth == 0) m_nPenWidth = 1;
    // A one-dot line made by the line tool is drawn with its dots to the lower right of
    // the mouse position once zoomed; its handles follow the dots.
    if (m_nCreateShape == 3 && g_nZoomIndex != 0 && m_nPenWidth == 1) {
        p.x += 1;
        p.y += 1;
    }
    return p;
}

EDrawCursor CDrawObj::HandleCursor(int nHandle)
{
    switch (nHandle) {
    case 2:
    case 6: return EDrawCursor::SizeNS;
    case 3:
    case 7: return EDrawCursor::SizeNESW;
    case 4:
    case 8: return EDrawCursor::SizeWE;
    default: return EDrawCursor::SizeNWSE;
    }
}

void CDrawObj::Draw(CRasterDC&, IDrawView*) {}

std::vector<CRect> CDrawObj::HandleSquares(int trackerState, IDrawView* view)
{
    std::vector<CRect> squares;
    if (trackerState != kTrackerSelected && trackerState != kTrackerActive) return squares;
    const CPoint scroll = view ? view->GetScrollDots() : CPoint();
    const int zoom = view ? view->GetZoomFactor() : ZoomFactor(g_nZoomIndex);
    const int count = HandleCount();
    for (int n = 1; n <= count; ++n) {
        const CPoint dot = HandlePoint(n);
        const CPoint dev((dot.x - scroll.x) * zoom, (dot.y - scroll.y) * zoom);
        squares.emplace_back(dev.x - kHandleReach, dev.y - kHandleReach, dev.x + kHandleReach + 1,
                             dev.y + kHandleReach + 1);
    }
    return squares;
}

void CDrawObj::DrawHandles(CRasterDC& dc, int trackerState, IDrawView* view)
{
    const std::vector<CRect> squares = HandleSquares(trackerState, view);
    if (squares.empty()) return;
    const CRasterPen oldPen = dc.SelectPen(CRasterPen::Solid(1, kHandleColor));
    for (const CRect& s : squares) {
        const int r = s.right - 1, b = s.bottom - 1;
        dc.MoveTo({s.left, s.top});
        dc.LineTo({r, s.top});
        dc.LineTo({r, b});
        dc.LineTo({s.left, b});
        dc.LineTo({s.left, s.top});
    }
    dc.SelectPen(oldPen);
}

CRect CDrawObj::CoveredRect(const CRect& r)
{
    CRect n = r.Normalized();
    if (n.left == n.right) n.right += 1;
    if (n.top == n.bottom) n.bottom += 1;
    return n;
}

bool CDrawObj::GetDrawArea(IDrawView* view, CRect& area)
{
    const CRect update = g_rcUpdate.Normalized();
    if (!update.IsRectEmpty()) {
        area = update;
        return true;
    }
    if (view) {
        area = view->GetVisibleDotRect().Normalized();
        return true;
    }
    return false;
}

void CDrawObj::AddToUpdate(const CRect& r)
{
    CRect joined;
    joined.UnionRect(g_rcUpdate.Normalized(), r.Normalized());
    g_rcUpdate = joined;
}

void CDrawObj::NotifyBeforeChange(IDrawView* view)
{
    if (!view && m_pDocument) m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, this);
}

void CDrawObj::NotifyAfterChange(const CRect& oldArea, IDrawView* view, bool redraw)
{
    if (view) {
        CRect joined;
        joined.UnionRect(CoveredRect(oldArea), CoveredRect(m_rcPosition));
        AddToUpdate(joined);
        if (redraw) view->RenderCanvas();
    } else if (m_pDocument) {
        m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, this);
    }
    if (m_pDocument) m_pDocument->SetModifiedFlag();
}

void CDrawObj::MoveToRect(const CRect& position, IDrawView* view, bool redraw)
{
    if (position == m_rcPosition) return;
    NotifyBeforeChange(view);
    const CRect old = m_rcPosition;
    m_rcPosition = position;
    NotifyAfterChange(old, view, redraw);
}

int CDrawObj::HitTestPoint(CPoint point, IDrawView*, bool selected)
{
    if (!selected) return m_rcPosition.PtInRect(point) ? 1 : 0;
    const int count = HandleCount();
    for (int n = 1; n <= count; ++n) {
        const CPoint h = HandlePoint(n);
        const CRect square(h.x - kHandleReach, h.y - kHandleReach, h.x + kHandleReach,
                           h.y + kHandleReach);
        if (square.PtInRect(point)) return n;
    }
    return 0;
}

bool CDrawObj::TouchesRect(const CRect& rect)
{
    CRect overlap;
    return overlap.IntersectRect(CoveredRect(m_rcPosition), rect.Normalized());
}

void CDrawObj::DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw)
{
    CRect r = m_rcPosition;
    switch (nHandle) {
    case 2: r.top = point.y; break;
    case 3: r.right = point.x; r.top = point.y; break;
    case 4: r.right = point.x; break;
    case 5: r.right = point.x; r.bottom = point.y; break;
    case 6: r.bottom = point.y; break;
    case 7: r.left = point.x; r.bottom = point.y; break;
    case 8: r.left = point.x; break;
    default: r.left = point.x; r.top = point.y; break;
    }
    MoveToRect(r, view, redraw);
}

void CDrawObj::OpenObject(IDrawView*)
{
    EditProperties();
}

void CDrawObj::EditProperties() {}

void CDrawObj::CopyBaseInto(CDrawObj* clone, CVemtDoc* doc) const
{
    clone->m_rcPosition = m_rcPosition;
    clone->m_crLine = m_crLine;
    clone->m_crFill = m_crFill;
    clone->m_nPenWidth = m_nPenWidth;
    clone->m_nFillMode = m_nFillMode;
    if (doc) doc->AddObj(clone);
}

CDrawObj* CDrawObj::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CDrawObj;
    CopyBaseInto(clone, doc);
    return clone;
}

void CDrawObj::RemoveObject(IDrawView* view, bool redraw)
{
    delete this;
    if (redraw && view) view->RenderCanvas();
}

bool SegmentTouchesRect(int x0, int y0, int x1, int y1, const CRect& rect)
{
    const CRect r = rect.Normalized();
    if (r.PtInRect({x0, y0}) || r.PtInRect({x1, y1})) return true;

    if (x0 == x1) {
        return r.left <= x0 && x0 <= r.right && !(y0 < r.top && y1 < r.top) &&
               !(y0 > r.bottom && y1 > r.bottom);
    }
    if (y0 == y1) {
        return r.top <= y0 && y0 <= r.bottom && !(x0 < r.left && x1 < r.left) &&
               !(x0 > r.right && x1 > r.right);
    }

    // 64-bit products: the same integer results as 32-bit ones wherever those do not
    // overflow, and still right far outside the canvas.
    const std::int64_t X0 = x0, Y0 = y0, X1 = x1, Y1 = y1;
    const std::int64_t minX = std::min(X0, X1), maxX = std::max(X0, X1);
    const std::int64_t minY = std::min(Y0, Y1), maxY = std::max(Y0, Y1);

    auto crossesHorizontal = [&](std::int64_t e, std::int64_t a, std::int64_t b) {
        if (a > b) std::swap(a, b);
        const std::int64_t x = ((e - Y1) * X0 - (e - Y0) * X1) / (Y0 - Y1);
        return a <= x && x < b && minX <= x && x < maxX;
    };
    auto crossesVertical = [&](std::int64_t e, std::int64_t a, std::int64_t b) {
        if (a > b) std::swap(a, b);
        const std::int64_t y = ((e - X1) * Y0 - (e - X0) * Y1) / (X0 - X1);
        return a <= y && y < b && minY <= y && y < maxY;
    };

    return crossesHorizontal(r.top, r.left, r.right) ||
           crossesVertical(r.right, r.top, r.bottom) ||
           crossesHorizontal(r.bottom, r.left, r.right) ||
           crossesVertical(r.left, r.top, r.bottom);
}
