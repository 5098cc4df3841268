#include "PreviewTestSupport.h"

#include <gtest/gtest.h>

using namespace preview_test;

namespace {

constexpr int kImmedia = 13;

// A fixed-pitch stand-in for the clock fonts: every byte is one cell of the font's
// width, and drawing fills the text's cells so the layout can be read off the display.
class CFixedPitchPainter : public IPreviewTextPainter {
public:
    struct Call {
        CPoint m_pt;
        int m_nHeight;
        std::string m_szText;
        COLORREF m_cr;
    };
    CSize MeasureText(const CPreviewFont& font, std::string_view text) override
    {
        return {font.m_nWidth * int(text.size()), font.m_nHeight};
    }
    void DrawText(CRasterSurface& surface, CPoint pt, const CPreviewFont& font, std::string_view text,
                  COLORREF color) override
    {
        m_calls.push_back({pt, font.m_nHeight, std::string(text), color});
        const CSize size = MeasureText(font, text);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) surface.SetPixel(pt.x + x, pt.y + y, color);
    }
    std::vector<Call> m_calls;
};

std::tm Thursday()
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_wday = 4;
    t.tm_hour = 12;
    t.tm_min = 42;
    t.tm_sec = 1;
    return t;
}

CPreviewPlayer OnePixel(std::vector<SCREENINFO> table)
{
    return CPreviewPlayer(Canvas({{"ab"}}), 2, 1, 2, std::move(table));
}

TEST(PreviewHold, FlickerBlinksThreeTimes)
{
    auto p = OnePixel({Screen(kImmedia, kImmedia, 0, APPEND_FLICKER)});
    const auto shots = Take(p, 8);
    ASSERT_EQ(shots.size(), 8u);
    EXPECT_EQ(shots[0].m_picture[0], "ab");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shots[std::size_t(1 + 2 * i)].m_picture[0], "..");
        EXPECT_EQ(shots[std::size_t(1 + 2 * i)].m_nWaitMs, 300);
        EXPECT_EQ(shots[std::size_t(2 + 2 * i)].m_picture[0], "ab");
        EXPECT_EQ(shots[std::size_t(2 + 2 * i)].m_nWaitMs, 300);
    }
    EXPECT_EQ(shots[7].m_picture[0], "..") << "then the exit";
    EXPECT_EQ(shots[7].m_nWaitMs, 0);
}

TEST(PreviewHold, PauseWaitsItsSeconds)
{
    struct Case { int pause; std::int64_t waitMs; } cases[] = {
        {10, 10000}, {1, 1000}, {99, 99000}, {3000000, 3000000000LL}};
    for (const auto& c : cases) {
        auto p = OnePixel({Screen(kImmedia, kImmedia, 0, APPEND_PAUSE, c.pause)});
        const auto shots = Take(p, 3);
        ASSERT_EQ(shots.size(), 3u);
        EXPECT_EQ(shots[1].m_picture[0], "ab");
        EXPECT_EQ(shots[1].m_nWaitMs, c.waitMs) << c.pause;
        EXPECT_EQ(shots[2].m_picture[0], "..");
    }
}

TEST(PreviewHold, PauseOfZeroDoesNotWait)
{
    for (int pause : {0, -5}) {
        auto p = OnePixel({Screen(kImmedia, 5, 0, APPEND_PAUSE, pause)});
        const auto shots = Take(p, 2);
        ASSERT_EQ(shots.size(), 2u);
        EXPECT_EQ(shots[1].m_picture[0], ".b") << "straight to the exit, pause " << pause;
    }
}

TEST(PreviewHold, PauseTimeIgnoredWithoutTheFlag)
{
    auto p = OnePixel({Screen(kImmedia, 5, 0, 0, 25)});
    const auto shots = Take(p, 2);
    EXPECT_EQ(shots[1].m_picture[0], ".b");
}

TEST(PreviewHold, QuiescenceStopsTheProgramme)
{
    auto p = OnePixel({Screen(kImmedia, kImmedia, 0, APPEND_QUIESCENCE), Screen(kImmedia, kImmedia)});
    CPreviewFrame f;
    ASSERT_TRUE(p.Next(f));
    ASSERT_TRUE(p.Next(f));
    EXPECT_TRUE(f.m_bForever);
    EXPECT_EQ(Line(*f.m_pPicture), "ab");
    EXPECT_FALSE(p.Next(f));
    EXPECT_EQ(Line(*f.m_pPicture), "ab");
    EXPECT_EQ(Line(p.PictureAt(1000000)), "ab");
}

TEST(PreviewClock, LayoutAndTexts)
{
    struct Case { int width; int colors; int x0; COLORREF color; } cases[] = {
        {160, 2, 14, RGB(255, 255, 0)},  // (160 - (20 + 112)) / 2
        {64, 1, 0, RGB(255, 0, 0)},      // too narrow: from the left edge
    };
    for (const auto& c : cases) {
        CPreviewPlayer p(CRasterSurface(c.width, 16, RGB(9, 9, 9)), c.width, 16, c.colors,
                         {Screen(kImmedia, kImmedia, 0, APPEND_TIME)});
        CFixedPitchPainter painter;
        p.SetTextPainter(&painter);
        p.SetTimeSource(Thursday);
        const auto shots = Take(p, 2);
        ASSERT_EQ(shots.size(), 2u);
        ASSERT_EQ(painter.m_calls.size(), 3u);
        const auto& year = painter.m_calls[0];
        const auto& monthDay = painter.m_calls[1];
        const auto& right = painter.m_calls[2];
        EXPECT_EQ(year.m_szText, "2026");
        EXPECT_EQ(year.m_pt, CPoint(c.x0 + 2, 0));  // centred over "04/05": (20 - 16) / 2
        EXPECT_EQ(year.m_nHeight, 8);
        EXPECT_EQ(monthDay.m_szText, "12/10");
        EXPECT_EQ(monthDay.m_pt, CPoint(c.x0, 8));
        EXPECT_EQ(right.m_szText, " Thursday 12:42:01");
        EXPECT_EQ(right.m_pt, CPoint(c.x0 + 20, 0));
        EXPECT_EQ(right.m_nHeight, 16);
        EXPECT_EQ(right.m_cr, c.color);
        EXPECT_EQ(shots[1].m_nWaitMs, 1000);
        // The clock is drawn on black, not over the picture.
        EXPECT_EQ(shots[1].m_picture[0][0], '.');
    }
}

TEST(PreviewClock, TenSecondsThenTheExit)
{
    auto p = OnePixel({Screen(kImmedia, kImmedia, 0, APPEND_TIME)});
    CFixedPitchPainter painter;
    p.SetTextPainter(&painter);
    int second = 0;
    p.SetTimeSource([&] {
        std::tm t = Thursday();
        t.tm_sec = second++;
        return t;
    });
    const auto shots = Take(p, 12);
    ASSERT_EQ(shots.size(), 12u);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(shots[std::size_t(i)].m_nWaitMs, 1000) << i;
    EXPECT_EQ(second, 10) << "redrawn every second from the time of drawing";
    EXPECT_EQ(painter.m_calls.back().m_szText, " Thursday 12:42:09");
    EXPECT_EQ(shots[11].m_nWaitMs, 0);
}

TEST(PreviewClock, TimeWithQuiescenceKeepsTheClockForever)
{
    auto p = OnePixel({Screen(kImmedia, kImmedia, 0, APPEND_TIME | APPEND_QUIESCENCE),
                       Screen(kImmedia, kImmedia)});
    CFixedPitchPainter painter;
    p.SetTextPainter(&painter);
    p.SetTimeSource(Thursday);
    const auto shots = Take(p, 200);
    ASSERT_EQ(shots.size(), 200u);
    for (std::size_t i = 1; i < shots.size(); ++i) {
        EXPECT_EQ(shots[i].m_nWaitMs, 1000);
        EXPECT_FALSE(shots[i].m_bForever);
    }
    EXPECT_EQ(painter.m_calls.size(), 3u * 199);
}

TEST(PreviewClock, ThePictureComesBackAfterTheClock)
{
    // "Open from left" exit blanks column by column what the display holds.
    CPreviewPlayer p(Canvas({{"abcd"}}), 4, 1, 2, {Screen(kImmedia, 5, 0, APPEND_TIME)});
    CFixedPitchPainter painter;
    p.SetTextPainter(&painter);
    const auto shots = Take(p, 12);
    ASSERT_EQ(shots.size(), 12u);
    EXPECT_NE(shots[10].m_picture[0], "abcd");
    EXPECT_EQ(shots[11].m_picture[0], ".bcd");
}

}  // namespace
