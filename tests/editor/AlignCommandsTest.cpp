#include "EditorTestSupport.h"

#include "document/CDrawFont.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "editor/align/AlignCommands.h"
#include "editor/align/PositionApply.h"
#include "editor/align/RowSpacingApply.h"
#include "editor/undo/CEditRecorder.h"
#include "editor/undo/CUndoHistory.h"

namespace {

class Align : public EditorTest {
protected:
    // Adds rectangles in the given order; the selection is that order (last = dominant).
    std::vector<CDrawObj*> Place(std::initializer_list<CRect> rects)
    {
        std::vector<CDrawObj*> sel;
        for (const CRect& r : rects) {
            auto* obj = new CDrawRect(r, 0x0000FF, 0, 1, kFillOutline);
            Doc().AddObj(obj);
            sel.push_back(obj);
        }
        return sel;
    }
    static std::vector<CRect> RectsOf(const std::vector<CDrawObj*>& sel)
    {
        std::vector<CRect> rects;
        for (CDrawObj* obj : sel) rects.push_back(obj->m_rcPosition);
        return rects;
    }
    bool Run(EAlignCommand c, const std::vector<CDrawObj*>& sel)
    {
        return RunAlignCommand(c, sel, m_app.m_nTPWidth, m_app.m_nTPHeight, &m_view);
    }
};

TEST_F(Align, TheTableNamesTheTwelveCommandsWithTheirIdsAndEnabling)
{
    const auto& table = AlignCommandTable();
    ASSERT_EQ(table.size(), 12u);
    const char* names[] = {"Align Left", "Align Right", "Align Top", "Align Bottom",
                           "Make Same Width", "Make Same Height", "Make Same Size",
                           "Center Vertical", "Center Horizontal", "Space Down",
                           "Space Across", "Specify Position"};
    const int minimum[] = {2, 2, 2, 2, 2, 2, 2, 1, 1, 3, 3, 1};
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_STREQ(table[i].m_pszName, names[i]);
        EXPECT_EQ(table[i].m_nId, 61565 + int(i));
        EXPECT_EQ(std::size_t(table[i].m_command), i);
        EXPECT_FALSE(IsAlignCommandEnabled(table[i].m_command, minimum[i] - 1));
        EXPECT_TRUE(IsAlignCommandEnabled(table[i].m_command, minimum[i]));
    }
}

struct AlignCase {
    const char* name;
    EAlignCommand command;
    std::vector<CRect> before;  // in selection order
    std::vector<CRect> after;
};

TEST_F(Align, EveryCommandPlacesTheSelectionByItsRule)
{
    using enum EAlignCommand;
    const AlignCase cases[] = {
        {"align left takes the leftmost end, an inverted line keeps its direction", AlignLeft,
         {{5, 0, 10, 2}, {20, 4, 8, 6}}, {{5, 0, 10, 2}, {17, 4, 5, 6}}},
        {"align left: two lines, one drawn right to left, end at the same x", AlignLeft,
         {{10, 0, 14, 3}, {30, 5, 3, 9}}, {{3, 0, 7, 3}, {30, 5, 3, 9}}},
        {"align right takes the rightmost end", AlignRight,
         {{5, 0, 10, 2}, {20, 4, 8, 6}, {1, 1, 4, 3}}, {{15, 0, 20, 2}, {20, 4, 8, 6}, {17, 1, 20, 3}}},
        {"align right keeps an inverted rectangle inverted", AlignRight,
         {{12, 0, 2, 2}, {0, 4, 30, 6}}, {{30, 0, 20, 2}, {0, 4, 30, 6}}},
        {"align top", AlignTop, {{0, 7, 4, 9}, {6, 12, 8, 3}}, {{0, 3, 4, 5}, {6, 12, 8, 3}}},
        {"align bottom", AlignBottom, {{0, 7, 4, 9}, {6, 12, 8, 3}, {9, 20, 11, 14}},
         {{0, 18, 4, 20}, {6, 20, 8, 11}, {9, 20, 11, 14}}},
        {"same width: the first takes the last one's width, the last is unchanged", SameWidth,
         {{2, 2, 4, 4}, {10, 1, 17, 3}}, {{2, 2, 9, 4}, {10, 1, 17, 3}}},
        {"same width keeps the smaller edge of an inverted object", SameWidth,
         {{9, 2, 5, 4}, {10, 1, 13, 3}}, {{8, 2, 5, 4}, {10, 1, 13, 3}}},
        {"same height", SameHeight, {{2, 2, 4, 4}, {10, 11, 17, 1}}, {{2, 2, 4, 12}, {10, 11, 17, 1}}},
        {"same size", SameSize, {{2, 2, 4, 4}, {0, 9, 1, 10}, {10, 1, 13, 6}},
         {{2, 2, 5, 7}, {0, 9, 3, 14}, {10, 1, 13, 6}}},
        {"center vertical with H = 16: rows 3-9 move to 5-11", CenterVertical,
         {{0, 3, 4, 9}}, {{0, 5, 4, 11}}},
        {"center vertical: a group crossing a screen boundary stays", CenterVertical,
         {{0, 14, 4, 18}}, {{0, 14, 4, 18}}},
        {"center vertical: a group taller than a screen stays", CenterVertical,
         {{0, 0, 4, 5}, {0, 10, 4, 17}}, {{0, 0, 4, 5}, {0, 10, 4, 17}}},
        {"center vertical in the second screen, the odd dot below", CenterVertical,
         {{0, 16, 4, 19}, {5, 17, 6, 18}}, {{0, 22, 4, 25}, {5, 23, 6, 24}}},
        {"center horizontal with W = 64: columns 0-9 move by 27", CenterHorizontal,
         {{0, 0, 9, 3}}, {{27, 0, 36, 3}}},
        {"center horizontal: a group wider than the sign stays", CenterHorizontal,
         {{-2, 0, 30, 3}, {40, 0, 63, 2}}, {{-2, 0, 30, 3}, {40, 0, 63, 2}}},
        {"space down: only the middle one by top moves", SpaceDown,
         {{0, 20, 4, 24}, {0, 0, 4, 2}, {0, 4, 4, 6}}, {{0, 20, 4, 24}, {0, 0, 4, 2}, {0, 10, 4, 12}}},
        {"space down with four, one inverted", SpaceDown,
         {{0, 0, 2, 2}, {0, 5, 2, 3}, {0, 6, 2, 8}, {0, 20, 2, 22}},
         {{0, 0, 2, 2}, {0, 8, 2, 6}, {0, 12, 2, 14}, {0, 20, 2, 22}}},
        {"space across with a negative gap", SpaceAcross,
         {{0, 0, 10, 1}, {3, 0, 13, 1}, {8, 0, 18, 1}},
         {{0, 0, 10, 1}, {4, 0, 14, 1}, {8, 0, 18, 1}}},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        std::vector<CDrawObj*> sel;
        for (const CRect& r : c.before) {
            auto* obj = new CDrawRect(r, 0x0000FF, 0, 1, kFillOutline);
            Doc().AddObj(obj);
            sel.push_back(obj);
        }
        const bool changed = Run(c.command, sel);
        EXPECT_EQ(RectsOf(sel), c.after);
        EXPECT_EQ(changed, c.before != c.after);
    }
}

TEST_F(Align, TooSmallASelectionChangesNothing)
{
    auto sel = Place({{0, 0, 4, 4}, {10, 5, 12, 9}});
    EXPECT_FALSE(Run(EAlignCommand::SpaceDown, sel));
    auto one = std::vector<CDrawObj*>{sel[0]};
    EXPECT_FALSE(Run(EAlignCommand::AlignLeft, one));
    EXPECT_EQ(RectsOf(sel), (std::vector<CRect>{{0, 0, 4, 4}, {10, 5, 12, 9}}));
}

TEST_F(Align, APolygonMovesWithItsPointsAndTheDotsFollow)
{
    auto* poly = new CDrawPoly({4, 2, 4, 2}, 0x0000FF, 0, 1, kFillOutline);
    Doc().AddObj(poly);
    for (CPoint p : {CPoint(4, 2), CPoint(7, 2), CPoint(7, 4)}) poly->AddPoint(p, nullptr);
    poly->RecalcBounds();
    const auto before = DotsOf(Doc(), 12, 6);
    auto sel = Place({{1, 8, 3, 9}});
    sel.insert(sel.begin(), poly);
    Run(EAlignCommand::AlignLeft, sel);
    EXPECT_EQ(poly->m_pPoints, (std::vector<CPoint>{{1, 2}, {4, 2}, {4, 4}}));
    // The polygon's dots are the old ones three columns to the left.
    const auto after = DotsOf(Doc(), 12, 6);
    std::vector<std::string> shifted;
    for (const std::string& row : before) shifted.push_back(row.substr(3) + "...");
    EXPECT_EQ(CountDifferences(shifted, after), 0) << SideBySide(shifted, after);
    EXPECT_NE(CountDifferences(before, after), 0);
}

TEST_F(Align, AnAlignIsOneStepThatUndoesExactly)
{
    auto sel = Place({{0, 3, 5, 9}, {7, 12, 2, 1}, {30, 2, 36, 4}});
    const DocBytes start = BytesOf(Doc());
    CEditRecorder recorder(Doc());
    Run(EAlignCommand::AlignBottom, sel);
    ASSERT_TRUE(recorder.Commit("Align"));
    CUndoHistory::Of(Doc()).Undo();
    EXPECT_EQ(BytesOf(Doc()), start);
}

TEST_F(Align, CommandsRecordTheirAreaAndLeaveTheRenderingToTheCaller)
{
    auto sel = Place({{0, 3, 5, 9}, {8, 1, 10, 2}});
    Run(EAlignCommand::AlignLeft, sel);
    EXPECT_EQ(m_view.m_nRenders, 0);
    EXPECT_FALSE(g_rcUpdate.IsRectEmpty());
    EXPECT_TRUE(Doc().IsModified());
}

// --- Specify Position ----------------------------------------------------------------

TEST_F(Align, PositionNumbersReadLikeTheDialogsFields)
{
    const std::pair<const char*, int> cases[] = {
        {"12", 12}, {"  7", 7}, {"-3", -3}, {"+4", 4}, {"9x", 9}, {"abc", 0}, {"", 0}, {"-", 0},
        {"99999999999", INT_MAX},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ReadPositionNumber(text), value) << text;
}

struct PositionCase {
    const char* name;
    CPositionValues values;
    CRect before;
    CRect after;
};

TEST_F(Align, SpecifyPositionSetsTheCheckedFieldsAndKeepsOrientation)
{
    auto values = [](bool x, bool y, bool w, bool h, const char* sx, const char* sy,
                     const char* sw, const char* sh) {
        CPositionValues v;
        v.m_bX = x, v.m_bY = y, v.m_bWidth = w, v.m_bHeight = h;
        v.m_szX = sx, v.m_szY = sy, v.m_szWidth = sw, v.m_szHeight = sh;
        return v;
    };
    const PositionCase cases[] = {
        {"only X: moves horizontally and keeps the size", values(true, false, false, false, "20", "", "", ""),
         {3, 4, 8, 6}, {20, 4, 25, 6}},
        {"X on an inverted rectangle", values(true, false, false, false, "20", "", "", ""),
         {8, 4, 3, 6}, {25, 4, 20, 6}},
        {"Y and height", values(false, true, false, true, "", "10", "", "7"),
         {3, 4, 8, 6}, {3, 10, 8, 17}},
        {"width on an inverted rectangle grows from its smaller edge", values(false, false, true, false, "", "", "9", ""),
         {8, 4, 3, 6}, {12, 4, 3, 6}},
        {"unreadable text counts as 0", values(true, true, false, false, "x", "-", "", ""),
         {3, 4, 8, 6}, {0, 0, 5, 2}},
        {"unchecked fields are ignored even when filled", values(false, false, false, false, "1", "2", "3", "4"),
         {3, 4, 8, 6}, {3, 4, 8, 6}},
    };
    for (const PositionCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        auto sel = Place({c.before});
        EXPECT_EQ(ApplyPosition(sel, c.values, &m_view), c.before != c.after);
        EXPECT_EQ(sel[0]->m_rcPosition, c.after);
    }
}

TEST_F(Align, SpecifyPositionMovesAPenStrokesPointsAndIgnoresItsSize)
{
    auto* stroke = new CStroke(1, 0x0000FF);
    stroke->m_aPoints = {{2, 1}, {3, 2}, {4, 2}};
    stroke->RecalcBounds();
    stroke->m_rcPosition = stroke->m_rcBounds;
    Doc().AddObj(stroke);
    CPositionValues v;
    v.m_bX = v.m_bY = v.m_bWidth = v.m_bHeight = true;
    v.m_szX = "5";
    v.m_szY = "3";
    v.m_szWidth = "20";
    v.m_szHeight = "20";
    const CRect before = stroke->m_rcPosition;
    const auto dotsBefore = DotsOf(Doc(), 10, 6);
    ApplyPosition({stroke}, v, &m_view);
    EXPECT_EQ(stroke->m_aPoints, (std::vector<CPoint>{{5, 3}, {6, 4}, {7, 4}}));
    EXPECT_EQ(stroke->m_rcPosition.Width(), before.Width());
    EXPECT_EQ(stroke->m_rcPosition.Height(), before.Height());
    EXPECT_EQ(stroke->m_rcPosition.TopLeft(), CPoint(5, 3));
    // The dots are the old ones three columns right and two rows down.
    std::vector<std::string> shifted(2, std::string(10, '.'));
    for (int y = 0; y < 4; ++y) shifted.push_back("..." + dotsBefore[y].substr(0, 7));
    const auto after = DotsOf(Doc(), 10, 6);
    EXPECT_EQ(CountDifferences(shifted, after), 0) << SideBySide(shifted, after);
}

// --- Row spacing ----------------------------------------------------------------------

CDrawFont* NewText(CVemtDoc& doc, CPoint at, const char* text, int rowPitch)
{
    auto* obj = new CDrawFont({at.x, at.y, at.x + 20, at.y + 20}, 0x0000FF, 0);
    obj->ApplyTextDefaults();
    doc.AddObj(obj);
    CTextEntryValues entry;
    entry.m_nFontSize = 12;
    entry.m_szFaceName = "MS Sans Serif";
    entry.m_strText = text;
    obj->PrepareText(entry, 64);
    obj->m_nRowPitch = rowPitch;
    return obj;
}

TEST_F(Align, RowSpacingSurveyStopsAtTheFirstDifference)
{
    auto* a = NewText(Doc(), {0, 0}, "A", 3);
    auto* b = NewText(Doc(), {0, 20}, "B", 3);
    auto* c = NewText(Doc(), {0, 40}, "C", 5);
    auto* d = NewText(Doc(), {0, 60}, "D", 7);
    const auto same = SurveyRowSpacing({a, b});
    EXPECT_TRUE(same.m_bAllSame);
    EXPECT_EQ(same.m_nRowPitch, 3);
    const auto differ = SurveyRowSpacing({a, b, c, d});
    EXPECT_FALSE(differ.m_bAllSame);
    EXPECT_EQ(differ.m_nRowPitch, 5);
}

TEST_F(Align, RowSpacingSetsEveryTextAndMeasuresEachAgain)
{
    g_bCanSpan = 1;
    auto* a = NewText(Doc(), {0, 0}, "A\r\nB", 2);
    auto* b = NewText(Doc(), {30, 0}, "C\r\nD", 9);
    a->m_rcPosition = {0, 0, 50, 50};
    b->m_rcPosition = {30, 0, 31, 1};
    ApplyRowSpacing({a, b}, false, 4, 64, 32);
    EXPECT_EQ(a->m_nRowPitch, 4);
    EXPECT_EQ(b->m_nRowPitch, 4);
    for (CDrawFont* t : {a, b}) {
        EXPECT_EQ(t->m_rcPosition.Width(), t->m_nTextWidth);
        EXPECT_GE(t->m_rcPosition.Height(), t->m_nTextHeight);
        EXPECT_GT(t->m_nTextWidth, 0);
    }
    // A fixed spacing leaves each object's own value alone.
    ApplyRowSpacing({a, b}, true, 11, 64, 32);
    EXPECT_EQ(a->m_nRowPitch, 4);
}

}  // namespace
