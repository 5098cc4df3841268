#include "FakeDrawView.h"

#include "app/EditorState.h"
#include "document/CDrawFill.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "document/CanvasGeometry.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int H = 16;
constexpr int N = 4;

// A drawing object that only has a position and a kind.
std::unique_ptr<CDrawObj> Box(int top, int bottom, int kind = kKindRect)
{
    auto obj = std::make_unique<CDrawRect>(CRect(0, top, 10, bottom), 0xFF, 0, 1, 0);
    obj->m_nKind = kind;
    return obj;
}

struct UsedHeightCase {
    const char* name;
    int top, bottom, kind;
    int expected;
};

const UsedHeightCase kUsedHeightCases[] = {
    {"M = H - 1 is one screen", 0, H - 1, kKindRect, H},
    {"M = H is one screen", 0, H, kKindRect, H},
    {"M = H + 1 is two screens", 0, H + 1, kKindRect, 2 * H},
    {"M = 2H - 1 is two screens", 0, 2 * H - 1, kKindRect, 2 * H},
    {"M = 2H starts a third screen", 0, 2 * H, kKindRect, 3 * H},
    {"the top edge counts when it is lower", 2 * H + 3, 5, kKindRect, 3 * H},
    {"M = 0 is one screen", 0, 0, kKindRect, H},
    {"reaching below the last screen gives the whole canvas", 0, N * H + 40, kKindRect, N * H},
    {"M = N x H exactly stays within the canvas", 0, N * H, kKindRect, N * H},
    {"M = N x H - 1", 0, N * H - 1, kKindRect, N * H},
    {"text on the screen 1 boundary stays in screen 1", 0, H, kKindText, H},
    {"text two rows lower needs two screens", 0, H + 2, kKindText, 2 * H},
    {"text at 2H counts as 2H - 1", 0, 2 * H, kKindText, 2 * H},
    {"text ending on row H + 1 counts as H", 0, H + 1, kKindText, H},
};

class UsedHeight : public testing::TestWithParam<UsedHeightCase> {};

TEST_P(UsedHeight, RoundsUpToWholeScreens)
{
    const UsedHeightCase& c = GetParam();
    auto obj = Box(c.top, c.bottom, c.kind);
    const std::vector<CDrawObj*> list{obj.get()};
    EXPECT_EQ(GetUsedHeight(list, H, N), c.expected) << c.name;
    EXPECT_EQ(GetScreenCount(list, H, N), c.expected / H) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, UsedHeight, testing::ValuesIn(kUsedHeightCases));

TEST(CanvasGeometry, NoObjectsUseNoScreens)
{
    EXPECT_EQ(GetUsedHeight({}, H, N), 0);
    EXPECT_EQ(GetScreenCount({}, H, N), 0);
}

TEST(CanvasGeometry, TheLowestObjectDecides)
{
    auto a = Box(0, 5);
    auto b = Box(20, 2 * H + 2);
    auto c = Box(3, 9);
    EXPECT_EQ(GetUsedHeight({a.get(), b.get(), c.get()}, H, N), 3 * H);
    EXPECT_EQ(GetScreenCount({a.get(), b.get(), c.get()}, H, N), 3);
}

TEST(CanvasGeometry, ScreenNumbersStartAtOneAndChangeOnMultiplesOfH)
{
    EXPECT_EQ(ScreenOfRow(0, H), 1);
    EXPECT_EQ(ScreenOfRow(H - 1, H), 1);
    EXPECT_EQ(ScreenOfRow(H, H), 2);
    EXPECT_EQ(ScreenOfRow(3 * H + 5, H), 4);
}

class Render : public testing::Test {
protected:
    void SetUp() override { ResetEditorState(); }
    void TearDown() override { ResetEditorState(); }
};

TEST_F(Render, DrawsEveryObjectAtOneDotPerPixelOnBlack)
{
    CDrawRect rect({1, 1, 5, 4}, 0x0000FF, 0, 1, kFillOutline);
    CDrawRect line({0, 6, 8, 6}, 0x00FF00, 0, 1, 0);
    line.m_nShape = kShapeLine;
    CRasterSurface raster(8, 8, 0xFFFFFF);
    g_nZoomIndex = 3;
    g_rcUpdate = {50, 50, 60, 60};  // left over from the editor: must not hide anything
    RenderRegion({&rect, &line}, raster, 8, 8);
    const char* const expected[] = {
        "........",
        ".RRRR...",
        ".R..R...",
        ".RRRR...",
        "........",
        "........",
        "GGGGGGGG",
        "........",
    };
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const char want = expected[y][x];
            const COLORREF c = want == 'R' ? 0x0000FF : want == 'G' ? 0x00FF00 : 0;
            EXPECT_EQ(raster.GetPixel(x, y), c) << x << "," << y;
        }
    EXPECT_EQ(g_nZoomIndex, 3);
    EXPECT_TRUE(g_rcUpdate.IsRectNull());
}

TEST_F(Render, ObjectsSeeZoomLevelZeroWhileTheyDraw)
{
    // A line made by the line tool reports shifted handles only when zoomed.
    struct Probe : CDrawRect {
        int m_nSeenZoom = -1;
        CRect m_rcSeenUpdate;
        void Draw(CRasterDC&, IDrawView*) override
        {
            m_nSeenZoom = g_nZoomIndex;
            m_rcSeenUpdate = g_rcUpdate;
        }
    } probe;
    CRasterSurface raster(20, 10, 0);
    g_nZoomIndex = 2;
    RenderRegion({&probe}, raster, 20, 10);
    EXPECT_EQ(probe.m_nSeenZoom, 0);
    EXPECT_EQ(probe.m_rcSeenUpdate, CRect(0, 0, 20, 10));
    EXPECT_EQ(g_nZoomIndex, 2);
}

TEST_F(Render, OnlyTheRegionIsTouchedAndAFillStopsAtItsEdge)
{
    CDrawFill fill({0, 0, 0, 0}, 0x00FFFF, 0);
    CRasterSurface raster(10, 10, 0x123456);
    RenderRegion({&fill}, raster, 6, 4);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(raster.GetPixel(x, y), (x < 6 && y < 4) ? 0x00FFFFu : 0x123456u) << x << "," << y;
}

TEST_F(Render, ARasterSmallerThanTheRegionGetsWhatFits)
{
    CDrawRect rect({0, 0, 30, 30}, 0x0000FF, 0x0000FF, 1, kFillOutlineAndFill);
    CRasterSurface raster(4, 4, 0);
    RenderRegion({&rect}, raster, 30, 30);
    EXPECT_EQ(raster.GetPixel(3, 3), 0x0000FFu);
}

}  // namespace
