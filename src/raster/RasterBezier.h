#pragma once
// Cubic Bezier flattening in GDI's way: the curve is halved recursively in 1/16 pixel
// fixed point (rounded midpoints) until the control points lie within a pixel of the
// chord, at most 8 levels deep; the result is drawn as a polyline.

#include "raster/Geometry.h"

#include <vector>

// `count` must be 1 + 3k with k >= 1; otherwise the result is empty.
std::vector<CPoint> FlattenBezier(const CPoint* points, int count);
