#include "programme/CScreenInfoTable.h"
#include "programme/ScreenCodes.h"

#include "app/CVemtApp.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

SCREENINFO Rec(int import, int exportCode, int speed, int append, int pause, int cartoon)
{
    SCREENINFO r;
    r.byImport = std::uint8_t(import);
    r.byExport = std::uint8_t(exportCode);
    r.bySpeed = std::uint8_t(speed);
    r.byAppend = std::uint8_t(append);
    r.nPauseSec = pause;
    r.nCartoon = cartoon;
    return r;
}

bool SameBytes(const SCREENINFO& a, const SCREENINFO& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectDefault(const SCREENINFO& r)
{
    EXPECT_EQ(GetModeName(r.byImport), "Move from right");
    EXPECT_EQ(GetModeName(r.byExport), "Move from right");
    EXPECT_EQ(GetSpeedName(r.bySpeed), "Fastest");
    EXPECT_EQ(FormatAppendText(r), "No append mode");
    EXPECT_EQ(r.nPauseSec, 10);
    EXPECT_EQ(r.nCartoon, 0);
}

TEST(ScreenInfoRecord, ByteImageOfADefaultRecord)
{
    std::uint8_t bytes[16];
    std::memset(bytes, 0xEE, sizeof bytes);
    WriteScreenInfoBytes(SCREENINFO{}, bytes);
    const std::uint8_t expected[16] = {0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes, expected, 16), 0);
    EXPECT_EQ(std::memcmp(bytes, &static_cast<const SCREENINFO&>(SCREENINFO{}), 16), 0)
        << "memory holds the same image";
}

TEST(ScreenInfoRecord, ByteImageFieldPositions)
{
    const SCREENINFO r = Rec(15, 13, 3, 0xD5, 0x01020304, -2);
    std::uint8_t bytes[16];
    WriteScreenInfoBytes(r, bytes);
    const std::uint8_t expected[16] = {15, 13, 0, 0, 0x04, 0x03, 0x02, 0x01,
                                       3, 0xD5, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
    EXPECT_TRUE(SameBytes(ReadScreenInfoBytes(bytes), r));
}

TEST(ScreenInfoRecord, PaddingIsCarriedAsRead)
{
    std::uint8_t bytes[16] = {1, 2, 0xAA, 0xBB, 5, 0, 0, 0, 2, 0x04, 0xCC, 0xDD, 4, 0, 0, 0};
    const SCREENINFO r = ReadScreenInfoBytes(bytes);
    EXPECT_EQ(r.byImport, 1);
    EXPECT_EQ(r.byExport, 2);
    EXPECT_EQ(r.nPauseSec, 5);
    EXPECT_EQ(r.bySpeed, 2);
    EXPECT_EQ(r.byAppend, 0x04);
    EXPECT_EQ(r.nCartoon, 4);
    std::uint8_t again[16];
    WriteScreenInfoBytes(r, again);
    EXPECT_EQ(std::memcmp(bytes, again, 16), 0);
}

TEST(ResizeScreenInfo, FirstResizeMakesDefaultRecords)
{
    CVemtApp app;
    ASSERT_EQ(app.ScreenInfoCount(), 0);
    CScreenInfoTable(app).ResizeScreenInfo(3);
    ASSERT_EQ(app.ScreenInfoCount(), 3);
    for (const auto& r : app.m_aScreenInfo) ExpectDefault(r);
}

TEST(ResizeScreenInfo, GrowingKeepsTheFirstRecordAndAddsDefaults)
{
    std::vector<SCREENINFO> table = {Rec(5, 6, 2, 0x04, 25, 3)};
    const SCREENINFO first = table[0];
    CScreenInfoTable(table).ResizeScreenInfo(3);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_TRUE(SameBytes(table[0], first));
    ExpectDefault(table[1]);
    ExpectDefault(table[2]);
}

TEST(ResizeScreenInfo, ShrinkingDropsTheTailForGood)
{
    std::vector<SCREENINFO> table;
    for (int i = 0; i < 5; ++i) table.push_back(Rec(i, i + 1, i % 4, 0x80, i, i));
    const auto before = table;
    CScreenInfoTable t(table);
    t.ResizeScreenInfo(2);
    ASSERT_EQ(t.Count(), 2);
    EXPECT_TRUE(SameBytes(table[0], before[0]));
    EXPECT_TRUE(SameBytes(table[1], before[1]));
    t.ResizeScreenInfo(5);
    ASSERT_EQ(t.Count(), 5);
    EXPECT_TRUE(SameBytes(table[1], before[1]));
    for (int i = 2; i < 5; ++i) ExpectDefault(table[std::size_t(i)]);
}

TEST(ResizeScreenInfo, ZeroAndNegativeCountsLeaveNoRecords)
{
    std::vector<SCREENINFO> table(4);
    CScreenInfoTable t(table);
    t.ResizeScreenInfo(0);
    EXPECT_EQ(t.Count(), 0);
    table.resize(2);
    t.ResizeScreenInfo(-3);
    EXPECT_EQ(t.Count(), 0);
}

TEST(ResizeScreenInfo, ListVariantReleasesTheTableWithoutScreens)
{
    std::vector<SCREENINFO> table(4);
    CScreenInfoTable t(table);
    t.ResizeScreenInfoForList(2);
    EXPECT_EQ(t.Count(), 2);
    t.ResizeScreenInfoForList(0);
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(table.capacity(), 0u);
}

std::vector<SCREENINFO> ThreeScreens()
{
    return {Rec(1, 2, 1, 0x01, 11, 1), Rec(7, 8, 3, 0x94, 22, 4), Rec(13, 14, 0, 0x00, 33, 2)};
}

TEST(CopyScreenToAll, SecondScreensSettingsGoToEveryScreen)
{
    auto table = ThreeScreens();
    ASSERT_TRUE(CScreenInfoTable(table).CopyScreenToAll(1, 3));
    for (const auto& r : table) {
        EXPECT_EQ(r.byImport, 7);
        EXPECT_EQ(r.byExport, 8);
        EXPECT_EQ(r.bySpeed, 3);
        EXPECT_EQ(r.byAppend, 0x94);
        EXPECT_EQ(r.nPauseSec, 22);
        EXPECT_EQ(r.nCartoon, 4);
    }
}

TEST(CopyScreenToAll, OnlyTheScreensInUseAreChanged)
{
    auto table = ThreeScreens();
    const SCREENINFO last = table[2];
    ASSERT_TRUE(CScreenInfoTable(table).CopyScreenToAll(0, 2));
    EXPECT_EQ(table[1].byImport, 1);
    EXPECT_TRUE(SameBytes(table[2], last));
}

TEST(CopyScreenToAll, SourceOutsideTheScreensChangesNothing)
{
    for (int src : {-1, 3, 7}) {
        auto table = ThreeScreens();
        const auto before = table;
        EXPECT_FALSE(CScreenInfoTable(table).CopyScreenToAll(src, 3)) << src;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(SameBytes(table[i], before[i]));
    }
    // A screen count beyond the table never reaches past it.
    auto table = ThreeScreens();
    EXPECT_FALSE(CScreenInfoTable(table).CopyScreenToAll(4, 6));
    EXPECT_TRUE(CScreenInfoTable(table).CopyScreenToAll(2, 6));
    EXPECT_EQ(table.size(), 3u);
}

TEST(CopyColumnToAll, EachColumnCopiesOnlyItsFields)
{
    struct Case { int column; const char* name; } cases[] = {
        {0, "Import type"}, {1, "Export type"}, {2, "Speed"}, {3, "Append"}};
    for (const auto& c : cases) {
        auto table = ThreeScreens();
        const auto before = table;
        ASSERT_TRUE(CScreenInfoTable(table).CopyColumnToAll(1, c.column, 3)) << c.name;
        const SCREENINFO& src = before[1];
        for (std::size_t i = 0; i < 3; ++i) {
            const SCREENINFO& was = before[i];
            const SCREENINFO& now = table[i];
            EXPECT_EQ(now.byImport, c.column == 0 ? src.byImport : was.byImport) << c.name;
            EXPECT_EQ(now.byExport, c.column == 1 ? src.byExport : was.byExport) << c.name;
            EXPECT_EQ(now.bySpeed, c.column == 2 ? src.bySpeed : was.bySpeed) << c.name;
            EXPECT_EQ(now.byAppend, c.column == 3 ? src.byAppend : was.byAppend) << c.name;
            EXPECT_EQ(now.nPauseSec, c.column == 3 ? src.nPauseSec : was.nPauseSec) << c.name;
            EXPECT_EQ(now.nCartoon, c.column == 3 ? src.nCartoon : was.nCartoon) << c.name;
        }
    }
}

TEST(CopyColumnToAll, AppendCopiesPauseAndCartoonEvenWithTheirFlagsOff)
{
    std::vector<SCREENINFO> table = {Rec(0, 0, 0, 0x08, 42, 3), Rec(0, 0, 0, 0x84, 5, 1)};
    ASSERT_TRUE(CScreenInfoTable(table).CopyColumnToAll(0, 3, 2));
    EXPECT_EQ(table[1].byAppend, 0x08);
    EXPECT_EQ(table[1].nPauseSec, 42);
    EXPECT_EQ(table[1].nCartoon, 3);
}

TEST(CopyColumnToAll, UnknownColumnChangesNothing)
{
    for (int column : {-1, 4, 5}) {
        auto table = ThreeScreens();
        const auto before = table;
        EXPECT_FALSE(CScreenInfoTable(table).CopyColumnToAll(0, column, 3)) << column;
        for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(SameBytes(table[i], before[i]));
    }
}

}  // namespace
