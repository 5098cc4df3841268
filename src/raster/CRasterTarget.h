#pragma once
// The pixels a primitive may write: a surface and a device clip rectangle that lies
// inside it. Every primitive paints through this so that clipping happens once, per
// span, and never per pixel in the inner loops.

#include "raster/CRasterSurface.h"
#include "raster/Geometry.h"

#include <algorithm>

struct CRasterTarget {
    CRasterSurface& m_surface;
    CRect m_rcClip;  // normalised, inside the surface; may be empty

    // Pixels x0 <= x < x1 of row y.
    void FillSpan(int y, int x0, int x1, COLORREF color) const
    {
        if (y < m_rcClip.top || y >= m_rcClip.bottom) return;
        x0 = std::max(x0, m_rcClip.left);
        x1 = std::min(x1, m_rcClip.right);
        if (x0 >= x1) return;
        std::fill(m_surface.Row(y) + x0, m_surface.Row(y) + x1, color);
    }

    // A rectangle that is empty when inverted (nothing is normalised here).
    void FillRect(const CRect& r, COLORREF color) const
    {
        const int x0 = std::max(r.left, m_rcClip.left);
        const int x1 = std::min(r.right, m_rcClip.right);
        const int y0 = std::max(r.top, m_rcClip.top);
        const int y1 = std::min(r.bottom, m_rcClip.bottom);
        if (x0 >= x1) return;
        for (int y = y0; y < y1; ++y) std::fill(m_surface.Row(y) + x0, m_surface.Row(y) + x1, color);
    }

    void Plot(int x, int y, COLORREF color) const
    {
        if (m_rcClip.PtInRect({x, y})) m_surface.Row(y)[x] = color;
    }
};
