#include "FakeToolContext.h"

#include "document/CDrawArc.h"
#include "document/CDrawFill.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "document/SelectMode.h"
#include "editor/tools/CEyeDropper.h"
#include "editor/tools/CPolyLineTool.h"
#include "editor/tools/ToolOptions.h"
#include "editor/undo/CUndoHistory.h"

#include <QUndoStack>

namespace {

class DrawTools : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        m_pCtx = std::make_unique<CFakeToolContext>(Doc(), 64, 32);
    }
    void TearDown() override
    {
        if (m_pDoc) CDrawTool::ForgetDocument(*m_pDoc);
        m_pCtx.reset();
        EditorTest::TearDown();
    }
    // The toolbar's choice of a mode.
    static void Choose(int mode)
    {
        g_nDrawMode = mode;
        g_nToolShape = ToolModeInfo(mode)->m_nToolShape;
    }
    CFakeToolContext& Ctx() { return *m_pCtx; }
    CUndoHistory& History() { return CUndoHistory::Of(Doc()); }
    template <class T>
    T* Only()
    {
        EXPECT_EQ(Doc().m_objects.size(), 1u);
        return Doc().m_objects.empty() ? nullptr : dynamic_cast<T*>(Doc().m_objects[0]);
    }

    std::unique_ptr<CFakeToolContext> m_pCtx;
};

TEST_F(DrawTools, ToolsAreFoundByShapeAndModesWithoutOneFindNothing)
{
    for (int shape : {0, 1, 2, 3, 4, 5, 6, 7, 10, 13}) {
        ASSERT_NE(CDrawTool::FindTool(shape), nullptr) << shape;
        EXPECT_EQ(CDrawTool::FindTool(shape)->Shape(), shape);
    }
    for (int shape : {8, 9, 11, 12, 14}) EXPECT_EQ(CDrawTool::FindTool(shape), nullptr) << shape;
}

TEST_F(DrawTools, ARectangleClickWithoutMovementCreatesNothingAndTheModeStays)
{
    for (int mode : {6, 9, 10, 11, 13}) {
        SCOPED_TRACE(mode);
        Choose(mode);
        const int shape = g_nToolShape;
        Ctx().Press(5, 5);
        EXPECT_EQ(Doc().m_objects.size(), 1u) << "the press makes the object";
        Ctx().Release(5, 5);
        EXPECT_TRUE(Doc().m_objects.empty());
        EXPECT_TRUE(Ctx().m_selection.empty());
        EXPECT_FALSE(Ctx().HasCapture());
        EXPECT_EQ(g_nDrawMode, mode);
        EXPECT_EQ(g_nToolShape, shape);
        EXPECT_FALSE(History().CanUndo());
    }
}

struct RectCase {
    const char* name;
    int mode;
    CPoint from, to;  // client pixels at zoom 1
    CRect rect;
    int shape;
    const char* dots;  // the first rows of the canvas
};

TEST_F(DrawTools, TheRectangleFamilyDrawsWhatWasDragged)
{
    const RectCase cases[] = {
        {"a rectangle dragged down and right", 9, {1, 1}, {6, 4}, {1, 1, 6, 4}, kShapeRectangle,
         "......../.RRRRR../.R...R../.RRRRR../........"},
        {"a rectangle dragged up and left is normalised", 9, {6, 4}, {1, 1}, {1, 1, 6, 4}, kShapeRectangle,
         "......../.RRRRR../.R...R../.RRRRR../........"},
        {"a drag without height gives a rectangle one dot high", 9, {2, 3}, {8, 3}, {2, 3, 8, 4}, kShapeRectangle,
         "........../........../........../..RRRRRR../.........."},
        {"a drag without width gives one dot wide", 11, {3, 1}, {3, 4}, {3, 1, 4, 4}, kShapeOval,
         nullptr},
        // A line leaves out its end point, which is where the drag started.
        {"a line from bottom left to top right keeps its inverted rectangle", 6, {1, 5}, {6, 0},
         {6, 0, 1, 5}, kShapeLine, "......R/.....R./....R../...R.../..R..../......."},
        {"a line drawn left to right", 6, {0, 1}, {5, 1}, {5, 1, 0, 1}, kShapeLine,
         "......./.RRRRR./......."},
    };
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Choose(c.mode);
        Ctx().Drag(c.from, c.to);
        auto* obj = Only<CDrawRect>();
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(obj->m_rcPosition, c.rect);
        EXPECT_EQ(obj->m_nShape, c.shape);
        EXPECT_EQ(obj->m_nCreateShape, c.shape);
        EXPECT_EQ(obj->m_crLine, g_crForeground);
        EXPECT_EQ(obj->m_crFill, g_crBackground);
        EXPECT_EQ(g_nDrawMode, c.mode) << "the tool stays after a drag";
        EXPECT_EQ(Ctx().m_selection, std::vector<CDrawObj*>{obj});
        if (c.dots) EXPECT_DOTS(Doc(), c.dots);
        EXPECT_EQ(History().UndoText().isEmpty(), false);
    }
}

TEST_F(DrawTools, TheRoundingFollowsTheDragAndTheOptionsApply)
{
    g_nLineWidth = 2;
    g_nFillStyle = kFillOutlineAndFill;
    g_crForeground = 0x00FF00;
    g_crBackground = 0x00FFFF;
    Choose(10);
    Ctx().Drag({0, 0}, {9, 7});
    auto* obj = Only<CDrawRect>();
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->m_ptRound, CPoint(4, 3));
    EXPECT_EQ(obj->m_rcPosition, CRect(0, 0, 9, 7));
    EXPECT_EQ(obj->m_nPenWidth, 2);
    EXPECT_EQ(obj->m_nFillMode, kFillOutlineAndFill);
    EXPECT_EQ(obj->m_crLine, 0x00FF00u);
    EXPECT_EQ(obj->m_crFill, 0x00FFFFu);
}

TEST_F(DrawTools, AZoomedDragIsMeasuredInDots)
{
    Ctx().m_nZoom = 8;
    Choose(9);
    Ctx().Drag({17, 17}, {70, 40});
    auto* obj = Only<CDrawRect>();
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->m_rcPosition, CRect(2, 2, 8, 5));
    // A drag inside one dot is still a drag: it leaves a rectangle one dot wide.
    Ctx().Drag({16, 48}, {19, 50});
    ASSERT_EQ(Doc().m_objects.size(), 2u);
    EXPECT_EQ(Doc().m_objects[1]->m_rcPosition, CRect(2, 6, 3, 6));
}

TEST_F(DrawTools, ThreePolylineClicksAndAClickOnTheFirstPointCloseIt)
{
    Choose(12);
    Ctx().Press(2, 2);
    Ctx().Release(2, 2);
    Ctx().Move(10, 2);
    Ctx().Press(10, 2);
    Ctx().Release(10, 2);
    Ctx().Move(6, 8);
    Ctx().Press(6, 8);
    Ctx().Release(6, 8);
    auto* poly = Only<CDrawPoly>();
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->m_nPoints, 4) << "three points and the one following the mouse";
    EXPECT_EQ(poly->m_pPoints.back(), CPoint(7, 8)) << "a dot right of the click";
    Ctx().Move(2, 2);
    Ctx().Press(2, 2);
    EXPECT_EQ(poly->m_pPoints, (std::vector<CPoint>{{2, 2}, {10, 2}, {6, 8}}));
    EXPECT_EQ(poly->m_nPoints, 3);
    EXPECT_FALSE(Ctx().HasCapture());
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_EQ(History().Stack().count(), 1);
    EXPECT_EQ(History().UndoText(), "PolyLine");
}

TEST_F(DrawTools, APolylineOfTwoPointsClosedOrCancelledIsDiscarded)
{
    Choose(12);
    Ctx().Press(2, 2);
    Ctx().Move(9, 9);
    Ctx().Press(9, 9);
    Ctx().Move(2, 2);
    Ctx().Press(2, 2);
    EXPECT_TRUE(Doc().m_objects.empty());
    EXPECT_EQ(g_nDrawMode, 12) << "the mode stays polyline";

    Ctx().Press(2, 2);
    Ctx().Move(9, 9);
    Ctx().Cancel();
    EXPECT_TRUE(Doc().m_objects.empty());
    EXPECT_FALSE(History().CanUndo());
}

TEST_F(DrawTools, EscKeepsAPolylineOfThreeDistinctPoints)
{
    Choose(12);
    Ctx().Press(2, 2);
    Ctx().Move(9, 2);
    Ctx().Press(9, 2);
    Ctx().Move(5, 7);
    Ctx().Cancel();
    auto* poly = Only<CDrawPoly>();
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->m_nPoints, 3);
    EXPECT_EQ(g_nToolShape, kShapeSelect);
    EXPECT_EQ(History().Stack().count(), 1);
}

TEST_F(DrawTools, EscDuringADragKeepsWhatWasDraggedAsOneStep)
{
    for (int mode : {1, 9, 13}) {
        SCOPED_TRACE(mode);
        TearDown();
        SetUp();
        Choose(mode);
        Ctx().Press(2, 2);
        Ctx().Move(9, 7);
        Ctx().Cancel();
        EXPECT_EQ(Doc().m_objects.size(), 1u);
        EXPECT_EQ(g_nToolShape, kShapeSelect);
        EXPECT_FALSE(Ctx().HasCapture());
        EXPECT_EQ(History().Stack().count(), 1);
        History().Undo();
        EXPECT_TRUE(Doc().m_objects.empty());
    }
}

TEST_F(DrawTools, ChoosingAnotherToolEndsAPolylineAsEscWould)
{
    Choose(12);
    Ctx().Press(2, 2);
    Ctx().Move(9, 2);
    Ctx().Press(9, 2);
    Ctx().Move(5, 7);
    auto* tool = static_cast<CPolyLineTool*>(CDrawTool::FindTool(kShapePolyTool));
    ASSERT_TRUE(tool->IsDrawing());
    Choose(9);
    tool->EndDrawing(Ctx());
    EXPECT_FALSE(tool->IsDrawing());
    EXPECT_EQ(Only<CDrawPoly>()->m_nPoints, 3);
    EXPECT_EQ(g_nDrawMode, 9) << "the new tool stays chosen";
    EXPECT_EQ(History().UndoText(), "PolyLine");
}

TEST_F(DrawTools, ADoubleClickEndsAPolylineDroppingTheDuplicateLastPoint)
{
    Choose(12);
    Ctx().Press(2, 2);
    Ctx().Release(2, 2);
    Ctx().Move(10, 2);
    Ctx().Press(10, 2);
    Ctx().Release(10, 2);
    Ctx().Move(6, 8);
    Ctx().Press(6, 8);
    Ctx().Release(6, 8);
    Ctx().DoubleClick(6, 8);
    auto* poly = Only<CDrawPoly>();
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->m_pPoints, (std::vector<CPoint>{{2, 2}, {10, 2}, {6, 8}}));
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_FALSE(Ctx().HasCapture());
}

TEST_F(DrawTools, ThePenDrawsOneDotWideStaysCurrentAndKeepsTheStrokeSelected)
{
    g_nLineWidth = 4;
    Choose(1);
    Ctx().Press(1, 1);
    EXPECT_EQ(Ctx().m_cursor, EDrawCursor::Pen);
    Ctx().Move(3, 1);
    Ctx().Move(5, 3);
    Ctx().Release(6, 3);
    auto* stroke = Only<CStroke>();
    ASSERT_NE(stroke, nullptr);
    EXPECT_EQ(stroke->m_aPoints, (std::vector<CPoint>{{1, 1}, {3, 1}, {5, 3}, {6, 3}}));
    EXPECT_EQ(stroke->m_nPenWidth, 1);
    EXPECT_EQ(stroke->m_rcPosition, stroke->m_rcBounds);
    EXPECT_EQ(Ctx().m_selection, std::vector<CDrawObj*>{stroke});
    EXPECT_EQ(g_nDrawMode, 1);
    EXPECT_EQ(g_nToolShape, kShapePenTool);
    EXPECT_EQ(History().UndoText(), "Pen");
    // A click is a single dot, and the pen still stays.
    Ctx().Press(20, 5);
    Ctx().Release(20, 5);
    ASSERT_EQ(Doc().m_objects.size(), 2u);
    EXPECT_EQ(g_nToolShape, kShapePenTool);
    EXPECT_EQ(DotsOf(Doc(), 22, 6)[5].substr(19), ".R.");
}

TEST_F(DrawTools, TheArcFollowsTheDragAndAClickMakesNone)
{
    Choose(13);
    Ctx().Press(4, 4);
    Ctx().Release(4, 4);
    EXPECT_TRUE(Doc().m_objects.empty());
    Ctx().Drag({4, 10}, {20, 12});
    auto* arc = Only<CDrawArc>();
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->m_ptStart, CPoint(4, 10));
    EXPECT_EQ(arc->m_ptEnd, CPoint(20, 12));
    EXPECT_EQ(arc->m_ptCtrl2, CPoint(20, 12));
    EXPECT_EQ(g_nDrawMode, 13);
}

TEST_F(DrawTools, TheBucketFillsTheUnlitAreaWithTheForegroundAndStays)
{
    Choose(9);
    Ctx().Drag({0, 0}, {6, 5});
    g_crForeground = 0x00FFFF;
    Choose(5);
    Ctx().Press(2, 2);
    Ctx().Release(2, 2);
    ASSERT_EQ(Doc().m_objects.size(), 2u);
    auto* fill = dynamic_cast<CDrawFill*>(Doc().m_objects[1]);
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->m_crLine, 0x00FFFFu);
    EXPECT_EQ(fill->m_crFill, 0u) << "the colour under the click";
    EXPECT_EQ(g_nDrawMode, 5);
    EXPECT_EQ(History().UndoText(), "Fill");
    EXPECT_DOTS(Doc(),
                "RRRRRR../"
                "RYYYYR../"
                "RYYYYR../"
                "RYYYYR../"
                "RRRRRR../"
                "......../");
}

TEST_F(DrawTools, TheCharacterToolOpensANewTextAndItsDragSizesTheBox)
{
    Choose(4);
    Ctx().Press(10, 4);
    ASSERT_EQ(Ctx().m_aTextsBegun.size(), 1u);
    CDrawObj* text = Ctx().m_aTextsBegun[0];
    EXPECT_EQ(Ctx().m_selection, std::vector<CDrawObj*>{text});
    EXPECT_EQ(Ctx().m_nTextEntryHidden, 0) << "the character tool keeps its text entry";
    // The drag moves the box's last handle (8, the left edge); the release normalises.
    Ctx().Move(40, 2);
    Ctx().Release(40, 2);
    EXPECT_EQ(text->m_rcPosition, CRect(30, 4, 40, 24));

    // A double click on a text opens it; with Shift it leaves the selection instead.
    Ctx().DoubleClick(35, 10);
    EXPECT_EQ(Ctx().m_aTextsEdited, std::vector<CDrawObj*>{text});
    Ctx().DoubleClick(35, 10, kMkShift);
    EXPECT_EQ(Ctx().m_aTextsEdited.size(), 1u);
    EXPECT_TRUE(Ctx().m_selection.empty());
}

// --- the select tool ------------------------------------------------------------------

class SelectTool : public DrawTools {
protected:
    CDrawRect* Add(CRect r)
    {
        auto* obj = new CDrawRect(r, 0x0000FF, 0, 1, kFillOutline);
        Doc().AddObj(obj);
        return obj;
    }
};

TEST_F(SelectTool, ADragOnAnObjectMovesTheSelectionAsOneStep)
{
    auto* a = Add({2, 2, 30, 12});
    auto* b = Add({40, 20, 50, 25});
    Ctx().SelectObj(b, false, false);
    const DocBytes start = BytesOf(Doc());
    Ctx().Press(10, 2);
    EXPECT_EQ(g_nSelectMode, SM_MOVE);
    EXPECT_EQ(Ctx().m_selection, std::vector<CDrawObj*>{a}) << "a press without Shift replaces";
    Ctx().Move(11, 4);
    Ctx().Move(13, 5);
    Ctx().Release(13, 5);
    EXPECT_EQ(a->m_rcPosition, CRect(5, 5, 33, 15));
    EXPECT_EQ(b->m_rcPosition, CRect(40, 20, 50, 25));
    EXPECT_EQ(History().Stack().count(), 1);
    EXPECT_EQ(History().UndoText(), "Move");
    History().Undo();
    EXPECT_EQ(BytesOf(Doc()), start);
}

TEST_F(SelectTool, AHandleOfTheOneSelectedObjectSizesIt)
{
    auto* a = Add({2, 2, 30, 12});
    Ctx().SelectObj(a, false, false);
    Ctx().Press(30, 12);  // handle 5
    EXPECT_EQ(g_nSelectMode, SM_SIZE);
    EXPECT_EQ(g_nDragHandle, 5);
    Ctx().Move(40, 20);
    EXPECT_EQ(Ctx().m_cursor, EDrawCursor::SizeNWSE);
    Ctx().Release(40, 20);
    EXPECT_EQ(a->m_rcPosition, CRect(2, 2, 40, 20));
    EXPECT_EQ(History().UndoText(), "Resize");
}

TEST_F(SelectTool, TheRubberBandSelectsWhatItTouches)
{
    auto* a = Add({2, 2, 10, 8});
    auto* b = Add({20, 2, 30, 8});
    Add({50, 20, 60, 30});
    Ctx().Press(40, 12);
    EXPECT_EQ(g_nSelectMode, SM_NETSELECT);
    Ctx().Move(5, 0);
    EXPECT_EQ(Ctx().m_rcFocus, CRect(5, 0, 40, 12));
    Ctx().Release(5, 0);
    EXPECT_TRUE(Ctx().m_rcFocus.IsRectEmpty());
    EXPECT_EQ(Ctx().m_selection, (std::vector<CDrawObj*>{a, b}));
    EXPECT_FALSE(History().CanUndo()) << "selecting is no edit";
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
}

TEST_F(SelectTool, ShiftAddsAndRemovesAndAPressOnNothingEmptiesTheSelection)
{
    auto* a = Add({2, 2, 30, 12});
    auto* b = Add({34, 14, 60, 28});
    Ctx().Press(10, 2);
    Ctx().Release(10, 2);
    Ctx().Press(45, 14, kMkShift);
    Ctx().Release(45, 14, kMkShift);
    EXPECT_EQ(Ctx().m_selection, (std::vector<CDrawObj*>{a, b}));
    Ctx().Press(10, 2, kMkShift);
    Ctx().Release(10, 2, kMkShift);
    EXPECT_EQ(Ctx().m_selection, std::vector<CDrawObj*>{b});
    Ctx().Press(20, 25);
    Ctx().Release(20, 25);
    EXPECT_TRUE(Ctx().m_selection.empty());
}

TEST_F(SelectTool, ACtrlDragLeavesCopiesBehind)
{
    auto* a = Add({2, 2, 30, 12});
    const DocBytes start = BytesOf(Doc());
    Ctx().Press(10, 2, kMkControl);
    Ctx().Move(10, 6, kMkControl);
    Ctx().Release(10, 6, kMkControl);
    ASSERT_EQ(Doc().m_objects.size(), 2u);
    EXPECT_EQ(a->m_rcPosition, CRect(2, 6, 30, 16)) << "the selected object moves";
    EXPECT_EQ(Doc().m_objects[1]->m_rcPosition, CRect(2, 2, 30, 12)) << "its copy stays";
    EXPECT_EQ(History().UndoText(), "Copy");
    History().Undo();
    EXPECT_EQ(BytesOf(Doc()), start);
}

TEST_F(SelectTool, ChoosingALineWidthAppliesItToTheWholeSelection)
{
    auto* a = Add({2, 2, 30, 12});
    auto* b = Add({34, 14, 60, 28});
    auto* c = Add({0, 20, 5, 25});
    Ctx().SelectObj(a, false, false);
    Ctx().SelectObj(b, true, false);
    EXPECT_TRUE(ChooseToolOption(6, 2, Ctx().Selection(), &Ctx()));
    EXPECT_EQ(g_nLineWidth, 3);
    EXPECT_EQ(a->m_nPenWidth, 3);
    EXPECT_EQ(b->m_nPenWidth, 3);
    EXPECT_EQ(c->m_nPenWidth, 1);
    EXPECT_TRUE(ChooseToolOption(11, 2, Ctx().Selection(), &Ctx()));
    EXPECT_EQ(g_nFillStyle, kFillOnly);
    EXPECT_EQ(a->m_nFillMode, kFillOnly);
    EXPECT_FALSE(ChooseToolOption(6, 5, Ctx().Selection(), &Ctx())) << "no sixth width";
    EXPECT_EQ(g_nLineWidth, 3);
}

TEST_F(SelectTool, TheModeTableHasItsCaptionsAndOptionSets)
{
    const std::pair<int, const char*> captions[] = {
        {6, "Line Mode"}, {8, "Zoom Mode"}, {9, "Rect Mode"}, {10, "Round Rect Mode"},
        {11, "Circle Mode"}, {12, "PolyLine Mode"}, {13, "Arc Mode"}, {1, ""}, {2, ""}, {4, ""}, {7, ""},
    };
    for (const auto& [mode, caption] : captions) EXPECT_STREQ(ToolModeInfo(mode)->m_pszCaption, caption);
    EXPECT_EQ(OptionCount(ToolModeInfo(6)->m_options), 5);
    EXPECT_EQ(OptionCount(ToolModeInfo(12)->m_options), 3);
    EXPECT_EQ(OptionCount(ToolModeInfo(8)->m_options), 4);
    EXPECT_FALSE(ToolModeInfo(0)->m_bHasCommand);
    EXPECT_FALSE(ToolModeInfo(3)->m_bHasCommand);
    EXPECT_TRUE(ToolModeInfo(5)->m_bHasCommand) << "the bucket is wired";
}

// --- eye drop ---------------------------------------------------------------------------

TEST_F(DrawTools, TheEyeDropPicksTheColourOfALitDot)
{

    auto* r = new CDrawRect({2, 2, 8, 6}, 0x00FF00, 0, 1, kFillOutline);
    Doc().AddObj(r);
    g_nDrawMode = 7;
    CEyeDropper dropper;
    EXPECT_TRUE(dropper.OnPress(Ctx(), CEyeDropper::Button::Left, {2, 2}));
    EXPECT_EQ(g_crForeground, 0x00FF00u);
    EXPECT_FALSE(dropper.OnMove(Ctx(), kMkLButton, {3, 2})) << "the same colour: no repaint";
    EXPECT_TRUE(dropper.OnMove(Ctx(), kMkLButton, {4, 4}));
    EXPECT_EQ(g_crForeground, 0u);
    EXPECT_TRUE(dropper.OnRelease(Ctx(), CEyeDropper::Button::Left, {2, 5}));
    EXPECT_EQ(g_crForeground, 0x00FF00u);
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_FALSE(Ctx().HasCapture());
    // The right button picks the background.
    EXPECT_TRUE(dropper.OnPress(Ctx(), CEyeDropper::Button::Right, {2, 2}));
    EXPECT_EQ(g_crBackground, 0x00FF00u);
}

// --- undo of a drawing session ---------------------------------------------------------

TEST_F(DrawTools, EverythingDrawnWithEveryToolUndoesToABlackCanvasAndRedoes)
{
    const DocBytes empty = BytesOf(Doc());
    Choose(9);
    Ctx().Drag({1, 1}, {12, 8});
    Choose(6);
    Ctx().Drag({14, 1}, {20, 8});
    Choose(10);
    Ctx().Drag({22, 1}, {32, 8});
    Choose(11);
    Ctx().Drag({34, 1}, {44, 8});
    Choose(13);
    Ctx().Drag({46, 8}, {60, 2});
    Choose(12);
    for (CPoint p : {CPoint(2, 12), CPoint(12, 12), CPoint(7, 20)}) {
        Ctx().Move(p.x, p.y);
        Ctx().Press(p.x, p.y);
        Ctx().Release(p.x, p.y);
    }
    Ctx().Move(2, 12);
    Ctx().Press(2, 12);
    Choose(1);
    Ctx().Press(20, 12);
    Ctx().Move(25, 15);
    Ctx().Release(30, 12);
    Choose(5);
    Ctx().Press(5, 4);
    Ctx().Release(5, 4);
    Choose(2);
    Ctx().Press(34, 15);  // nothing there: empties the selection
    Ctx().Release(34, 15);
    Ctx().Press(5, 1);    // the rectangle's top edge
    Ctx().Move(5, 21);
    Ctx().Release(5, 21);

    EXPECT_EQ(History().Stack().count(), 9);
    const DocBytes final = BytesOf(Doc());
    const auto finalDots = DotsOf(Doc(), 64, 32);
    while (History().CanUndo()) History().Undo();
    EXPECT_EQ(BytesOf(Doc()), empty);
    const auto black = DotsOf(Doc(), 64, 32);
    for (const std::string& row : black) EXPECT_EQ(row, std::string(64, '.'));
    while (History().CanRedo()) History().Redo();
    EXPECT_EQ(BytesOf(Doc()), final);
    EXPECT_EQ(CountDifferences(finalDots, DotsOf(Doc(), 64, 32)), 0);
}

}  // namespace
