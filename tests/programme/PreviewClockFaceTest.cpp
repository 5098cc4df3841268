// The clock in the "System" face as the program really draws it: fixed cells of 8 x 16
// for Latin and 16 x 16 for Chinese in the large font, 4 x 8 in the small one, so that
// the layout lands where the sample widths a = 20, b = 112, c = 16 put it.
#include "PreviewTestSupport.h"

#include "programme/CPreviewClockPainter.h"
#include "text/CFontEngine.h"

#include <gtest/gtest.h>

using namespace preview_test;

namespace {

std::tm Friday()
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 11;
    t.tm_wday = 5;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    return t;
}

constexpr CPreviewFont kSmall{8, 4};
constexpr CPreviewFont kLarge{16, 8};

} // namespace

TEST(PreviewClockFace, SystemFaceGivesFixedCells)
{
    if (!CFontEngine::Instance().IsAvailable()) GTEST_SKIP() << "no font engine";
    CPreviewClockPainter painter;
    struct Case { CPreviewFont font; const char* text; CSize extent; };
    const Case cases[] = {
        {kSmall, "04/05", {20, 8}},                                  // a
        {kSmall, "2001", {16, 8}},                                   // c
        {kLarge, "\xD0\xC7\xC6\xDA\xCE\xE5" "15:24:02", {112, 16}},  // b: 3 x 16 + 8 x 8
        {kLarge, " Wednesday 23:59:59", {152, 16}},
        {kLarge, "\xD6\xD0", {16, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(painter.MeasureText(c.font, c.text), c.extent);
    }
}

TEST(PreviewClockFace, ClockLandsWhereTheSampleWidthsPutIt)
{
    if (!CFontEngine::Instance().IsAvailable()) GTEST_SKIP() << "no font engine";
    // x0 = (W - (a + b)) / 2, at least 0; the year centred over the date, (a - c) / 2 in.
    struct Case { int width; int colors; int x0; COLORREF color; };
    const Case cases[] = {{160, 2, 14, RGB(255, 255, 0)}, {64, 1, 0, RGB(255, 0, 0)}, {320, 1, 94, RGB(255, 0, 0)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        CPreviewPlayer player(CRasterSurface(c.width, 16, RGB(9, 9, 9)), c.width, 16, c.colors,
                              {Screen(13, 13, 0, APPEND_TIME)});
        CPreviewClockPainter painter;
        player.SetTextPainter(&painter);
        player.SetTimeSource(Friday);
        const auto shots = Take(player, 2);
        ASSERT_EQ(shots.size(), 2u);

        CRasterSurface expected(c.width, 16, RGB(0, 0, 0));
        painter.DrawText(expected, {c.x0 + 2, 0}, kSmall, "2026", c.color);
        painter.DrawText(expected, {c.x0, 8}, kSmall, "12/11", c.color);
        painter.DrawText(expected, {c.x0 + 20, 0}, kLarge, " Friday 09:05:07", c.color);
        EXPECT_EQ(shots[1].m_picture, Text(expected));

        // Something of every part is lit: the year's first digit in its cell, the date's
        // first digit, and the weekday after its leading space.
        auto litIn = [&](int x0, int x1, int y0, int y1) {
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < std::min(x1, c.width); ++x)
                    if (shots[1].m_picture[std::size_t(y)][std::size_t(x)] != '.') return true;
            return false;
        };
        EXPECT_TRUE(litIn(c.x0 + 2, c.x0 + 6, 0, 8));
        EXPECT_TRUE(litIn(c.x0, c.x0 + 4, 8, 16));
        EXPECT_FALSE(litIn(c.x0 + 20, c.x0 + 28, 0, 16)) << "the leading space";
        EXPECT_TRUE(litIn(c.x0 + 28, c.x0 + 36, 0, 16));
    }
}
