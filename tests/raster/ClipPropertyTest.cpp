// Whatever is drawn, with whatever coordinates (damaged documents hold any), nothing
// lands outside the clip rectangle and nothing runs away in time or memory.

#include "raster/CRasterDC.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

TEST(ClipProperty, NothingIsDrawnOutsideTheClipRectangle)
{
    std::mt19937 rng(11);
    const int extremes[] = {INT_MIN, INT_MIN + 1, -2000000000, -70000, -3, 0, 5, 17, 40, 70000,
                            2000000000, INT_MAX - 1, INT_MAX};
    auto coord = [&]() {
        return rng() % 3 == 0 ? extremes[rng() % std::size(extremes)]
                              : std::uniform_int_distribution<int>(-30, 70)(rng);
    };
    for (int round = 0; round < 400; ++round) {
        CRasterSurface surface(40, 30, 0);
        CRasterDC dc(surface);
        dc.SetClipRect({8, 6, 31, 22});
        if (round % 5 == 0) dc.SetWindowOrg({coord(), coord()});
        dc.SelectPen(CRasterPen::Solid(int(rng() % 6), 0x0000FF));
        dc.SelectBrush(rng() % 2 ? CRasterBrush::Null() : CRasterBrush::Solid(0x00FF00));
        dc.SetPolyFillMode(rng() % 2 ? PolyFillMode::Winding : PolyFillMode::Alternate);
        CPoint pts[7];
        for (CPoint& p : pts) p = {coord(), coord()};
        const CRect r{coord(), coord(), coord(), coord()};
        switch (round % 9) {
        case 0: dc.Rectangle(r); break;
        case 1: dc.RoundRect(r, {coord(), coord()}); break;
        case 2: dc.Ellipse(r); break;
        case 3: dc.MoveTo(pts[0]); dc.LineTo(pts[1]); break;
        case 4: dc.Polygon(pts, 7); break;
        case 5: dc.Polyline(pts, 7); break;
        case 6: dc.PolyBezier(pts, 7); break;
        case 7: dc.FillSolidRect(r, 0x00FFFF); break;
        default: dc.ExtFloodFillSurface(pts[0], 0x000000); break;
        }
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (CRect(8, 6, 31, 22).PtInRect({x, y})) continue;
                ASSERT_EQ(surface.GetPixel(x, y), 0x000000u) << "round " << round << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
