#pragma once
// A drawing context on a CRasterSurface with the raster rules of the platform the
// sign software was designed on (GDI): the pixels set here are the dots the sign shows.
//
// Coordinates are logical: a logical point p lands on device pixel p - window origin.
// Drawing is clipped to the surface and to the clip rectangle (device pixels).

#include "raster/CRasterSurface.h"
#include "raster/Geometry.h"

#include <cstdint>

struct CRasterPen {
    bool m_bNull = false;
    int m_nWidth = 1;        // 0 and 1 draw one-pixel lines; wider pens are geometric, round ends and joins
    COLORREF m_crColor = 0;

    static CRasterPen Solid(int width, COLORREF color) { return {false, width, color}; }
    static CRasterPen Null() { return {true, 0, 0}; }
};

struct CRasterBrush {
    bool m_bNull = false;
    COLORREF m_crColor = 0xFFFFFF;

    static CRasterBrush Solid(COLORREF color) { return {false, color}; }
    static CRasterBrush Null() { return {true, 0}; }
};

enum class PolyFillMode { Alternate, Winding };

class CRasterDC {
public:
    explicit CRasterDC(CRasterSurface& surface);

    CRasterSurface& Surface() { return m_surface; }

    // Logical-to-device shift, as SetWindowOrg: logical (org.x, org.y) is device (0, 0).
    void SetWindowOrg(CPoint origin) { m_ptOrigin = origin; }
    CPoint GetWindowOrg() const { return m_ptOrigin; }

    // Clip rectangle in device pixels, intersected with the surface.
    void SetClipRect(const CRect& deviceRect);
    void ResetClip();
    CRect GetClipRect() const { return m_rcClip; }

    // The default state is GDI's: black 1-pixel pen, white brush, alternate fill.
    CRasterPen SelectPen(const CRasterPen& pen);
    CRasterBrush SelectBrush(const CRasterBrush& brush);
    const CRasterPen& GetPen() const { return m_pen; }
    const CRasterBrush& GetBrush() const { return m_brush; }
    PolyFillMode SetPolyFillMode(PolyFillMode mode);

    // Round rectangles and ellipses whose corner ellipse is wider or taller than this
    // (in dots) are not drawn: their outline alone would take hundreds of megabytes.
    static constexpr int kMaxEllipseSize = 1 << 20;

    // Shapes: the outline with the pen, the interior with the brush. Rectangle and
    // Ellipse exclude the right and bottom edge; nothing is normalised beforehand.
    // As in GDI, an inverted rectangle draws like its normalised form, a box one dot
    // wide draws a line and a 1 x 1 box with a one-pixel pen draws nothing.
    void Rectangle(const CRect& r);
    void RoundRect(const CRect& r, CPoint ellipse);
    void Ellipse(const CRect& r);

    // A line excludes its end point; the current position moves to the end point.
    void MoveTo(CPoint p);
    void LineTo(CPoint p);
    CPoint GetCurrentPosition() const { return m_ptCurrent; }

    void Polygon(const CPoint* points, int count);   // closed, outlined and filled
    void Polyline(const CPoint* points, int count);  // open; a wide pen joins the segments
    void PolyBezier(const CPoint* points, int count); // 1 + 3k points, pen only

    // Fills, with the current brush, the 4-connected area around p whose pixels have
    // exactly `surfaceColor` (FLOODFILLSURFACE). False when p is outside the clip
    // area or does not have that colour.
    bool ExtFloodFillSurface(CPoint p, COLORREF surfaceColor);

    // Both give CLR_INVALID for a point outside the clip rectangle; SetPixel otherwise
    // returns the colour it set.
    COLORREF SetPixel(CPoint p, COLORREF color);
    COLORREF GetPixel(CPoint p) const;

    // Solid fill of a logical rectangle (right and bottom exclusive), no pen.
    void FillSolidRect(const CRect& r, COLORREF color);

    // Sets every pixel whose bit is 1 in a 1-bit mask (MSB leftmost, `stride` bytes a
    // row) placed with its top-left at logical (x, y). Glyphs are drawn this way.
    void FillMask(int x, int y, const std::uint8_t* bits, int width, int height, int stride,
                  COLORREF color);

    // Copies src's pixels in srcRect to logical dst, one to one.
    void BitBlt(CPoint dst, const CRasterSurface& src, const CRect& srcRect);

private:
    CPoint ToDevice(CPoint p) const;
    CRect ToDevice(const CRect& r) const;
    // False when nothing drawn around `box` (device, with the current pen) can be visible.
    bool MayTouchClip(CRect box) const;
    static CRect Bounds(const CPoint* pts, int count);
    // Outlines device points with the current pen (nothing for the null pen).
    void StrokeDevice(const CPoint* pts, int count, bool close);

    CRasterSurface& m_surface;
    CPoint m_ptOrigin;
    CRect m_rcClip;
    CRasterPen m_pen = CRasterPen::Solid(1, 0x000000);
    CRasterBrush m_brush = CRasterBrush::Solid(0xFFFFFF);
    PolyFillMode m_fillMode = PolyFillMode::Alternate;
    CPoint m_ptCurrent;
};
