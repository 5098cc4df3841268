#include "document/CCanvasExport.h"

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"

#include <algorithm>

CRasterSurface CCanvasExport::RenderCanvas(const CVemtDoc& doc, const CVemtApp& app)
{
    const int width = app.m_nTPWidth;
    const int height = app.m_nTPHeight * app.m_nTotalScreen;
    CRasterSurface canvas(width, height, 0x000000);
    RenderRegion(doc.m_objects, canvas, width, height);
    return canvas;
}

CRasterSurface CCanvasExport::RenderScreen(const CVemtDoc& doc, const CVemtApp& app, int screen)
{
    const CRasterSurface canvas = RenderCanvas(doc, app);
    const int width = app.m_nTPWidth;
    const int height = app.m_nTPHeight;
    CRasterSurface out(width, height, 0x000000);
    const int first = screen * height;
    for (int y = 0; y < height && first + y < canvas.Height(); ++y)
        std::copy_n(canvas.Row(first + y), width, out.Row(y));
    return out;
}
