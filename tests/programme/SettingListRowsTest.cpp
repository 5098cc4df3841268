#include "programme/SettingListRows.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingList, ColumnsOfTheList)
{
    const char* headers[] = {"Key", "Import mode", "Export mode", "Speed", "Append mode"};
    const int widths[] = {75, 140, 140, 85, 150};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(kSettingColumns[i].m_szHeader, headers[i]);
        EXPECT_EQ(kSettingColumns[i].m_nWidth, widths[i]);
    }
    EXPECT_EQ(kSettingColumns[3].m_nEditorKind, 7);
    EXPECT_EQ(kSettingColumns[4].m_nEditorKind, 4);
    EXPECT_EQ(kSettingColumns[4].m_nButtonKind, 2);
}

TEST(SettingList, RowTexts)
{
    EXPECT_EQ(ScreenRowLabel(0), "1 Screen");
    EXPECT_EQ(ScreenRowLabel(11), "12 Screen");
    SCREENINFO rec;
    rec.byImport = 15;
    rec.byExport = 9;
    rec.bySpeed = 1;
    rec.byAppend = APPEND_PAUSE;
    rec.nPauseSec = 7;
    const auto cells = RowCellTexts(rec);
    EXPECT_EQ(cells[0], "Random");
    EXPECT_EQ(cells[1], "Open from center");
    EXPECT_EQ(cells[2], "Fast ");
    EXPECT_EQ(cells[3], "Pause ( 7 sec )");
    EXPECT_EQ(RowCellTexts(SCREENINFO{})[3], "No append mode");
}

TEST(SettingList, StoringTheDropDownCells)
{
    SCREENINFO rec;
    rec.byAppend = APPEND_CARTOON;
    rec.nCartoon = 3;
    StoreComboCells(rec, "Cover from both sides", "Immedia", "Slow");
    EXPECT_EQ(rec.byImport, 12);
    EXPECT_EQ(rec.byExport, 13);
    EXPECT_EQ(rec.bySpeed, 3);
    EXPECT_EQ(rec.byAppend, APPEND_CARTOON) << "the append column is stored by its dialog";
    EXPECT_EQ(rec.nCartoon, 3);
    StoreComboCells(rec, "random", "", "Fast");
    EXPECT_EQ(rec.byImport, 0);
    EXPECT_EQ(rec.byExport, 0);
    EXPECT_EQ(rec.bySpeed, 0);
}

TEST(AppendChoice, OpeningShowsThePauseAsText)
{
    SCREENINFO rec;
    rec.byAppend = 0x81;
    rec.nCartoon = 4;
    const CAppendChoice c = AppendChoiceOf(rec);
    EXPECT_EQ(c.m_nFlags, 0x81);
    EXPECT_EQ(c.m_szPause, "10");
    EXPECT_EQ(c.m_nCartoon, 4);
}

TEST(AppendChoice, OkStoresEverythingAsItStands)
{
    struct Case { const char* pause; int stored; } cases[] = {
        {"25", 25}, {"", 0}, {"0", 0}, {"7x", 7}, {"x7", 0}, {"99999999999999", 2147483647}};
    for (const auto& c : cases) {
        SCREENINFO rec;
        // Pause unchecked: the flag goes, the typed time stays.
        ApplyAppendChoice(rec, {APPEND_CARTOON, c.pause, 3});
        EXPECT_EQ(rec.byAppend, APPEND_CARTOON) << c.pause;
        EXPECT_EQ(rec.nPauseSec, c.stored) << '"' << c.pause << '"';
        EXPECT_EQ(rec.nCartoon, 3);
    }
}

}  // namespace
