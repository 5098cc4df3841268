#pragma once
// The canvas: W dots wide and N x H dots tall, screen k (from 1) at rows (k-1)H to kH-1.

#include "raster/Geometry.h"

#include <vector>

class CDrawObj;
class CRasterSurface;
class IDrawView;

// The screen number (from 1) that shows canvas row y.
int ScreenOfRow(int y, int tpHeight);

// The height in dots of the part of the canvas that holds objects, rounded up to whole
// screens and never more than the canvas; 0 for no objects.
int GetUsedHeight(const std::vector<CDrawObj*>& objects, int tpHeight, int totalScreen);
// The number of screens the message uses.
int GetScreenCount(const std::vector<CDrawObj*>& objects, int tpHeight, int totalScreen);

// Renders the canvas rectangle (0, 0)-(width, height) at one pixel per dot, on black, into
// the top-left of raster (clipped to it). Objects see zoom level 0 and the whole region
// as the area to draw; afterwards the zoom level is back and the pending update rectangle
// empty.
void RenderRegion(const std::vector<CDrawObj*>& objects, CRasterSurface& raster, int width,
                  int height, IDrawView* view = nullptr);
