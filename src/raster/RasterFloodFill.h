#pragma once
// Surface flood fill (FLOODFILLSURFACE): the 4-connected area of pixels with exactly
// one colour around a seed, bounded by the clip rectangle.

#include "raster/CRasterTarget.h"
#include "raster/RasterRowSpan.h"

#include <vector>

// Appends the rows of the area to `rows` (one span per run of pixels). Nothing when the
// seed is outside the clip rectangle or does not have `surfaceColor`.
void FloodFillArea(const CRasterTarget& target, CPoint seed, COLORREF surfaceColor,
                   std::vector<CRowSpan>& rows);
