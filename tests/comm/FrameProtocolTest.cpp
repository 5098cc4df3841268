#include "app/CVemtApp.h"
#include "comm/FrameProtocol.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace {

using Frame = std::array<std::uint8_t, kFrameSize>;

unsigned SumOfBody(const Frame& f)
{
    return std::accumulate(f.begin() + 1, f.begin() + 1001, 0u) & 0xFFu;
}

bool AllZero(const Frame& f, int from, int to)
{
    for (int i = from; i < to; ++i)
        if (f[std::size_t(i)] != 0) return false;
    return true;
}

} // namespace

TEST(ToBCD, TwoDecimalDigitsInTwoNibbles)
{
    const struct { int value; std::uint8_t bcd; } cases[] = {
        {0, 0x00}, {7, 0x07}, {9, 0x09}, {10, 0x10}, {20, 0x20}, {45, 0x45}, {59, 0x59}, {99, 0x99},
    };
    for (const auto& c : cases) EXPECT_EQ(ToBCD(c.value), c.bcd) << c.value;
}

TEST(ControlFrame, ThreeScreensCarryCountsGeometryAndOneRecordEach)
{
    CVemtApp app;
    app.m_nTPWidth = 160;
    app.m_nTPHeight = 16;
    app.m_nColorCount = 2;
    app.m_nMaxScreen = 42;
    app.m_nNeedKVX = 1;
    std::vector<SCREENINFO> info(3);
    info[0].byImport = 3; info[0].byExport = 4; info[0].nPauseSec = 10; info[0].bySpeed = 0; info[0].byAppend = 0x02; info[0].nCartoon = 1;
    info[1].byImport = 15; info[1].byExport = 0; info[1].nPauseSec = 300; info[1].bySpeed = 2; info[1].byAppend = 0x10; info[1].nCartoon = 4;
    info[2].byImport = 1; info[2].byExport = 2; info[2].nPauseSec = 5; info[2].bySpeed = 3; info[2].byAppend = 0; info[2].nCartoon = 0;

    Frame f;
    f.fill(0xAA);
    ASSERT_TRUE(BuildControlFrame(f.data(), 3, 7, app, info));
    EXPECT_EQ(f[0], 7);
    EXPECT_EQ(f[1], CMD_CONTROL);
    EXPECT_EQ(f[2], 3);
    EXPECT_EQ(f[3], 0);
    EXPECT_EQ(f[4], 0);
    EXPECT_EQ(f[5], 2);
    EXPECT_EQ(f[6], 20);  // bytes per dot row
    EXPECT_EQ(f[7], 2);   // height in bytes
    EXPECT_EQ(f[8], 2);
    EXPECT_EQ(f[9], 42);
    EXPECT_EQ(f[10], 1);
    const std::uint8_t records[18] = {3, 4, 10, 0, 0x02, 1,  15, 0, 300 & 0xFF, 4, 0x10, 4,  1, 2, 5, 7, 0, 0};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(f[std::size_t(11 + i)], records[i]) << "record byte " << i;
    EXPECT_TRUE(AllZero(f, 29, 1001));
    EXPECT_EQ(f[1001], SumOfBody(f));
}

TEST(ControlFrame, SpeedCodesAreTranslatedForTheSign)
{
    CVemtApp app;
    const struct { std::uint8_t stored; std::uint8_t sent; } cases[] = {{0, 0}, {1, 2}, {2, 4}, {3, 7}, {9, 2}};
    for (const auto& c : cases) {
        std::vector<SCREENINFO> info(1);
        info[0].bySpeed = c.stored;
        Frame f;
        ASSERT_TRUE(BuildControlFrame(f.data(), 1, 1, app, info));
        EXPECT_EQ(f[14], c.sent) << int(c.stored);
    }
}

TEST(ControlFrame, ColourCountOtherThanOneOrTwoIsSentAsZero)
{
    CVemtApp app;
    std::vector<SCREENINFO> info(1);
    for (int cc : {1, 2, 3}) {
        app.m_nColorCount = cc;
        Frame f;
        ASSERT_TRUE(BuildControlFrame(f.data(), 1, 1, app, info));
        EXPECT_EQ(f[8], cc == 3 ? 0 : cc);
    }
}

TEST(ControlFrame, MissingRecordIsSentWithDefaultSettingsAndTooManyScreensAreRefused)
{
    CVemtApp app;
    Frame f;
    ASSERT_TRUE(BuildControlFrame(f.data(), 2, 1, app, std::vector<SCREENINFO>(1)));
    const SCREENINFO def;
    EXPECT_EQ(f[17 + 2], std::uint8_t(def.nPauseSec));
    EXPECT_FALSE(BuildControlFrame(f.data(), kMaxControlScreens + 1, 1, app, {}));
    EXPECT_TRUE(BuildControlFrame(f.data(), kMaxControlScreens, 1, app, {}));
}

TEST(DataFrames, CountIsCeilingOfBytesOver990AndNeverOne)
{
    const struct { int bytes; int frames; } cases[] = {
        {0, 0}, {1, 2}, {320, 2}, {990, 2}, {991, 2}, {1980, 2}, {1981, 3}, {2000, 3}, {2970, 3}, {2971, 4},
    };
    for (const auto& c : cases) EXPECT_EQ(DataFrameCount(c.bytes), c.frames) << c.bytes;
}

TEST(DataFrames, CommandCodesFollowFirstMiddleLast)
{
    const struct { int index, count; bool green; std::uint8_t code; } cases[] = {
        {0, 2, false, 0x7F}, {1, 2, false, 0x7D}, {0, 3, false, 0x7F}, {1, 3, false, 0x7E}, {2, 3, false, 0x7D},
        {0, 2, true, 0x6F},  {1, 2, true, 0x6D},  {1, 4, true, 0x6E},  {2, 4, true, 0x6E},  {3, 4, true, 0x6D},
    };
    for (const auto& c : cases) {
        Frame f;
        f.fill(0xEE);
        SetDataFrameHead(f.data(), c.index, c.count, 9, c.green);
        EXPECT_EQ(f[0], 9);
        EXPECT_EQ(f[1], c.code) << c.index << "/" << c.count;
        EXPECT_TRUE(AllZero(f, 2, 11));
    }
}

TEST(DataFrames, A991BytePlaneLeavesOneByteAndZerosForTheLastFrame)
{
    std::vector<std::uint8_t> plane(992);
    for (std::size_t i = 0; i < 991; ++i) plane[i] = std::uint8_t(i * 7 + 1);
    Frame first, last;
    BuildDataFrame(first.data(), 0, 2, 3, false, plane.data(), 991);
    BuildDataFrame(last.data(), 1, 2, 3, false, plane.data(), 991);
    EXPECT_EQ(first[1], 0x7F);
    for (int i = 0; i < 990; ++i) ASSERT_EQ(first[std::size_t(11 + i)], plane[std::size_t(i)]);
    EXPECT_EQ(first[1001], SumOfBody(first));
    EXPECT_EQ(last[1], 0x7D);
    EXPECT_EQ(last[11], plane[990]);
    EXPECT_TRUE(AllZero(last, 12, 1001));
    EXPECT_EQ(last[1001], SumOfBody(last));
}

TEST(ClockFrame, SundayFifthMay2002)
{
    std::tm t {};
    t.tm_year = 2002 - 1900;
    t.tm_mon = 4;
    t.tm_mday = 5;
    t.tm_wday = 0;
    t.tm_hour = 9;
    t.tm_min = 7;
    t.tm_sec = 3;
    Frame f;
    BuildClockFrame(f.data(), 2, t, 3, 1, true);
    const std::uint8_t expected[] = {2, CMD_CLOCK, 0x20, 0x02, 0x05, 0x05, 0x00, 0x09, 0x07, 0x03, 3, 1, 0};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(f[std::size_t(i)], expected[i]) << "byte " << i;
    EXPECT_TRUE(AllZero(f, 13, 1001));
    EXPECT_EQ(f[1001], SumOfBody(f));
    BuildClockFrame(f.data(), 2, t, 3, 1, false);
    EXPECT_EQ(f[12], 1) << "seconds hidden";
}

TEST(DeviceFrames, PowerAndShowAddress)
{
    Frame f;
    BuildPowerFrame(f.data(), 5, true);
    EXPECT_EQ(f[0], 5);
    EXPECT_EQ(f[1], CMD_POWER);
    EXPECT_EQ(f[2], 1);
    EXPECT_EQ(f[1001], std::uint8_t(CMD_POWER + 1));
    BuildPowerFrame(f.data(), 5, false);
    EXPECT_EQ(f[2], 0);
    EXPECT_EQ(f[1001], CMD_POWER);
    BuildShowAddressFrame(f.data(), true);
    EXPECT_EQ(f[0], 0) << "always every sign";
    EXPECT_EQ(f[1], CMD_SHOW_ADDRESS);
    EXPECT_EQ(f[2], 1);
    EXPECT_TRUE(AllZero(f, 3, 1001));
}

TEST(TimerFrame, EightEntriesSixBytesEachWithDayCodesAndClosedRanges)
{
    TimerTable timers;
    timers.fill(TIMERINFO {});
    timers[0] = {1, 0, 0, 2, 5, 8, 30};   // Mon, show 2..5 at 08:30
    timers[1] = {1, 1, 6, 3, 4, 23, 59};  // Sun, close: range goes out as 0, 0
    timers[2] = {0, 0, 7, 1, 1, 12, 5};   // Everyday, disabled
    timers[7] = {1, 0, 5, 1, 9, 0, 0};    // Sat
    Frame f;
    BuildTimerFrame(f.data(), 4, timers);
    EXPECT_EQ(f[0], 4);
    EXPECT_EQ(f[1], CMD_TIMER);
    const std::uint8_t e0[] = {1, 1, 0x08, 0x30, 2, 5};
    const std::uint8_t e1[] = {1, 0, 0x23, 0x59, 0, 0};
    const std::uint8_t e2[] = {0, 7, 0x12, 0x05, 1, 1};
    const std::uint8_t e7[] = {1, 6, 0x00, 0x00, 1, 9};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(f[std::size_t(2 + i)], e0[i]);
        EXPECT_EQ(f[std::size_t(8 + i)], e1[i]);
        EXPECT_EQ(f[std::size_t(14 + i)], e2[i]);
        EXPECT_EQ(f[std::size_t(44 + i)], e7[i]);
    }
    EXPECT_TRUE(AllZero(f, 50, 1001));
    EXPECT_EQ(f[1001], SumOfBody(f));
    const std::uint8_t days[8] = {1, 2, 3, 4, 5, 6, 0, 7};
    for (std::uint8_t d = 0; d < 8; ++d) EXPECT_EQ(TimerDayCode(d), days[d]);
}

TEST(QueryFrame, FiveBytesWithChecksum0x41)
{
    std::uint8_t q[kQueryFrameSize];
    BuildQueryFrame(q, 12);
    const std::uint8_t expected[] = {12, 0x3D, 3, 1, 0x41};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(q[i], expected[i]);
    EXPECT_EQ(FrameLengthForCommand(CMD_QUERY), 5);
    EXPECT_EQ(FrameLengthForCommand(CMD_CONTROL), 1002);
}
