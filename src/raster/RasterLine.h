#pragma once
// One-pixel (cosmetic) solid lines with GDI's Bresenham rules.

#include "raster/CRasterTarget.h"

// Draws from `from` to `to`, excluding `to`. Horizontal and vertical lines are spans;
// others follow the octant-biased Bresenham walk, clipped analytically so that a line
// reaching far outside the surface costs only its visible part.
void RasterThinLine(const CRasterTarget& target, CPoint from, CPoint to, COLORREF color);

// Consecutive segments of `points`; with `close` also the last point back to the first.
void RasterThinLines(const CRasterTarget& target, const CPoint* points, int count, bool close,
                     COLORREF color);
