// The preview's frames held to their nominal times: lateness is never carried forward.
#include "PreviewTestSupport.h"

#include "programme/CPreviewSchedule.h"

#include <gtest/gtest.h>

#include <vector>

using namespace preview_test;

namespace {

// A 8 x 2 programme of two screens with different speeds and a pause.
CPreviewPlayer MakePlayer()
{
    return CPreviewPlayer(Canvas({{"AAAAAAAA", "AAAAAAAA"}, {"BBBBBBBB", "BBBBBBBB"}}), 8, 2, 1,
                          {Screen(0, 5, 3, APPEND_PAUSE, 1), Screen(9, 13, 1)});
}

// The nominal start of every frame (microseconds), from a second player stepped alone.
std::vector<std::int64_t> NominalStarts(int count)
{
    CPreviewPlayer player = MakePlayer();
    std::vector<std::int64_t> starts;
    std::int64_t t = 0;
    CPreviewFrame f;
    for (int i = 0; i < count && player.Next(f); ++i) {
        starts.push_back(t);
        t += f.m_nWaitMs * 1000;
    }
    return starts;
}

} // namespace

TEST(PreviewSchedule, AFrameShownLateDoesNotDelayTheNextOne)
{
    const std::vector<std::int64_t> nominal = NominalStarts(200);
    ASSERT_EQ(nominal.size(), 200u);
    CPreviewPlayer player = MakePlayer();
    CPreviewSchedule schedule(player);

    CPreviewSchedule::Step step = schedule.Advance(0);
    EXPECT_TRUE(step.m_bNewFrame);
    EXPECT_EQ(step.m_nDueUs, 0);
    EXPECT_EQ(step.m_nNextDueUs, nominal[1]);
    ASSERT_NE(schedule.Picture(), nullptr);

    // Just before the next frame is due nothing changes.
    step = schedule.Advance(nominal[1] - 1);
    EXPECT_FALSE(step.m_bNewFrame);
    EXPECT_EQ(step.m_nNextDueUs, nominal[1]);

    // Shown 2.5 ms late: the following frame is still due at its nominal time.
    step = schedule.Advance(nominal[1] + 2500);
    EXPECT_TRUE(step.m_bNewFrame);
    EXPECT_EQ(step.m_nDueUs, nominal[1]);
    EXPECT_EQ(step.m_nNextDueUs, nominal[2]);

    // Asked far beyond: the frames in between are played through and the schedule is
    // where the nominal times say, whatever the lateness before.
    struct Case { std::size_t frame; std::int64_t lateUs; };
    const Case cases[] = {{10, 0}, {37, 999}, {38, 40000}, {150, 1}, {199, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        step = schedule.Advance(nominal[c.frame] + c.lateUs);
        EXPECT_TRUE(step.m_bNewFrame);
        EXPECT_EQ(step.m_nDueUs, nominal[c.frame]);
        if (c.frame + 1 < nominal.size()) EXPECT_EQ(step.m_nNextDueUs, nominal[c.frame + 1]);
    }
}

TEST(PreviewSchedule, FramesWithoutAWaitArePlayedThroughAtOnce)
{
    // "Jump from right" slides each block without waiting between its steps.
    CPreviewPlayer player(Canvas({{"ABCDEFGHIJKLMNOP"}}), 16, 1, 1, {Screen(4, 13)});
    CPreviewSchedule schedule(player);
    CPreviewSchedule::Step step = schedule.Advance(0);
    // The first block's slide ends with the block in place and one wait of 30 ms.
    EXPECT_EQ(step.m_nNextDueUs, 30000);
    EXPECT_EQ(Line(*schedule.Picture()), "ABCDEFGH........");
    EXPECT_EQ(schedule.Frame().m_nWaitMs, 30);
}

TEST(PreviewSchedule, AProgrammeThatStopsGoingOnEndsTheSchedule)
{
    struct Case { const char* name; std::vector<SCREENINFO> table; };
    const Case cases[] = {
        {"no screens", {}},
        {"quiescence", {Screen(13, 13, 0, APPEND_QUIESCENCE)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPreviewPlayer player(Canvas({{"AB"}}), 2, 1, 1, c.table);
        CPreviewSchedule schedule(player);
        CPreviewSchedule::Step step = schedule.Advance(0);
        for (int i = 0; i < 3 && !schedule.Ended(); ++i) step = schedule.Advance(step.m_nNextDueUs);
        EXPECT_TRUE(schedule.Ended());
        EXPECT_EQ(step.m_nNextDueUs, -1);
        EXPECT_FALSE(schedule.Advance(1'000'000'000).m_bNewFrame);
    }
}
