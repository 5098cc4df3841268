#include "PreviewTestSupport.h"

#include "app/CVemtApp.h"

#include <gtest/gtest.h>

#include <set>

using namespace preview_test;

namespace {

constexpr int kImmedia = 13;

// A player over screens of one row each.
CPreviewPlayer RowPlayer(const std::vector<std::string>& rows, std::vector<SCREENINFO> table)
{
    std::vector<Picture> screens;
    for (const auto& r : rows) screens.push_back({r});
    return CPreviewPlayer(Canvas(screens), int(rows[0].size()), 1, 2, std::move(table));
}

std::vector<std::string> Lines(const std::vector<Shot>& shots)
{
    std::vector<std::string> lines;
    for (const auto& s : shots) lines.push_back(s.m_picture.at(0));
    return lines;
}

TEST(PreviewStepDelay, BySpeedCode)
{
    const int expected[] = {30, 50, 70, 90, 28, 30, 32, 34, 20, 20};
    for (int code = 0; code < 10; ++code) EXPECT_EQ(CPreviewPlayer::StepDelay(code), expected[code]) << code;
    EXPECT_EQ(CPreviewPlayer::StepDelay(255), 20);
}

TEST(PreviewEntry, MoveFromRightIntoABlackDisplay)
{
    auto p = RowPlayer({"abcd"}, {Screen(0, kImmedia, 3)});
    const auto shots = Take(p, 5);
    EXPECT_EQ(Lines(shots), (std::vector<std::string>{"....", "...a", "..ab", ".abc", "abcd"}));
    for (const auto& s : shots) EXPECT_EQ(s.m_nWaitMs, 90);
}

TEST(PreviewEntry, MoveFromRightPushesAContinuumScreenOut)
{
    // The old picture moves one dot per step; the column it uncovers keeps its pixels.
    auto p = RowPlayer({"abcd", "efgh"}, {Screen(kImmedia, 0, 0, APPEND_CONTINUUM), Screen(0, kImmedia)});
    const auto shots = Take(p, 6);
    EXPECT_EQ(Lines(shots),
              (std::vector<std::string>{"abcd", "bcdd", "cdde", "ddef", "defg", "efgh"}));
    EXPECT_EQ(shots[0].m_nWaitMs, 0) << "Immedia paints without a wait";
}

TEST(PreviewEntry, MoveFromLeftIntoABlackDisplay)
{
    auto p = RowPlayer({"abcd"}, {Screen(1, kImmedia)});
    EXPECT_EQ(Lines(Take(p, 5)), (std::vector<std::string>{"....", "d...", "cd..", "bcd.", "abcd"}));
}

TEST(PreviewEntry, ScrollUpAndScrollBottom)
{
    const std::vector<Picture> screen = {{"ab", "cd", "ef"}};
    {
        CPreviewPlayer p(Canvas(screen), 2, 3, 2, {Screen(2, kImmedia, 1)});
        const auto shots = Take(p, 4);
        ASSERT_EQ(shots.size(), 4u);
        EXPECT_EQ(shots[0].m_picture, (Picture{"..", "..", ".."}));
        EXPECT_EQ(shots[1].m_picture, (Picture{"..", "..", "ab"}));
        EXPECT_EQ(shots[2].m_picture, (Picture{"..", "ab", "cd"}));
        EXPECT_EQ(shots[3].m_picture, (Picture{"ab", "cd", "ef"}));
        EXPECT_EQ(shots[3].m_nWaitMs, 50);
    }
    {
        CPreviewPlayer p(Canvas(screen), 2, 3, 2, {Screen(3, kImmedia)});
        const auto shots = Take(p, 4);
        ASSERT_EQ(shots.size(), 4u);
        EXPECT_EQ(shots[1].m_picture, (Picture{"ef", "..", ".."}));
        EXPECT_EQ(shots[2].m_picture, (Picture{"cd", "ef", ".."}));
        EXPECT_EQ(shots[3].m_picture, (Picture{"ab", "cd", "ef"}));
    }
}

TEST(PreviewEntry, JumpFromRightSlidesEightDotBlocks)
{
    const std::string pic = "ABCDEFGHijklmnop";
    auto p = RowPlayer({pic}, {Screen(4, kImmedia, 2)});
    const auto shots = Take(p, 11);
    ASSERT_EQ(shots.size(), 11u);
    // First block: from x = 8 down to x = 0, painted at every dot, one wait at the end.
    EXPECT_EQ(shots[0].m_picture[0], "........ABCDEFGH");
    EXPECT_EQ(shots[1].m_picture[0], ".......ABCDEFGH.");
    EXPECT_EQ(shots[8].m_picture[0], "ABCDEFGH........");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(shots[std::size_t(i)].m_nWaitMs, 0) << i;
    EXPECT_EQ(shots[8].m_nWaitMs, 70);
    // Second block starts where it ends; the block position 16 only waits.
    EXPECT_EQ(shots[9].m_picture[0], pic);
    EXPECT_EQ(shots[9].m_nWaitMs, 70);
    EXPECT_EQ(shots[10].m_picture[0], pic);
    EXPECT_EQ(shots[10].m_nWaitMs, 70);
}

// Which columns (or rows) of the picture each step has revealed so far.
struct OpenCase {
    const char* name;
    int code;
    bool rows;
    std::vector<std::set<int>> added;  // per step, the lines that step adds
};

TEST(PreviewEntry, OpenAndCoverPatterns)
{
    const int W = 5, H = 5;
    const OpenCase cases[] = {
        {"Open from left", 5, false, {{0}, {1}, {2}, {3}, {4}, {}}},
        {"Open from right", 6, false, {{}, {4}, {3}, {2}, {1}, {0}}},
        {"Open from bottom", 7, true, {{}, {4}, {3}, {2}, {1}, {0}}},
        {"Open from up", 8, true, {{0}, {1}, {2}, {3}, {4}, {}}},
        {"Open from center", 9, false, {{2}, {1, 3}, {0, 4}}},
        {"Open from both sides", 10, false, {{0}, {1, 4}, {2, 3}}},
        {"Cover from center", 11, true, {{2}, {1, 3}, {0, 4}}},
        {"Cover from both sides", 12, true, {{0}, {1, 4}, {2, 3}}},
    };
    const Picture pic = {"abcde", "fghij", "klmno", "pqrst", "uvwxy"};
    for (const auto& c : cases) {
        CPreviewPlayer p(Canvas({pic}), W, H, 2, {Screen(c.code, kImmedia)});
        const auto shots = Take(p, int(c.added.size()));
        ASSERT_EQ(shots.size(), c.added.size()) << c.name;
        std::set<int> shown;
        for (std::size_t k = 0; k < shots.size(); ++k) {
            shown.insert(c.added[k].begin(), c.added[k].end());
            Picture expected(H, std::string(W, '.'));
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    if (shown.count(c.rows ? y : x)) expected[std::size_t(y)][std::size_t(x)] = pic[std::size_t(y)][std::size_t(x)];
            EXPECT_EQ(shots[k].m_picture, expected) << c.name << " step " << k;
            EXPECT_EQ(shots[k].m_nWaitMs, 30) << c.name;
        }
        EXPECT_EQ(shots.back().m_picture, pic) << c.name;
    }
}

TEST(PreviewEntry, OpenFromCenterOnAnEvenWidth)
{
    auto p = RowPlayer({"abcd"}, {Screen(9, kImmedia)});
    EXPECT_EQ(Lines(Take(p, 3)), (std::vector<std::string>{"..c.", ".bcd", "abcd"}));
}

TEST(PreviewEntry, OpenFromLeftAfterAContinuumScreenStartsBlack)
{
    auto p = RowPlayer({"abcd", "efgh"}, {Screen(kImmedia, 0, 0, APPEND_CONTINUUM), Screen(5, kImmedia)});
    EXPECT_EQ(Lines(Take(p, 3)), (std::vector<std::string>{"abcd", "e...", "ef.."}));
}

TEST(PreviewExit, MovingExits)
{
    struct Case { const char* name; int code; std::vector<std::string> frames; } cases[] = {
        {"Move from right", 0, {"abcd", "bcd.", "cd..", "d...", "...."}},
        {"Move from left", 1, {"abcd", ".abc", "..ab", "...a", "...."}},
        {"Open from left", 5, {".bcd", "..cd", "...d", "....", "...."}},
        {"Open from right", 6, {"abcd", "abc.", "ab..", "a...", "...."}},
        {"Open from center", 9, {"ab.d", "a...", "...."}},
        {"Open from both sides", 10, {".bcd", "..c.", "...."}},
        {"Immedia", 13, {"...."}},
    };
    for (const auto& c : cases) {
        auto p = RowPlayer({"abcd"}, {Screen(kImmedia, c.code, 1)});
        const auto shots = Take(p, 1 + int(c.frames.size()));
        ASSERT_EQ(shots.size(), 1 + c.frames.size()) << c.name;
        const std::vector<Shot> exitShots(shots.begin() + 1, shots.end());
        EXPECT_EQ(Lines(exitShots), c.frames) << c.name;
        EXPECT_EQ(exitShots.front().m_nWaitMs, c.code == kImmedia ? 0 : 50) << c.name;
    }
}

TEST(PreviewExit, ScrollExits)
{
    const std::vector<Picture> screen = {{"ab", "cd", "ef"}};
    {
        CPreviewPlayer p(Canvas(screen), 2, 3, 2, {Screen(kImmedia, 2)});
        const auto shots = Take(p, 5);
        ASSERT_EQ(shots.size(), 5u);
        EXPECT_EQ(shots[1].m_picture, (Picture{"ab", "cd", "ef"}));
        EXPECT_EQ(shots[2].m_picture, (Picture{"cd", "ef", ".."}));
        EXPECT_EQ(shots[4].m_picture, (Picture{"..", "..", ".."}));
    }
    {
        CPreviewPlayer p(Canvas(screen), 2, 3, 2, {Screen(kImmedia, 3)});
        const auto shots = Take(p, 5);
        ASSERT_EQ(shots.size(), 5u);
        EXPECT_EQ(shots[2].m_picture, (Picture{"..", "ab", "cd"}));
        EXPECT_EQ(shots[3].m_picture, (Picture{"..", "..", "ab"}));
        EXPECT_EQ(shots[4].m_picture, (Picture{"..", "..", ".."}));
    }
    {
        CPreviewPlayer p(Canvas(screen), 2, 3, 2, {Screen(kImmedia, 12)});
        const auto shots = Take(p, 3);
        ASSERT_EQ(shots.size(), 3u);
        EXPECT_EQ(shots[1].m_picture, (Picture{"..", "cd", "ef"})) << "rows 0 and 3";
        EXPECT_EQ(shots[2].m_picture, (Picture{"..", "..", ".."})) << "rows 1 and 2";
    }
}

TEST(PreviewExit, JumpSlidesEachBlockOutToTheLeft)
{
    const std::string pic = "ABCDEFGHijklmnop";
    auto p = RowPlayer({pic}, {Screen(kImmedia, 4, 3)});
    const auto shots = Take(p, 1 + 17 + 25);
    ASSERT_EQ(shots.size(), 43u);
    // Block 0: x = 0 .. -8 (9 steps). Each step clears the column after the block too.
    EXPECT_EQ(shots[1].m_picture[0], "ABCDEFGH.jklmnop");
    EXPECT_EQ(shots[2].m_picture[0], "BCDEFGH..jklmnop");
    EXPECT_EQ(shots[9].m_picture[0], ".........jklmnop");
    EXPECT_EQ(shots[9].m_nWaitMs, 90);
    for (int i = 1; i < 9; ++i) EXPECT_EQ(shots[std::size_t(i)].m_nWaitMs, 0) << i;
    // Block 8: x = 8 .. -8 (17 steps).
    EXPECT_EQ(shots[10].m_picture[0], "........ijklmnop");
    EXPECT_EQ(shots[11].m_picture[0], ".......ijklmnop.");
    EXPECT_EQ(shots[26].m_picture[0], "................");
    EXPECT_EQ(shots[26].m_nWaitMs, 90);
}

// The entry frames of one screen played alone with the given code, starting black.
std::vector<Shot> EntryOf(int code, int frames)
{
    auto p = RowPlayer({"abcdefghijklmnop"}, {Screen(code, kImmedia)});
    return Take(p, frames);
}

// Frames of each entry code on a 16 x 1 display: W + 1 column steps, H + 1 row steps,
// W / 2 + 1 and H / 2 + 1 for the double patterns, 11 for the jump's two blocks.
int EntryLength(int code)
{
    const int frames[14] = {17, 17, 2, 2, 11, 17, 17, 2, 2, 9, 9, 1, 1, 1};
    return frames[code];
}

TEST(PreviewRandom, RandomAndReadyEntriesRunThroughCodesZeroToThirteen)
{
    // Fifteen screens alternately "Random" and "Ready", each leaving by "Immedia" so
    // every entry starts from black.
    std::vector<SCREENINFO> table;
    std::vector<std::string> rows;
    for (int i = 0; i < 15; ++i) {
        table.push_back(Screen(i % 2 ? 14 : 15, kImmedia));
        rows.push_back("abcdefghijklmnop");
    }
    auto p = RowPlayer(rows, table);
    for (int i = 0; i < 15; ++i) {
        const int code = i % 14;
        const int n = EntryLength(code);
        const auto expected = EntryOf(code, n);
        const auto got = Take(p, n + 1);  // the entry, then the black exit
        ASSERT_EQ(got.size(), std::size_t(n + 1));
        for (int k = 0; k < n; ++k)
            ASSERT_EQ(got[std::size_t(k)].m_picture, expected[std::size_t(k)].m_picture)
                << "screen " << i << " expected code " << code << " step " << k;
        EXPECT_EQ(got[std::size_t(n)].m_picture[0], std::string(16, '.'));
    }
}

TEST(PreviewRandom, ExitCounterIsIndependent)
{
    // Entries "Random" on screen 0 do not move the exit counter: the first random exit
    // is "Move from right", the second "Move from left".
    auto p = RowPlayer({"abcd", "efgh"}, {Screen(15, 15), Screen(kImmedia, 14)});
    const auto first = Take(p, 5 + 5);  // Move-from-right entry, then the exit
    ASSERT_EQ(first.size(), 10u);
    EXPECT_EQ(first[4].m_picture[0], "abcd");
    EXPECT_EQ(first[6].m_picture[0], "bcd.") << "exit code 0";
    const auto second = Take(p, 1 + 5);
    ASSERT_EQ(second.size(), 6u);
    EXPECT_EQ(second[0].m_picture[0], "efgh");
    EXPECT_EQ(second[2].m_picture[0], ".efg") << "exit code 1";
}

TEST(PreviewProgramme, ScreensPlayInOrderAndStartAgain)
{
    auto p = RowPlayer({"ab", "cd"}, {Screen(kImmedia, kImmedia), Screen(kImmedia, kImmedia, 0, APPEND_PAUSE, 1)});
    const auto shots = Take(p, 8);
    ASSERT_EQ(shots.size(), 8u);
    EXPECT_EQ(shots[0].m_picture[0], "ab");
    EXPECT_EQ(shots[1].m_picture[0], "..");
    EXPECT_EQ(shots[2].m_picture[0], "cd");
    EXPECT_EQ(shots[3].m_picture[0], "cd");
    EXPECT_EQ(shots[3].m_nWaitMs, 1000);
    EXPECT_EQ(shots[4].m_picture[0], "..");
    EXPECT_EQ(shots[5].m_picture[0], "ab");
}

TEST(PreviewProgramme, NoScreensNothingToPlay)
{
    CPreviewPlayer p(CRasterSurface(4, 2), 4, 2, 2, {});
    CPreviewFrame f;
    EXPECT_FALSE(p.Next(f));
    EXPECT_TRUE(f.m_bForever);
    EXPECT_EQ(Line(*f.m_pPicture), "....");
}

TEST(PreviewProgramme, InstantOrUnknownEffectsStillGiveTheWindowTime)
{
    // Codes the editor never stores play nothing; a programme made only of those and of
    // instant effects must not turn without end between two frames.
    auto p = RowPlayer({"ab"}, {Screen(40, 200)});
    const auto shots = Take(p, 3);
    ASSERT_EQ(shots.size(), 3u);
    for (const auto& s : shots) EXPECT_GT(s.m_nWaitMs, 0);

    auto q = RowPlayer({"ab"}, {Screen(kImmedia, kImmedia)});
    std::int64_t total = 0;
    for (const auto& s : Take(q, 30)) total += s.m_nWaitMs;
    EXPECT_GE(total, 10 * 30);
}

TEST(PreviewProgramme, PictureAtFollowsTheFrameTimes)
{
    auto p = RowPlayer({"abcd"}, {Screen(kImmedia, 5, 0, APPEND_PAUSE, 2)});
    EXPECT_EQ(Line(p.PictureAt(0)), "abcd");
    EXPECT_EQ(Line(p.PictureAt(1999)), "abcd");
    EXPECT_EQ(Line(p.PictureAt(2000)), ".bcd");
    EXPECT_EQ(Line(p.PictureAt(2030)), "..cd");
    EXPECT_EQ(Line(p.PictureAt(2110)), "....");
    // Blank exit ends at 2150; the next pass starts with the picture again.
    EXPECT_EQ(Line(p.PictureAt(2150)), "abcd");
}

TEST(PreviewProgramme, OpeningFromTheApplicationResizesItsTable)
{
    CVemtApp app;
    app.m_nTPWidth = 4;
    app.m_nTPHeight = 1;
    app.m_aScreenInfo = {Screen(kImmedia, kImmedia)};
    CPreviewPlayer p(app, Canvas({{"abcd"}, {"efgh"}, {"ijkl"}}), 3);
    EXPECT_EQ(app.ScreenInfoCount(), 3);
    EXPECT_EQ(p.ScreenCount(), 3);
    const auto shots = Take(p, 3);
    EXPECT_EQ(shots[0].m_picture[0], "abcd");
    EXPECT_EQ(shots[2].m_picture[0], "....") << "screen 1 enters by the default move from right";
}

TEST(PreviewProgramme, StoppingInTheMiddleOfAnEffect)
{
    auto p = std::make_unique<CPreviewPlayer>(Canvas({{"abcdefgh"}}), 8, 1, 2,
                                              std::vector<SCREENINFO>{Screen(4, 4, 3)});
    Take(*p, 5);
    p.reset();  // the window closes mid-slide: nothing is left running
    SUCCEED();
}

}  // namespace
