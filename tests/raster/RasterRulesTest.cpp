// The basic raster rules, each drawn small and compared with the picture GDI gives.
// '.' is an unlit pixel, R red, G green, Y yellow, B blue.

#include "RasterPicture.h"
#include "raster/CRasterDC.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kBlue = 0xFF0000;

struct CRuleCase {
    const char* m_szName;
    std::function<void(CRasterDC&)> m_draw;
    std::vector<std::string> m_aExpected;  // also gives the canvas size
};

void PrintTo(const CRuleCase& c, std::ostream* os) { *os << c.m_szName; }

class RasterRules : public ::testing::TestWithParam<CRuleCase> {};

TEST_P(RasterRules, DrawsWhatGdiDraws)
{
    const CRuleCase& c = GetParam();
    CRasterSurface surface(int(c.m_aExpected[0].size()), int(c.m_aExpected.size()), 0);
    CRasterDC dc(surface);
    c.m_draw(dc);
    const auto actual = SurfaceRows(surface);
    EXPECT_EQ(CountDifferences(c.m_aExpected, actual), 0) << SideBySide(c.m_aExpected, actual);
}

void Pen(CRasterDC& dc, int width, COLORREF color) { dc.SelectPen(CRasterPen::Solid(width, color)); }

const CRuleCase kCases[] = {
    {"rectangle_excludes_right_and_bottom_edge",
     [](CRasterDC& dc) {
         Pen(dc, 1, kRed);
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         dc.Rectangle({1, 1, 6, 4});
     },
     {".......",
      ".RRRRR.",
      ".RGGGR.",
      ".RRRRR.",
      "......."}},
    {"rectangle_without_pen_fills_one_pixel_less",
     // The fill stops where the pen's right and bottom edge would be.
     [](CRasterDC& dc) {
         dc.SelectPen(CRasterPen::Null());
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         dc.Rectangle({1, 1, 6, 4});
     },
     {".......",
      ".GGGG..",
      ".GGGG..",
      ".......",
      "......."}},
    {"inverted_rectangle_draws_as_normalised",
     [](CRasterDC& dc) {
         Pen(dc, 0, kRed);
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         dc.Rectangle({6, 4, 1, 1});
     },
     {".......",
      ".RRRRR.",
      ".RGGGR.",
      ".RRRRR.",
      "......."}},
    {"one_by_one_box_with_thin_pen_draws_nothing",
     [](CRasterDC& dc) {
         Pen(dc, 1, kRed);
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         dc.Rectangle({2, 1, 3, 2});
     },
     {".....",
      ".....",
      "....."}},
    {"ellipse_excludes_right_and_bottom_edge",
     [](CRasterDC& dc) {
         Pen(dc, 1, kRed);
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         dc.Ellipse({1, 1, 6, 6});
     },
     {".......",
      "..RRR..",
      ".RGGGR.",
      ".RGGGR.",
      ".RGGGR.",
      "..RRR..",
      "......."}},
    {"narrow_tall_ellipse_fill_stays_inside_its_outline",
     // For 3-wide ellipses of 8 or more rows GDI's fill is not defined; ours covers the
     // rows its outline (right) reaches and no more.
     [](CRasterDC& dc) {
         dc.SelectPen(CRasterPen::Null());
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         dc.Ellipse({1, 1, 4, 9});
         dc.SelectPen(CRasterPen::Solid(1, kRed));
         dc.SelectBrush(CRasterBrush::Null());
         dc.Ellipse({6, 1, 9, 9});
     },
     {"..........",
      "..........",
      "..G....R..",
      ".GGG..R.R.",
      ".GGG..R.R.",
      ".GGG..R.R.",
      ".GGG..R.R.",
      "..G....R..",
      "..........",
      ".........."}},
    {"line_excludes_its_end_point",
     [](CRasterDC& dc) {
         Pen(dc, 1, kRed);
         dc.MoveTo({1, 1});
         dc.LineTo({5, 1});
         dc.MoveTo({5, 3});
         dc.LineTo({1, 3});  // backwards: starts at 5, stops before 1
     },
     {".......",
      ".RRRR..",
      ".......",
      "..RRRR.",
      "......."}},
    {"diagonal_line_and_its_reverse_share_the_inner_pixels",
     [](CRasterDC& dc) {
         Pen(dc, 1, kRed);
         dc.MoveTo({0, 0});
         dc.LineTo({4, 2});
         Pen(dc, 1, kGreen);
         dc.MoveTo({4, 5});
         dc.LineTo({0, 3});
     },
     {"RR...",
      "..RR.",
      ".....",
      ".G...",
      "..GG.",
      "....G"}},
    {"line_to_moves_the_current_position",
     [](CRasterDC& dc) {
         Pen(dc, 1, kYellow);
         dc.MoveTo({0, 0});
         dc.LineTo({3, 0});
         dc.LineTo({3, 3});
     },
     {"YYYY.",
      "...Y.",
      "...Y.",
      "....."}},
    {"wide_pen_line_is_centred_with_round_ends",
     [](CRasterDC& dc) {
         Pen(dc, 3, kRed);
         dc.MoveTo({2, 3});
         dc.LineTo({7, 3});
     },
     {"..........",
      "..........",
      "..RRRRRR..",
      ".RRRRRRRR.",
      "..RRRRRR..",
      ".........."}},
    {"polygon_is_closed_and_filled",
     [](CRasterDC& dc) {
         Pen(dc, 1, kRed);
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         const CPoint pts[] = {{1, 1}, {6, 1}, {6, 4}, {1, 4}};
         dc.Polygon(pts, 4);
     },
     {"........",
      ".RRRRRR.",
      ".RGGGGR.",
      ".RGGGGR.",
      ".RRRRRR.",
      "........"}},
    {"alternate_fill_leaves_a_twice_wound_square_empty",
     [](CRasterDC& dc) {
         dc.SelectPen(CRasterPen::Null());
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         const CPoint twice[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}, {5, 1}, {5, 4}, {1, 4}};
         dc.Polygon(twice, 8);
     },
     {".......",
      ".......",
      ".......",
      ".......",
      "......."}},
    {"winding_fill_fills_a_twice_wound_square",
     [](CRasterDC& dc) {
         dc.SelectPen(CRasterPen::Null());
         dc.SelectBrush(CRasterBrush::Solid(kGreen));
         dc.SetPolyFillMode(PolyFillMode::Winding);
         const CPoint twice[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}, {1, 1}, {5, 1}, {5, 4}, {1, 4}};
         dc.Polygon(twice, 8);
     },
     {".......",
      ".GGGG..",
      ".GGGG..",
      ".GGGG..",
      "......."}},
    {"clip_rectangle_limits_drawing",
     [](CRasterDC& dc) {
         dc.SetClipRect({2, 1, 5, 3});
         dc.FillSolidRect({0, 0, 7, 4}, kYellow);
         Pen(dc, 1, kRed);
         dc.MoveTo({0, 3});
         dc.LineTo({7, 3});  // below the clip: nothing
     },
     {".......",
      "..YYY..",
      "..YYY..",
      "......."}},
    {"window_origin_shifts_logical_to_device",
     [](CRasterDC& dc) {
         dc.SetWindowOrg({10, 20});
         dc.SetPixel({11, 21}, kRed);
         dc.FillSolidRect({13, 20, 15, 22}, kGreen);
         dc.SetPixel({9, 20}, kYellow);  // device (-1, 0): outside
     },
     {"...GG",
      ".R.GG",
      "....."}},
    {"flood_fill_stays_inside_a_closed_outline",
     [](CRasterDC& dc) {
         Pen(dc, 1, kRed);
         dc.SelectBrush(CRasterBrush::Null());
         dc.Rectangle({1, 1, 6, 5});
         dc.SelectBrush(CRasterBrush::Solid(kBlue));
         dc.ExtFloodFillSurface({3, 2}, 0x000000);
     },
     {".......",
      ".RRRRR.",
      ".RBBBR.",
      ".RBBBR.",
      ".RRRRR.",
      "......."}},
    {"flood_fill_does_not_leak_through_a_diagonal_gap",
     // The outline is 8-connected only; the fill is 4-connected and stays inside.
     [](CRasterDC& dc) {
         const CPoint ring[] = {{3, 0}, {2, 1}, {4, 1}, {1, 2}, {5, 2}, {2, 3}, {4, 3}, {3, 4}};
         for (CPoint p : ring) dc.SetPixel(p, kRed);
         dc.SelectBrush(CRasterBrush::Solid(kBlue));
         dc.ExtFloodFillSurface({3, 2}, 0x000000);
     },
     {"...R...",
      "..RBR..",
      ".RBBBR.",
      "..RBR..",
      "...R..."}},
    {"fill_mask_sets_only_one_bits",
     // Two bytes a row, MSB leftmost; the mask is 9 pixels wide and cut at the edge.
     [](CRasterDC& dc) {
         static const std::uint8_t bits[] = {0b10000000, 0b10000000,
                                             0b01111111, 0b00000000,
                                             0b10101010, 0b10000000};
         dc.FillMask(1, 1, bits, 9, 3, 2, kGreen);
     },
     {"..........",
      ".G.......G",
      "..GGGGGGG.",
      ".G.G.G.G.G"}},
};

INSTANTIATE_TEST_SUITE_P(Basic, RasterRules, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.m_szName); });

TEST(RasterDC, FloodFillFailsOnALitSeedOrOutsideTheClip)
{
    CRasterSurface surface(4, 4, 0);
    CRasterDC dc(surface);
    dc.SetPixel({1, 1}, kRed);
    dc.SelectBrush(CRasterBrush::Solid(kBlue));
    EXPECT_FALSE(dc.ExtFloodFillSurface({1, 1}, 0x000000));
    dc.SetClipRect({2, 2, 4, 4});
    EXPECT_FALSE(dc.ExtFloodFillSurface({0, 0}, 0x000000));
    EXPECT_TRUE(dc.ExtFloodFillSurface({3, 3}, 0x000000));
    EXPECT_EQ(surface.GetPixel(2, 2), kBlue);
    EXPECT_EQ(surface.GetPixel(0, 0), 0x000000u);  // the clip bounds the flood
}

TEST(RasterDC, FloodFillWithTheSurfaceColourEnds)
{
    CRasterSurface surface(50, 50, 0);
    CRasterDC dc(surface);
    dc.SelectBrush(CRasterBrush::Solid(0x000000));
    EXPECT_TRUE(dc.ExtFloodFillSurface({10, 10}, 0x000000));
}

TEST(RasterDC, PixelsOutsideTheClipReadAndWriteAsInvalid)
{
    CRasterSurface surface(4, 4, 0);
    CRasterDC dc(surface);
    EXPECT_EQ(dc.SetPixel({1, 1}, kRed), kRed);
    EXPECT_EQ(dc.GetPixel({1, 1}), kRed);
    EXPECT_EQ(dc.SetPixel({4, 0}, kRed), CLR_INVALID);
    EXPECT_EQ(dc.GetPixel({-1, 0}), CLR_INVALID);
    dc.SetClipRect({2, 2, 10, 10});
    EXPECT_EQ(dc.GetClipRect(), CRect(2, 2, 4, 4));
    EXPECT_EQ(dc.GetPixel({1, 1}), CLR_INVALID);
    dc.ResetClip();
    EXPECT_EQ(dc.GetPixel({1, 1}), kRed);
}

TEST(RasterDC, LinesFarOutsideTheSurfaceCostOnlyTheirVisiblePart)
{
    // A line from a billion dots away must neither hang nor miss its visible pixels.
    CRasterSurface surface(8, 8, 0);
    CRasterDC dc(surface);
    dc.SelectPen(CRasterPen::Solid(1, kRed));
    dc.MoveTo({-1000000000, 3});
    dc.LineTo({1000000000, 5});
    int lit = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) lit += surface.GetPixel(x, y) == kRed;
    EXPECT_EQ(lit, 8);
}

TEST(RasterDC, AWidePenLineFromFarAwayDrawsItsVisiblePart)
{
    CRasterSurface surface(8, 8, 0);
    CRasterDC dc(surface);
    dc.SelectPen(CRasterPen::Solid(3, kRed));
    dc.MoveTo({-2000000000, 4});
    dc.LineTo({2000000000, 4});
    const std::vector<std::string> rows = SurfaceRows(surface);
    EXPECT_EQ(rows[2], "........");
    EXPECT_EQ(rows[3], "RRRRRRRR");
    EXPECT_EQ(rows[5], "RRRRRRRR");
    EXPECT_EQ(rows[6], "........");
}

TEST(RasterDC, AnEllipseLargerThanAnyCanvasIsRefused)
{
    // Only a damaged document holds such a shape; drawing it must not exhaust memory.
    CRasterSurface surface(8, 8, 0);
    CRasterDC dc(surface);
    dc.SelectBrush(CRasterBrush::Solid(kGreen));
    dc.Ellipse({-2000000000, -2000000000, 2000000000, 2000000000});
    EXPECT_EQ(surface.GetPixel(4, 4), 0x000000u);
    dc.Ellipse({0, 0, 8, 8});  // an ordinary one still draws
    EXPECT_EQ(surface.GetPixel(4, 4), kGreen);
}

TEST(RasterDC, AHugeRoundRectangleFillsOnlyTheVisibleRows)
{
    // Small corners on a box a billion dots high: only the visible rows are built.
    CRasterSurface surface(8, 8, 0);
    CRasterDC dc(surface);
    dc.SelectPen(CRasterPen::Null());
    dc.SelectBrush(CRasterBrush::Solid(kGreen));
    dc.RoundRect({-1000000000, -1000000000, 1000000000, 1000000000}, {10, 10});
    EXPECT_EQ(surface.GetPixel(0, 0), kGreen);
    EXPECT_EQ(surface.GetPixel(7, 7), kGreen);
}

TEST(RasterDC, BitBltCopiesOneToOneAndClipsBothSides)
{
    CRasterSurface src(3, 2, 0);
    src.SetPixel(0, 0, kRed);
    src.SetPixel(2, 1, kGreen);
    CRasterSurface dst(4, 3, 0);
    CRasterDC dc(dst);
    dc.BitBlt({2, 1}, src, {0, 0, 3, 2});  // the right column falls off
    const std::vector<std::string> expected = {"....", "..R.", "...."};
    EXPECT_EQ(SurfaceRows(dst), expected) << SideBySide(expected, SurfaceRows(dst));

    dc.BitBlt({0, 0}, dst, {2, 1, 4, 3});  // within one surface
    EXPECT_EQ(dst.GetPixel(0, 0), kRed);
}

TEST(RasterDC, DefaultStateIsGdis)
{
    CRasterSurface surface(2, 2, 0);
    CRasterDC dc(surface);
    EXPECT_FALSE(dc.GetPen().m_bNull);
    EXPECT_EQ(dc.GetPen().m_crColor, 0x000000u);
    EXPECT_EQ(dc.GetBrush().m_crColor, 0xFFFFFFu);
    EXPECT_EQ(dc.SetPolyFillMode(PolyFillMode::Winding), PolyFillMode::Alternate);
    EXPECT_EQ(dc.GetClipRect(), CRect(0, 0, 2, 2));
}

} // namespace
