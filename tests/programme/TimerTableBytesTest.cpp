#include "programme/TimerTableBytes.h"

#include "app/CVemtApp.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(TimerTableBytes, StartValuesOfTheApplication)
{
    CVemtApp app;
    EXPECT_TRUE(IsDefaultTimerTable(app.m_aTimer));
    std::uint8_t bytes[TIMER_TABLE_BYTES];
    WriteTimerTableBytes(app.m_aTimer, bytes);
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint8_t expected[7] = {0, 0, 0, 1, 1, 0, 0};
        EXPECT_EQ(std::memcmp(bytes + 7 * i, expected, 7), 0) << "entry " << i + 1;
    }
}

TEST(TimerTableBytes, EveryFieldChangeIsNoLongerDefault)
{
    for (int field = 0; field < 7; ++field) {
        TimerTable table;
        table.fill(TIMERINFO{});
        std::uint8_t bytes[TIMER_TABLE_BYTES];
        WriteTimerTableBytes(table, bytes);
        bytes[7 * 5 + field] ^= 0x02;
        EXPECT_FALSE(IsDefaultTimerTable(ReadTimerTableBytes(bytes))) << field;
    }
}

TEST(TimerTableBytes, FieldOrderAndRoundTrip)
{
    TimerTable table;
    table.fill(TIMERINFO{});
    table[0] = {1, 0, 7, 3, 9, 23, 59};
    table[7] = {1, 1, 6, 0, 0, 12, 30};
    std::uint8_t bytes[TIMER_TABLE_BYTES];
    WriteTimerTableBytes(table, bytes);
    const std::uint8_t first[7] = {1, 0, 7, 3, 9, 23, 59};
    const std::uint8_t last[7] = {1, 1, 6, 0, 0, 12, 30};
    EXPECT_EQ(std::memcmp(bytes, first, 7), 0);
    EXPECT_EQ(std::memcmp(bytes + 49, last, 7), 0);

    const TimerTable back = ReadTimerTableBytes(bytes);
    std::uint8_t again[TIMER_TABLE_BYTES];
    WriteTimerTableBytes(back, again);
    EXPECT_EQ(std::memcmp(bytes, again, TIMER_TABLE_BYTES), 0);
    EXPECT_EQ(back[7].byHour, 12);
}

TEST(TimerTableBytes, OutOfRangeBytesAreKeptAsStored)
{
    std::uint8_t bytes[TIMER_TABLE_BYTES];
    for (std::size_t i = 0; i < TIMER_TABLE_BYTES; ++i) bytes[i] = std::uint8_t(200 + i);
    std::uint8_t again[TIMER_TABLE_BYTES];
    WriteTimerTableBytes(ReadTimerTableBytes(bytes), again);
    EXPECT_EQ(std::memcmp(bytes, again, TIMER_TABLE_BYTES), 0);
}

}  // namespace
