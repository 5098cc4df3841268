#include "raster/CRasterDC.h"

#include "raster/CRasterTarget.h"
#include "raster/RasterBezier.h"
#include "raster/RasterEllipse.h"
#include "raster/RasterFloodFill.h"
#include "raster/RasterLine.h"
#include "raster/RasterPolygon.h"
#include "raster/RasterWidePen.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Device width of a solid pen: 0 is one pixel like 1.
int PenDeviceWidth(const CRasterPen& pen)
{
    if (pen.m_bNull) return 0;
    return std::max(std::abs(pen.m_nWidth), 1);
}

} // namespace

CRasterDC::CRasterDC(CRasterSurface& surface) : m_surface(surface)
{
    ResetClip();
}

void CRasterDC::SetClipRect(const CRect& deviceRect)
{
    m_rcClip.IntersectRect(deviceRect.Normalized(), {0, 0, m_surface.Width(), m_surface.Height()});
}

void CRasterDC::ResetClip()
{
    m_rcClip.IntersectRect({0, 0, m_surface.Width(), m_surface.Height()},
                           {0, 0, m_surface.Width(), m_surface.Height()});
}

CRasterPen CRasterDC::SelectPen(const CRasterPen& pen)
{
    const CRasterPen old = m_pen;
    m_pen = pen;
    return old;
}

CRasterBrush CRasterDC::SelectBrush(const CRasterBrush& brush)
{
    const CRasterBrush old = m_brush;
    m_brush = brush;
    return old;
}

PolyFillMode CRasterDC::SetPolyFillMode(PolyFillMode mode)
{
    const PolyFillMode old = m_fillMode;
    m_fillMode = mode;
    return old;
}

// Device coordinates are kept within +-2^29 so that no primitive's integer arithmetic
// can overflow; GDI itself only guarantees 27-bit coordinates.
static int DeviceCoord(int logical, int origin)
{
    constexpr std::int64_t kLimit = std::int64_t(1) << 29;
    return int(std::clamp<std::int64_t>(std::int64_t(logical) - origin, -kLimit, kLimit));
}

CPoint CRasterDC::ToDevice(CPoint p) const
{
    return {DeviceCoord(p.x, m_ptOrigin.x), DeviceCoord(p.y, m_ptOrigin.y)};
}

CRect CRasterDC::ToDevice(const CRect& r) const
{
    return {DeviceCoord(r.left, m_ptOrigin.x), DeviceCoord(r.top, m_ptOrigin.y),
            DeviceCoord(r.right, m_ptOrigin.x), DeviceCoord(r.bottom, m_ptOrigin.y)};
}

bool CRasterDC::MayTouchClip(CRect box) const
{
    // Round pen ends reach width / 2 + 1 beyond the path; the margin covers them.
    const int margin = PenDeviceWidth(m_pen) + 2;
    box.NormalizeRect();
    box.InflateRect(margin, margin);
    box.right++;
    box.bottom++;
    CRect common;
    return common.IntersectRect(box, m_rcClip);
}

CRect CRasterDC::Bounds(const CPoint* pts, int count)
{
    CRect box{pts[0], pts[0]};
    for (int i = 1; i < count; ++i) {
        box.left = std::min(box.left, pts[i].x);
        box.top = std::min(box.top, pts[i].y);
        box.right = std::max(box.right, pts[i].x);
        box.bottom = std::max(box.bottom, pts[i].y);
    }
    return box;
}

void CRasterDC::StrokeDevice(const CPoint* pts, int count, bool close)
{
    const int width = PenDeviceWidth(m_pen);
    if (width == 0 || count < 2) return;
    const CRasterTarget target{m_surface, m_rcClip};
    if (width == 1) RasterThinLines(target, pts, count, close, m_pen.m_crColor);
    else RasterWideLines(target, pts, count, close, width, m_pen.m_crColor);
}

void CRasterDC::Rectangle(const CRect& r)
{
    // GDI orders the corners itself, so an inverted rectangle draws like its normalised form.
    CRect d = ToDevice(r).Normalized();
    if (d.left == d.right || d.top == d.bottom || !MayTouchClip(d)) return;
    const CRasterTarget target{m_surface, m_rcClip};
    const int width = PenDeviceWidth(m_pen);

    // The outline runs through the last column and row inside the rectangle.
    d.right--;
    d.bottom--;
    const CPoint pts[4] = {{d.right, d.top}, {d.left, d.top}, {d.left, d.bottom}, {d.right, d.bottom}};
    if (width > 1) {
        if (!m_brush.m_bNull) target.FillRect(d, m_brush.m_crColor);
        RasterWideLines(target, pts, 4, true, width, m_pen.m_crColor);
        return;
    }
    if (width == 1) RasterThinLines(target, pts, 4, true, m_pen.m_crColor);
    // Without a pen the fill keeps the one-pixel-smaller size a pen would leave inside.
    if (!m_brush.m_bNull)
        target.FillRect({d.left + (width + 1) / 2, d.top + (width + 1) / 2, d.right - width / 2,
                         d.bottom - width / 2}, m_brush.m_crColor);
}

void CRasterDC::RoundRect(const CRect& r, CPoint ellipse)
{
    const CRect d = ToDevice(r).Normalized();
    if (d.left == d.right || d.top == d.bottom || !MayTouchClip(d)) return;
    const int ew = std::min(d.Width(), std::abs(std::max(ellipse.x, -0x7fffffff)));
    const int eh = std::min(d.Height(), std::abs(std::max(ellipse.y, -0x7fffffff)));
    if (ew <= 2 || eh <= 2) {
        Rectangle(r);
        return;
    }
    // The outline has a point for every dot of the corner arcs; a corner ellipse larger
    // than any canvas (a damaged file) is refused rather than allowed to exhaust memory.
    if (ew > kMaxEllipseSize || eh > kMaxEllipseSize) return;
    const CRasterTarget target{m_surface, m_rcClip};
    if (!m_brush.m_bNull) {
        std::vector<CRowSpan> rows;
        RoundRectRegionRows(d.left, d.top, d.right + 1, d.bottom + 1, ew, eh, rows, m_rcClip.top,
                            m_rcClip.bottom);
        for (const CRowSpan& s : rows) target.FillSpan(s.y, s.x0, s.x1, m_brush.m_crColor);
    }
    const std::vector<CPoint> outline = RoundRectOutline(d, ew, eh);
    StrokeDevice(outline.data(), int(outline.size()), true);
}

void CRasterDC::Ellipse(const CRect& r)
{
    // The corner ellipse is the whole box; RoundRect cuts it to the device box anyway.
    auto extent = [](int a, int b) {
        return int(std::clamp<std::int64_t>(std::int64_t(b) - a, -0x7fffffff, 0x7fffffff));
    };
    RoundRect(r, {extent(r.left, r.right), extent(r.top, r.bottom)});
}

void CRasterDC::MoveTo(CPoint p)
{
    m_ptCurrent = p;
}

void CRasterDC::LineTo(CPoint p)
{
    const CPoint pts[2] = {ToDevice(m_ptCurrent), ToDevice(p)};
    if (MayTouchClip({pts[0], pts[1]})) StrokeDevice(pts, 2, false);
    m_ptCurrent = p;
}

void CRasterDC::Polygon(const CPoint* points, int count)
{
    if (!points || count < 2) return;
    std::vector<CPoint> pts(points, points + count);
    for (CPoint& p : pts) p = ToDevice(p);
    if (!MayTouchClip(Bounds(pts.data(), count))) return;
    if (!m_brush.m_bNull)
        RasterFillPolygon({m_surface, m_rcClip}, pts.data(), count, m_fillMode, m_brush.m_crColor);
    StrokeDevice(pts.data(), count, true);
}

void CRasterDC::Polyline(const CPoint* points, int count)
{
    if (!points || count < 2) return;
    std::vector<CPoint> pts(points, points + count);
    for (CPoint& p : pts) p = ToDevice(p);
    if (MayTouchClip(Bounds(pts.data(), count))) StrokeDevice(pts.data(), count, false);
}

void CRasterDC::PolyBezier(const CPoint* points, int count)
{
    if (!points || count < 4) return;
    // A curve lies inside the hull of its control points.
    CRect hull = Bounds(points, count);
    hull = {ToDevice(hull.TopLeft()), ToDevice(hull.BottomRight())};
    if (!MayTouchClip(hull)) return;
    // Flattened in logical units, as GDI does, then drawn as one polyline.
    const std::vector<CPoint> flat = FlattenBezier(points, count);
    Polyline(flat.data(), int(flat.size()));
}

bool CRasterDC::ExtFloodFillSurface(CPoint p, COLORREF surfaceColor)
{
    const CRasterTarget target{m_surface, m_rcClip};
    const CPoint d = ToDevice(p);
    if (!m_rcClip.PtInRect(d) || m_surface.Row(d.y)[d.x] != surfaceColor) return false;
    std::vector<CRowSpan> rows;
    FloodFillArea(target, d, surfaceColor, rows);
    if (!m_brush.m_bNull)
        for (const CRowSpan& s : rows) target.FillSpan(s.y, s.x0, s.x1, m_brush.m_crColor);
    return true;
}

COLORREF CRasterDC::SetPixel(CPoint p, COLORREF color)
{
    const CPoint d = ToDevice(p);
    if (!m_rcClip.PtInRect(d)) return CLR_INVALID;
    color &= 0x00FFFFFF;
    m_surface.Row(d.y)[d.x] = color;
    return color;
}

COLORREF CRasterDC::GetPixel(CPoint p) const
{
    const CPoint d = ToDevice(p);
    if (!m_rcClip.PtInRect(d)) return CLR_INVALID;
    return m_surface.Row(d.y)[d.x];
}

void CRasterDC::FillSolidRect(const CRect& r, COLORREF color)
{
    CRasterTarget{m_surface, m_rcClip}.FillRect(ToDevice(r).Normalized(), color);
}

void CRasterDC::FillMask(int x, int y, const std::uint8_t* bits, int width, int height, int stride,
                         COLORREF color)
{
    if (!bits || width <= 0 || height <= 0 || stride <= 0) return;
    const CPoint d = ToDevice({x, y});
    const int r0 = std::max(0, m_rcClip.top - d.y), r1 = std::min(height, m_rcClip.bottom - d.y);
    const int c0 = std::max(0, m_rcClip.left - d.x), c1 = std::min(width, m_rcClip.right - d.x);
    for (int row = r0; row < r1; ++row) {
        const std::uint8_t* src = bits + std::size_t(row) * std::size_t(stride);
        COLORREF* dst = m_surface.Row(d.y + row) + d.x;
        for (int col = c0; col < c1; ++col)
            if (src[col >> 3] & (0x80 >> (col & 7))) dst[col] = color;
    }
}

void CRasterDC::BitBlt(CPoint dst, const CRasterSurface& src, const CRect& srcRect)
{
    CRect s = srcRect.Normalized();
    CPoint d = ToDevice(dst);
    // Cut the source to its surface and the destination to the clip, keeping them aligned.
    CRect dRect{d.x, d.y, d.x + s.Width(), d.y + s.Height()};
    CRect srcBounds{0, 0, src.Width(), src.Height()};
    CRect sCut;
    if (!sCut.IntersectRect(s, srcBounds)) return;
    dRect.OffsetRect(sCut.left - s.left, sCut.top - s.top);
    dRect.right = dRect.left + sCut.Width();
    dRect.bottom = dRect.top + sCut.Height();
    CRect dCut;
    if (!dCut.IntersectRect(dRect, m_rcClip)) return;
    const int sx = sCut.left + (dCut.left - dRect.left);
    const int sy = sCut.top + (dCut.top - dRect.top);
    const int w = dCut.Width(), h = dCut.Height();
    // Copying within one surface must read every row before it can be overwritten.
    std::vector<COLORREF> copy;
    const bool same = &src == &m_surface;
    if (same) {
        copy.resize(std::size_t(w) * std::size_t(h));
        for (int row = 0; row < h; ++row)
            std::memcpy(copy.data() + std::size_t(row) * std::size_t(w), src.Row(sy + row) + sx,
                        std::size_t(w) * sizeof(COLORREF));
    }
    for (int row = 0; row < h; ++row) {
        const COLORREF* from = same ? copy.data() + std::size_t(row) * std::size_t(w) : src.Row(sy + row) + sx;
        std::memcpy(m_surface.Row(dCut.top + row) + dCut.left, from, std::size_t(w) * sizeof(COLORREF));
    }
}
