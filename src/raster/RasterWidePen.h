#pragma once
// Geometric solid pens wider than one pixel, as GDI builds them: every segment is a
// rectangle (axis-parallel) or a quadrilateral centred on the path, and every join and
// open end gets a round pen-sized dot.

#include "raster/CRasterTarget.h"

void RasterWideLines(const CRasterTarget& target, const CPoint* points, int count, bool close,
                     int width, COLORREF color);
