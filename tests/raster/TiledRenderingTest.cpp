// The canvas may be rendered in tiles, each drawn through a shifted window origin: the
// assembled tiles must equal the canvas drawn at once, without seams.

#include "RasterPicture.h"
#include "raster/CRasterDC.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void DrawScene(CRasterDC& dc, unsigned seed)
{
    std::mt19937 rng(seed);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const COLORREF colours[] = {0x0000FF, 0x00FF00, 0x00FFFF};
    for (int i = 0; i < 60; ++i) {
        const int kind = uniform(0, 6);
        const int width = uniform(0, 5);
        dc.SelectPen(uniform(0, 4) == 0 ? CRasterPen::Null() : CRasterPen::Solid(width, colours[uniform(0, 2)]));
        dc.SelectBrush(uniform(0, 1) ? CRasterBrush::Null() : CRasterBrush::Solid(colours[uniform(0, 2)]));
        const CRect r{uniform(-20, 130), uniform(-20, 100), uniform(-20, 130), uniform(-20, 100)};
        std::vector<CPoint> pts;
        for (int k = 0; k < 4; ++k) pts.push_back({uniform(-20, 130), uniform(-20, 100)});
        switch (kind) {
        case 0: dc.Rectangle(r); break;
        case 1: dc.RoundRect(r, {uniform(0, 30), uniform(0, 30)}); break;
        case 2: dc.Ellipse(r); break;
        case 3: dc.MoveTo(r.TopLeft()); dc.LineTo(r.BottomRight()); break;
        case 4: dc.Polygon(pts.data(), 4); break;
        case 5: dc.Polyline(pts.data(), 4); break;
        default: dc.PolyBezier(pts.data(), 4); break;
        }
    }
}

TEST(TiledRendering, TilesAssembleToTheWholeCanvas)
{
    constexpr int kW = 120, kH = 90, kTileW = 37, kTileH = 23;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        CRasterSurface whole(kW, kH, 0);
        CRasterDC wholeDc(whole);
        DrawScene(wholeDc, seed);

        CRasterSurface assembled(kW, kH, 0);
        CRasterDC assembledDc(assembled);
        for (int tx = 0; tx < kW; tx += kTileW)
            for (int ty = 0; ty < kH; ty += kTileH) {
                CRasterSurface tile(kTileW, kTileH, 0);
                CRasterDC tileDc(tile);
                tileDc.SetWindowOrg({tx, ty});
                DrawScene(tileDc, seed);
                assembledDc.BitBlt({tx, ty}, tile, {0, 0, kTileW, kTileH});
            }
        const auto expected = SurfaceRows(whole), actual = SurfaceRows(assembled);
        ASSERT_EQ(CountDifferences(expected, actual), 0) << "seed " << seed << "\n" << SideBySide(expected, actual);
    }
}

} // namespace
