#pragma once
// Ellipse geometry in GDI's integer form: the outline points of ellipses and round
// rectangles, and the rows of an elliptic or round-rectangle region (used for fills and
// for the round ends and joins of wide pens).

#include "raster/Geometry.h"
#include "raster/RasterRowSpan.h"

#include <vector>

// Outline points of the corner of a width x height ellipse (box 0..width-1 by
// 0..height-1): from the right end of the middle row to the bottom, 8-connected.
void EllipseFirstQuadrant(int width, int height, std::vector<CPoint>& out);

// Closed outline of a round rectangle in device pixels, anticlockwise from the right
// end of the top-right corner arc. `rect` is normalised; corner ellipse ew x eh, both
// at least 3 and no larger than the rectangle.
std::vector<CPoint> RoundRectOutline(const CRect& rect, int ew, int eh);

// Rows of the region CreateRoundRectRgn(left, top, right, bottom, ew, eh) would make:
// the rectangle loses its right column and bottom row, and the corner ellipse is cut to
// the rectangle. Rows from rowMin up to (not including) rowMax are appended to `out`.
void RoundRectRegionRows(int left, int top, int right, int bottom, int ew, int eh,
                         std::vector<CRowSpan>& out, int rowMin = -0x7fffffff, int rowMax = 0x7fffffff);
