#include "programme/CPreviewClockPainter.h"
#include "programme/CPreviewPlayer.h"

#include "text/CFontEngine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::tm Noon()
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_wday = 4;
    t.tm_hour = 12;
    return t;
}

TEST(PreviewClockPainter, SmallDigitsInFourByEightCells)
{
    CPreviewClockPainter painter;
    EXPECT_EQ(painter.MeasureText({8, 4}, "04/05"), CSize(20, 8));
    EXPECT_EQ(painter.MeasureText({8, 4}, "2001"), CSize(16, 8));

    CRasterSurface s(12, 8);
    painter.DrawText(s, {1, 0}, {8, 4}, "1/7", RGB(255, 0, 0));
    const char* expected[8] = {
        "............",
        "..#....#.###",
        ".##....#...#",
        "..#...#....#",
        "..#...#...#.",
        "..#..#....#.",
        ".###.#....#.",
        "............",
    };
    for (int y = 0; y < 8; ++y) {
        std::string row;
        for (int x = 0; x < 12; ++x) row += s.GetPixel(x, y) ? '#' : '.';
        EXPECT_EQ(row, expected[y]) << "row " << y;
    }
}

TEST(PreviewClockPainter, LargeTextThroughTheFontEngine)
{
    if (!CFontEngine::Instance().IsAvailable()) GTEST_SKIP() << "no font engine";
    CPreviewClockPainter painter;
    const CSize large = painter.MeasureText({16, 8}, " Thursday 12:42:01");
    // A positive height asks for the cell height; the face's rounding may add a dot.
    EXPECT_NEAR(large.cy, 16, 1);
    EXPECT_GT(large.cx, 18 * 4);
    // Letters are not in the small cell font: they go to the engine too.
    EXPECT_NEAR(painter.MeasureText({8, 4}, "Mon").cy, 8, 1);
}

TEST(PreviewClockPainter, ClockDotsOnADoubleColourSign)
{
    if (!CFontEngine::Instance().IsAvailable()) GTEST_SKIP() << "no font engine";
    const int W = 160, H = 16;
    CPreviewPlayer p(CRasterSurface(W, H, RGB(255, 0, 0)), W, H, 2,
                     {[] {
                         SCREENINFO r;
                         r.byImport = 13;
                         r.byAppend = APPEND_TIME;
                         return r;
                     }()});
    CPreviewClockPainter painter;
    p.SetTextPainter(&painter);
    p.SetTimeSource(Noon);
    CPreviewFrame f;
    ASSERT_TRUE(p.Next(f));  // the picture
    ASSERT_TRUE(p.Next(f));  // the first clock
    int lit = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const COLORREF c = f.m_pPicture->GetPixel(x, y);
            ASSERT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 0)) << x << "," << y;
            lit += c != 0;
        }
    }
    EXPECT_GT(lit, 50) << "year, date and weekday with the time are drawn";
    if (::testing::Test::HasFailure() || std::getenv("VEMT_SHOW_CLOCK")) {
        for (int y = 0; y < H; ++y) {
            std::string row;
            for (int x = 0; x < W; ++x) row += f.m_pPicture->GetPixel(x, y) ? '#' : '.';
            std::printf("%s\n", row.c_str());
        }
    }
}

}  // namespace
