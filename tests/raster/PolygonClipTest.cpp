// A clip rectangle must cut a polygon without moving its edges: the rows inside the clip
// are the same whether the scan started at the polygon's top or at the clip's top.

#include "RasterPicture.h"
#include "raster/CRasterDC.h"
#include "raster/RasterPolygon.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(PolygonClip, RowsBelowTheClipTopAreUnchangedForRandomPolygons)
{
    std::mt19937 rng(7);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        std::vector<CPoint> pts;
        const int n = uniform(3, 7);
        for (int i = 0; i < n; ++i) pts.push_back({uniform(-40, 70), uniform(-60, 50)});
        const PolyFillMode mode = round % 2 ? PolyFillMode::Winding : PolyFillMode::Alternate;
        const int clipTop = uniform(0, 30);

        CRasterSurface whole(40, 32, 0), cut(40, 32, 0);
        RasterFillPolygon({whole, {0, 0, 40, 32}}, pts.data(), n, mode, 0x0000FF);
        RasterFillPolygon({cut, {0, clipTop, 40, 32}}, pts.data(), n, mode, 0x0000FF);
        auto expected = SurfaceRows(whole);
        for (int y = 0; y < clipTop; ++y) expected[std::size_t(y)] = std::string(40, '.');
        const auto actual = SurfaceRows(cut);
        ASSERT_EQ(CountDifferences(expected, actual), 0)
            << "round " << round << " clip top " << clipTop << "\n" << SideBySide(expected, actual);
    }
}

TEST(PolygonClip, AVertexFarAboveTheSurfaceIsCheap)
{
    // A triangle from far above down to the canvas: the scan starts at the clip. Its left
    // edge lies a hair right of x = 0 on every row, so the fill starts at x = 1.
    CRasterSurface surface(8, 4, 0);
    CRasterDC dc(surface);
    dc.SelectPen(CRasterPen::Null());
    dc.SelectBrush(CRasterBrush::Solid(0x00FF00));
    const CPoint pts[] = {{4, -2000000000}, {8, 4}, {0, 4}};
    dc.Polygon(pts, 3);
    const std::vector<std::string> expected = {".GGGGGGG", ".GGGGGGG", ".GGGGGGG", ".GGGGGGG"};
    EXPECT_EQ(SurfaceRows(surface), expected) << SideBySide(expected, SurfaceRows(surface));
}

} // namespace
