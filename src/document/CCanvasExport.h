#pragma once
// The canvas at one pixel per dot, as the editor exports it: the whole canvas of
// W x N*H dots, or one screen of W x H dots cut from it.

#include "raster/CRasterSurface.h"

class CVemtApp;
class CVemtDoc;

class CCanvasExport {
public:
    // Every screen, the first at the top.
    static CRasterSurface RenderCanvas(const CVemtDoc& doc, const CVemtApp& app);
    // Screen `screen` (from 0): rows screen*H to screen*H + H - 1 of the whole canvas,
    // which is rendered first so that objects crossing a boundary look as they do there.
    static CRasterSurface RenderScreen(const CVemtDoc& doc, const CVemtApp& app, int screen);
};
