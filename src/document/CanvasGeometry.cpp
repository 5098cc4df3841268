#include "document/CanvasGeometry.h"

#include "app/EditorState.h"
#include "document/CDrawObj.h"
#include "raster/CRasterDC.h"
#include "raster/CRasterSurface.h"

#include <algorithm>
#include <climits>
#include <cstdint>

int ScreenOfRow(int y, int tpHeight)
{
    return tpHeight > 0 ? y / tpHeight + 1 : 1;
}

int GetUsedHeight(const std::vector<CDrawObj*>& objects, int tpHeight, int totalScreen)
{
    if (objects.empty() || tpHeight <= 0) return 0;
    std::int64_t m = INT64_MIN;
    for (const CDrawObj* obj : objects) {
        std::int64_t lowest = std::max(obj->m_rcPosition.top, obj->m_rcPosition.bottom);
        // A text box's bottom edge is the row below its last line of dots.
        if (obj->m_nKind == kKindText) lowest -= 1;
        m = std::max(m, lowest);
    }
    const std::int64_t total = std::int64_t(totalScreen) * tpHeight;
    // An object whose edge lies on the canvas's bottom edge would otherwise ask for a
    // screen below the last one.
    if (m >= total) return int(total);
    // Only the first screen is matched exactly: a bottom edge on the row just below screen
    // k > 1 starts screen k + 1.
    if (m == tpHeight) return tpHeight;
    if ((m + 1) % tpHeight == 0) return int(m + 1);
    return int((m / tpHeight + 1) * tpHeight);
}

int GetScreenCount(const std::vector<CDrawObj*>& objects, int tpHeight, int totalScreen)
{
    if (tpHeight <= 0) return 0;
    return GetUsedHeight(objects, tpHeight, totalScreen) / tpHeight;
}

void RenderRegion(const std::vector<CDrawObj*>& objects, CRasterSurface& raster, int width,
                  int height, IDrawView* view)
{
    if (width <= 0 || height <= 0) return;
    const int savedZoom = g_nZoomIndex;
    g_nZoomIndex = 0;
    g_rcUpdate = CRect(0, 0, width, height);

    // One tile for the whole region: a flood fill then sees the same neighbourhood as on
    // the canvas, so no tile boundary can cut an area in two.
    CRasterSurface tile(width, height, 0x000000);
    {
        CRasterDC dc(tile);
        for (CDrawObj* obj : objects) obj->Draw(dc, view);
    }
    const int copyWidth = std::min(width, raster.Width());
    const int copyHeight = std::min(height, raster.Height());
    for (int y = 0; y < copyHeight; ++y)
        std::copy_n(tile.Row(y), copyWidth, raster.Row(y));

    g_rcUpdate.SetRectEmpty();
    g_nZoomIndex = savedZoom;
}
