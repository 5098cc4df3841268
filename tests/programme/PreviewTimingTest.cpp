#include "PreviewTestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace preview_test;

namespace {

// Steps of each effect on a W x H display: columns and rows run k = 0 .. W (or H), the
// centre patterns k = 0 .. W / 2 (or H / 2), the jump waits once per 8-dot block:
// b = 0, 8, .. while b <= W on entry and while b <= W - 8 on exit.
int EntrySteps(int code, int W, int H)
{
    switch (code) {
    case 0: case 1: case 5: case 6: return W + 1;
    case 2: case 3: case 7: case 8: return H + 1;
    case 4: return W / 8 + 1;
    case 9: case 10: return W / 2 + 1;
    case 11: case 12: return H / 2 + 1;
    default: return 0;
    }
}

int ExitSteps(int code, int W, int H) { return code == 4 ? (W - 8) / 8 + 1 : EntrySteps(code, W, H); }

// Waits of one screen's course, summed by phase, over its first pass.
std::map<PreviewPhase, std::int64_t> OnePass(CPreviewPlayer& p, int screen)
{
    std::map<PreviewPhase, std::int64_t> sums;
    CPreviewFrame f;
    bool seen = false;
    for (int n = 0; n < 100000 && p.Next(f); ++n) {
        if (f.m_nScreen != screen || f.m_ePhase == PreviewPhase::Idle) {
            if (seen) break;
            continue;
        }
        if (seen && f.m_ePhase == PreviewPhase::Entry && sums.count(PreviewPhase::Exit)) break;
        seen = true;
        sums[f.m_ePhase] += f.m_nWaitMs;
    }
    return sums;
}

TEST(PreviewTiming, EveryEffectAtEverySpeedOnTheLargestSign)
{
    const int W = 320, H = 64;
    for (int speed = 0; speed < 4; ++speed) {
        const int d = CPreviewPlayer::StepDelay(speed);
        for (int code = 0; code <= 12; ++code) {
            CPreviewPlayer p(CRasterSurface(W, H, RGB(255, 0, 0)), W, H, 2,
                             {Screen(code, code, speed)});
            auto sums = OnePass(p, 0);
            EXPECT_EQ(sums[PreviewPhase::Entry], std::int64_t(EntrySteps(code, W, H)) * d)
                << "entry " << code << " speed " << speed;
            EXPECT_EQ(sums[PreviewPhase::Exit], std::int64_t(ExitSteps(code, W, H)) * d)
                << "exit " << code << " speed " << speed;
            EXPECT_EQ(sums[PreviewPhase::Hold], 0);
        }
    }
}

TEST(PreviewTiming, HoldTimesByFlags)
{
    struct Case { const char* name; int flags; int pause; int cartoon; std::int64_t holdMs; } cases[] = {
        {"none", 0, 10, 0, 0},
        {"Flicker", APPEND_FLICKER, 10, 0, 6 * 300},
        {"Pause 4", APPEND_PAUSE, 4, 0, 4000},
        {"Time", APPEND_TIME, 10, 0, 10 * 1000},
        {"Flicker, Pause 2, Time", APPEND_FLICKER | APPEND_PAUSE | APPEND_TIME, 2, 0, 1800 + 2000 + 10000},
        {"Eat bean", APPEND_CARTOON, 10, 0, ((320 - 8) / 8) * 300 + 500},
        {"Toxophily", APPEND_CARTOON, 10, 1, 350 + 350 + 4 * 50 + 50 + 3 * 50 + 350},
        {"Weight lifting", APPEND_CARTOON, 10, 2, 3 * 450},
        {"Lion", APPEND_CARTOON, 10, 3, (320 - 32) * 50},
        {"Horse", APPEND_CARTOON, 10, 4, 20 * 6 * 150},  // r = 0, 2, .. 38 < 39
        {"Cartoon 5", APPEND_CARTOON, 10, 5, 0},
        {"unused bits", 0x22, 10, 0, 0},
    };
    for (const auto& c : cases) {
        CPreviewPlayer p(CRasterSurface(320, 64), 320, 64, 2,
                         {Screen(13, 5, 0, c.flags, c.pause, c.cartoon)});
        auto sums = OnePass(p, 0);
        EXPECT_EQ(sums[PreviewPhase::Hold], c.holdMs) << c.name;
        EXPECT_EQ(sums[PreviewPhase::Exit], 321 * 30) << c.name;
    }
}

TEST(PreviewTiming, ContinuumSkipsHoldAndExit)
{
    CPreviewPlayer p(CRasterSurface(16, 4), 16, 4, 2,
                     {Screen(0, 0, 0, APPEND_CONTINUUM | APPEND_PAUSE, 5), Screen(13, 13)});
    CPreviewFrame f;
    for (int n = 0; n < 17; ++n) {
        ASSERT_TRUE(p.Next(f));
        EXPECT_EQ(f.m_nScreen, 0);
        EXPECT_EQ(f.m_ePhase, PreviewPhase::Entry);
    }
    ASSERT_TRUE(p.Next(f));
    EXPECT_EQ(f.m_nScreen, 1) << "straight into the next screen's entry";
    EXPECT_EQ(f.m_ePhase, PreviewPhase::Entry);
}

}  // namespace

namespace {

// Records straight from a damaged companion file: any byte in any field.
TEST(PreviewRobustness, ArbitraryRecordsPlayWithoutHangingOrLeavingTheDisplay)
{
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 40; ++round) {
        const int W = 1 + int(next() % 40), H = 1 + int(next() % 20), screens = 1 + int(next() % 4);
        std::vector<SCREENINFO> table;
        for (int s = 0; s < screens; ++s) {
            SCREENINFO r;
            r.byImport = std::uint8_t(next());
            r.byExport = std::uint8_t(next());
            r.bySpeed = std::uint8_t(next());
            // Keep holds short enough to reach many screens; all flag bits still occur.
            r.byAppend = std::uint8_t(next()) & std::uint8_t(~APPEND_QUIESCENCE);
            r.nPauseSec = int(next() % 3) - 1;
            r.nCartoon = int(next() % 8) - 1;
            table.push_back(r);
        }
        CPreviewPlayer p(CRasterSurface(W, H * screens, RGB(255, 0, 0)), W, H, 1 + int(next() % 2), table);
        CPreviewFrame f;
        std::int64_t total = 0;
        for (int n = 0; n < 3000; ++n) {
            ASSERT_TRUE(p.Next(f)) << "round " << round;
            ASSERT_EQ(f.m_pPicture->Width(), W);
            ASSERT_EQ(f.m_pPicture->Height(), H);
            ASSERT_GE(f.m_nWaitMs, 0);
            ASSERT_GE(f.m_nScreen, 0);
            ASSERT_LT(f.m_nScreen, screens);
            total += f.m_nWaitMs;
        }
        EXPECT_GT(total, 0) << "round " << round;
    }
}

}  // namespace
