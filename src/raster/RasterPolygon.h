#pragma once
// Polygon interiors with GDI's scan conversion: an edge's pixels start at the first
// pixel centre inside it on the left and stop before the first one on the right; the
// bottom scanline of every edge is left out. The result equals a polygon region.

#include "raster/CRasterTarget.h"

enum class PolyFillMode;

void RasterFillPolygon(const CRasterTarget& target, const CPoint* points, int count,
                       PolyFillMode mode, COLORREF color);
