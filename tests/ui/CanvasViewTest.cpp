// The canvas view: what it draws, at which zoom, where it scrolls, what the status bar
// says, and the editing commands the keyboard and the selection reach.
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"
#include "editor/CVemtView.h"
#include "editor/DrawModeChange.h"
#include "editor/ZoomLayout.h"
#include "editor/undo/CUndoHistory.h"

#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CanvasViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        Sign(64, 16, 3);
    }
    void TearDown() override { ResetEditorState(); }

    void Sign(int w, int h, int n)
    {
        app.m_nTPWidth = w;
        app.m_nTPHeight = h;
        app.m_nTotalScreen = n;
    }
    static void Zoom(CVemtView& view, int index)
    {
        g_nPrevZoomIndex = g_nZoomIndex;
        g_nZoomIndex = index;
        view.OnZoomChanged();
    }
    static QRgb Pixel(const CVemtView& view, int x, int y) { return view.ZoomedImage().pixel(x, y) & 0xFFFFFF; }

    CVemtApp app;
};

CDrawRect* Box(CVemtDoc& doc, CRect r, COLORREF c = 0x0000FF)
{
    auto* obj = new CDrawRect(r, c, c, 1, 1);
    doc.AddObj(obj);
    return obj;
}

TEST_F(CanvasViewTest, ShowsTheObjectsAsTheSignsDots)
{
    CVemtDoc doc(&app);
    // A filled red rectangle in the second screen: left and top inside, right and bottom out.
    Box(doc, CRect(4, 18, 10, 22));
    CVemtView view(app, doc);
    const CRasterSurface& dots = view.Dots();
    EXPECT_EQ(dots.GetPixel(4, 18), 0x0000FFu);
    EXPECT_EQ(dots.GetPixel(9, 21), 0x0000FFu);
    EXPECT_EQ(dots.GetPixel(10, 18), 0u);
    EXPECT_EQ(dots.GetPixel(4, 22), 0u);
    EXPECT_EQ(dots.GetPixel(3, 18), 0u);
    EXPECT_EQ(Pixel(view, 4, 18), 0xFF0000u) << "the window shows it red";
}

TEST_F(CanvasViewTest, AChangedDocumentIsDrawnAgain)
{
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    EXPECT_EQ(view.Dots().GetPixel(1, 1), 0u);
    Box(doc, CRect(0, 0, 8, 8), 0x00FF00);
    doc.UpdateAllViews(nullptr);
    EXPECT_EQ(view.Dots().GetPixel(1, 1), 0x00FF00u);
}

TEST(ZoomLayout, VisibleAreaAndScrollingFollowTheFactor)
{
    struct Case {
        const char* name;
        int w, h, n, index, workArea;
        int viewWidth, viewHeight;
        bool hScroll, vScroll;
    };
    const Case cases[] = {
        {"320 wide at 1", 320, 16, 1, 0, 1280, 320, 16, false, false},
        {"320 wide at 2", 320, 16, 1, 1, 1280, 640, 32, false, false},
        {"320 wide at 6 scrolls", 320, 16, 1, 2, 1280, 700, 96, true, false},
        {"320 wide at 8 scrolls", 320, 16, 1, 3, 1280, 701, 128, true, false},
        {"16 screens of 16 fit at 1", 64, 16, 16, 0, 1280, 64, 256, false, false},
        {"16 screens of 16 scroll at 2", 64, 16, 16, 1, 1280, 128, 431, false, true},
        {"320 wide at 2 on a 640 display", 320, 16, 1, 1, 640, (560 / 2 + 1) * 2 - 1, 32, true, false},
        {"an index beyond the table is 1", 320, 16, 1, 7, 1280, 320, 16, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CZoomLayout l = ComputeZoomLayout(c.w, c.h, c.n, c.index, VisibleAreaLimits(c.workArea), 16, 16);
        EXPECT_EQ(l.m_nViewWidth, c.viewWidth);
        EXPECT_EQ(l.m_nViewHeight, c.viewHeight);
        EXPECT_EQ(l.m_bHScroll, c.hScroll);
        EXPECT_EQ(l.m_bVScroll, c.vScroll);
    }
    EXPECT_EQ(ZoomFactor(2), 6) << "the third level jumps to 6";
    EXPECT_EQ(ZoomFactor(3), 8);
}

TEST_F(CanvasViewTest, TheWindowTakesTheSizeOfTheZoomedCanvas)
{
    Sign(320, 64, 10);
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    const int bar = view.verticalScrollBar()->sizeHint().width();
    (void)bar;
    // At 1 the 640 rows scroll and the width stays 320 + 4 plus room for the scroll bar.
    EXPECT_FALSE(g_bHScroll);
    EXPECT_TRUE(g_bVScroll);
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_GE(view.viewport()->width(), 320) << "no dot column is hidden";
    Zoom(view, 3);
    EXPECT_EQ(g_nViewWidth, 701);
    EXPECT_TRUE(g_bHScroll);
    EXPECT_EQ(view.width(), 701);
    EXPECT_EQ(view.height(), (430 / 8 + 1) * 8 - 3);
    EXPECT_EQ(view.GetZoomFactor(), 8);
}

TEST_F(CanvasViewTest, PixelsMapToDotsAtEveryFactor)
{
    Sign(64, 16, 30);
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    view.resize(view.size());
    for (int index : {0, 1, 2, 3}) {
        SCOPED_TRACE(index);
        Zoom(view, index);
        const int z = ZoomFactor(index);
        view.ScrollToPosition(CPoint(0, 10 * z));
        EXPECT_EQ(view.DeviceToDots(CPoint(0, 0)), CPoint(0, 10));
        EXPECT_EQ(view.DeviceToDots(CPoint(z - 1, z - 1)), CPoint(0, 10));
        EXPECT_EQ(view.DeviceToDots(CPoint(z, 3 * z)), CPoint(1, 13));
        EXPECT_EQ(view.DotsToDevice(CPoint(1, 13)), CPoint(z, 3 * z));
        EXPECT_EQ(view.DotsToDevice(CRect(2, 12, 1, 11)), CRect(z, z, 2 * z, 2 * z)) << "normalised";
    }
}

TEST_F(CanvasViewTest, ScrollPositionsStayOnWholeDots)
{
    Sign(320, 16, 30);
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    Zoom(view, 2);
    for (int wanted : {1, 5, 100, 101, 599, 600, 1003}) {
        view.verticalScrollBar()->setValue(wanted);
        view.horizontalScrollBar()->setValue(wanted);
        EXPECT_EQ(view.verticalScrollBar()->value() % 6, 0) << wanted;
        EXPECT_EQ(view.horizontalScrollBar()->value() % 6, 0) << wanted;
        EXPECT_LE(view.verticalScrollBar()->value(), wanted);
    }
    // Scrolling by the bar's own steps lands on whole dots too.
    view.verticalScrollBar()->setValue(0);
    view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view.verticalScrollBar()->value() % 6, 0);
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
}

TEST_F(CanvasViewTest, AZoomChangeKeepsTheTopDotRow)
{
    Sign(64, 16, 30);
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    Zoom(view, 1);
    view.ScrollToPosition(CPoint(0, 200));
    ASSERT_EQ(view.GetScrollPosition().y, 200);
    EXPECT_EQ(view.DeviceToDots(CPoint(0, 0)).y, 100);
    Zoom(view, 2);
    EXPECT_EQ(view.GetScrollPosition().y, 600);
    EXPECT_EQ(view.DeviceToDots(CPoint(0, 0)).y, 100);
    EXPECT_EQ(view.GetVisibleDotRect().top, 100);
}

TEST(SeparatorRows, BoundariesInsideTheViewAndNoneAtItsTopEdge)
{
    struct Case {
        const char* name;
        int scrollY, z, h, viewHeight;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"unscrolled: the canvas's top edge has no line", 0, 1, 16, 48, {16, 32}},
        {"scrolled to row 5", 5, 1, 16, 48, {11, 27, 43}},
        {"scrolled onto a boundary", 16, 1, 16, 40, {16, 32}},
        {"zoomed and scrolled to row 20", 40, 2, 16, 100, {24, 56, 88}},
        {"factor 8", 0, 8, 16, 300, {128, 256}},
    };
    for (const Case& c : cases) EXPECT_EQ(SeparatorRows(c.scrollY, c.z, c.h, c.viewHeight), c.rows) << c.name;
}

TEST_F(CanvasViewTest, SeparatorLinesAreDrawnWhereTheScreensMeet)
{
    Sign(64, 16, 30);
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    view.ToggleSeparateLine();
    view.ScrollToPosition(CPoint(0, 5));
    const QRgb line = 0x0080FF;  // RGB(0, 128, 255) over black
    EXPECT_EQ(Pixel(view, 10, 11), line);
    EXPECT_EQ(Pixel(view, 10, 27), line);
    EXPECT_EQ(Pixel(view, 10, 0), 0u) << "no line at the top edge";
    view.ScrollToPosition(CPoint(0, 16));
    EXPECT_EQ(Pixel(view, 10, 0), 0u) << "nor when a boundary lies there";
    EXPECT_EQ(Pixel(view, 10, 16), line);
    // Over a lit dot the line inverts it.
    Box(doc, CRect(0, 32, 64, 33), 0x0000FF);
    doc.UpdateAllViews(nullptr);
    EXPECT_EQ(Pixel(view, 3, 16), 0xFF0000u ^ line);
}

TEST_F(CanvasViewTest, TheGridOutlinesEveryDotFromFactorSixOn)
{
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    view.ToggleGrid();
    EXPECT_FALSE(view.m_bGrid) << "no grid at factor 1";
    Zoom(view, 2);
    view.ToggleGrid();
    EXPECT_TRUE(view.m_bGrid);
    const QRgb grid = view.palette().color(QPalette::Dark).rgb() & 0xFFFFFF;
    EXPECT_EQ(Pixel(view, 0, 3), grid);
    EXPECT_EQ(Pixel(view, 6, 3), grid);
    EXPECT_EQ(Pixel(view, 3, 12), grid);
    EXPECT_EQ(Pixel(view, 3, 3), 0u);
    Zoom(view, 1);
    EXPECT_FALSE(view.m_bGrid) << "switched off below factor 6";
    EXPECT_EQ(Pixel(view, 6, 3), 0u);
}

TEST_F(CanvasViewTest, AnEditDrawsOnlyTheAreaItTouched)
{
    Sign(320, 64, 4);
    CVemtDoc doc(&app);
    CDrawRect* moved = Box(doc, CRect(10, 10, 20, 20));
    Box(doc, CRect(200, 40, 260, 60), 0x00FF00);
    CVemtView view(app, doc);
    EXPECT_EQ(view.LastRenderedDots(), view.GetVisibleDotRect());
    moved->MoveToRect(CRect(12, 10, 22, 20), &view, true);
    // The old and new places, widened for the handles.
    EXPECT_EQ(view.LastRenderedDots(), CRect(10 - 4, 10 - 5, 22 + 5, 20 + 4));
    EXPECT_EQ(view.Dots().GetPixel(11, 15), 0u);
    EXPECT_EQ(view.Dots().GetPixel(21, 15), 0x0000FFu);
    EXPECT_EQ(Pixel(view, 21, 15), 0xFF0000u);
    EXPECT_EQ(view.Dots().GetPixel(230, 50), 0x00FF00u) << "the rest stays as it was";
}

TEST_F(CanvasViewTest, TheStatusBarShowsTheDotItsScreenAndTheDrag)
{
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    QLabel coordinate, drag, screen;
    view.SetStatusPanes(&coordinate, &drag, &screen);
    view.show();
    struct Case {
        int index;
        QPoint pixel;
        const char* coordinate;
        const char* screen;
    };
    const Case cases[] = {
        {0, {5, 15}, "(x=5,y=15)", "The 1th Screen"},
        {0, {7, 16}, "(x=7,y=16)", "The 2th Screen"},
        {1, {14, 31}, "(x=7,y=15)", "The 1th Screen"},
        {1, {14, 32}, "(x=7,y=16)", "The 2th Screen"},
    };
    for (const Case& c : cases) {
        Zoom(view, c.index);
        QTest::mouseMove(view.viewport(), c.pixel);
        EXPECT_EQ(coordinate.text(), c.coordinate);
        EXPECT_EQ(screen.text(), c.screen);
    }
    Zoom(view, 0);
    // A drag in select mode shows where it started and how far it went.
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(3, 4));
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 6), view.viewport()->mapToGlobal(QPointF(10, 6)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    EXPECT_EQ(coordinate.text(), "(x=3,y=4)");
    EXPECT_EQ(drag.text(), "(cx=7,cy=2)");
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(10, 6));
    EXPECT_EQ(drag.text(), "Drag size");
}

struct NudgeCase {
    const char* name;
    CRect before;
    int key;
    Qt::KeyboardModifiers keys;
    CRect after;
};

TEST_F(CanvasViewTest, ArrowKeysMoveAndResizeTheSelection)
{
    const NudgeCase cases[] = {
        {"Left moves", {5, 5, 10, 9}, Qt::Key_Left, Qt::NoModifier, {4, 5, 9, 9}},
        {"Down moves", {5, 5, 10, 9}, Qt::Key_Down, Qt::NoModifier, {5, 6, 10, 10}},
        {"Shift+Right grows the right edge", {5, 5, 10, 9}, Qt::Key_Right, Qt::ShiftModifier, {5, 5, 11, 9}},
        {"Shift+Left shrinks it", {5, 5, 10, 9}, Qt::Key_Left, Qt::ShiftModifier, {5, 5, 9, 9}},
        {"Shift+Left on one dot does nothing", {5, 5, 6, 9}, Qt::Key_Left, Qt::ShiftModifier, {5, 5, 6, 9}},
        {"Ctrl+Left on one dot widens it", {5, 5, 6, 9}, Qt::Key_Left, Qt::ControlModifier, {4, 5, 6, 9}},
        {"Ctrl+Down shrinks from the top", {5, 5, 10, 9}, Qt::Key_Down, Qt::ControlModifier, {5, 6, 10, 9}},
        {"Shift on an inverted box moves its larger edge", {10, 5, 5, 9}, Qt::Key_Right, Qt::ShiftModifier, {11, 5, 5, 9}},
        {"Shift+Ctrl+Right: right grows, left shrinks", {5, 5, 10, 9}, Qt::Key_Right,
         Qt::ShiftModifier | Qt::ControlModifier, {6, 5, 11, 9}},
    };
    for (const NudgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CVemtDoc doc(&app);
        CDrawRect* obj = Box(doc, c.before);
        CVemtView view(app, doc);
        view.SelectObj(obj);
        doc.SetModifiedFlag(false);
        QTest::keyClick(&view, Qt::Key(c.key), c.keys);
        EXPECT_EQ(obj->m_rcPosition, c.after);
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(CanvasViewTest, ArrowKeysMoveAStrokesPointsAndNeverResizeIt)
{
    CVemtDoc doc(&app);
    auto* stroke = new CStroke(1, 0x0000FF);
    stroke->m_aPoints = {{2, 2}, {6, 4}};
    stroke->RecalcBounds();
    stroke->m_rcPosition = stroke->m_rcBounds;
    doc.AddObj(stroke);
    CVemtView view(app, doc);
    view.SelectObj(stroke);
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(stroke->m_aPoints, (std::vector<CPoint>{{3, 2}, {7, 4}}));
    const CRect moved = stroke->m_rcPosition;
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(stroke->m_rcPosition, moved);
    EXPECT_EQ(stroke->m_aPoints, (std::vector<CPoint>{{3, 2}, {7, 4}}));
    EXPECT_EQ(view.Dots().GetPixel(3, 2), 0x0000FFu);
}

TEST_F(CanvasViewTest, ArrowKeysWithoutASelectionChangeNothing)
{
    CVemtDoc doc(&app);
    CDrawRect* obj = Box(doc, CRect(5, 5, 10, 9));
    doc.SetModifiedFlag(false);
    CVemtView view(app, doc);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(obj->m_rcPosition, CRect(5, 5, 10, 9));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CanvasViewTest, EscEmptiesTheSelectionInSelectModeAndOtherwiseOnlyLeavesTheTool)
{
    CVemtDoc doc(&app);
    CDrawRect* obj = Box(doc, CRect(5, 5, 10, 9));
    CVemtView view(app, doc);
    view.SelectObj(obj);
    SetDrawMode(9, 2);  // rectangle
    view.OnCancel();
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_EQ(g_nToolShape, kToolSelect);
    EXPECT_TRUE(view.IsSelected(obj)) << "leaving a tool keeps the selection";
    view.OnCancel();
    EXPECT_TRUE(view.Selection().IsEmpty());
}

TEST_F(CanvasViewTest, SelectionOperations)
{
    CVemtDoc doc(&app);
    CDrawRect* a = Box(doc, CRect(0, 0, 4, 4));
    CDrawRect* b = Box(doc, CRect(10, 0, 14, 4));
    CDrawRect* c = Box(doc, CRect(30, 20, 34, 24));
    CVemtView view(app, doc);

    view.SelectObj(a);
    view.SelectObj(b, true);
    view.SelectObj(a, true);
    EXPECT_EQ(view.Selection().Objects(), (std::vector<CDrawObj*>{a, b})) << "no object twice";
    EXPECT_EQ(view.Selection().Dominant(), b);
    view.SelectObj(c);
    EXPECT_EQ(view.Selection().Objects(), (std::vector<CDrawObj*>{c}));
    view.DeselectObj(c);
    EXPECT_TRUE(view.Selection().IsEmpty());

    // A rectangle in window pixels touching a and b, in document order.
    view.SelectWithinRect(CRect(2, 1, 12, 3), false);
    EXPECT_EQ(view.Selection().Objects(), (std::vector<CDrawObj*>{a, b}));
    view.SelectWithinRect(CRect(29, 19, 31, 21), true);  // across its corner
    EXPECT_EQ(view.Selection().Count(), 3u);

    view.CloneSelection();
    EXPECT_EQ(doc.m_objects.size(), 6u);
    EXPECT_EQ(doc.m_objects[3]->m_rcPosition, a->m_rcPosition);
    EXPECT_EQ(view.Selection().Count(), 3u) << "the selection keeps the originals";

    // The document dropping an object drops it from the selection.
    doc.RemoveObj(b);
    delete b;
    EXPECT_EQ(view.Selection().Objects(), (std::vector<CDrawObj*>{a, c}));

    view.OnEditDelete();
    EXPECT_TRUE(view.Selection().IsEmpty());
    EXPECT_EQ(doc.m_objects.size(), 3u);
    EXPECT_EQ(view.Dots().GetPixel(1, 1), 0x0000FFu) << "the clone of a is still there";

    view.OnEditSelectAll();
    EXPECT_EQ(view.Selection().Objects(), doc.m_objects);
}

TEST_F(CanvasViewTest, SelectedObjectsShowHandlesInTheActiveViewOnly)
{
    Sign(64, 16, 3);
    CVemtDoc doc(&app);
    CDrawRect* obj = Box(doc, CRect(10, 10, 20, 16), 0x000000);
    CVemtView view(app, doc);
    Zoom(view, 1);
    view.SelectObj(obj);
    const QRgb handle = 0x0080FF;
    // The top-left handle frames the dot (10, 10) at factor 2: pixel (20, 20) +- 3.
    EXPECT_EQ(Pixel(view, 17, 17), handle);
    EXPECT_EQ(Pixel(view, 23, 23), handle);
    view.SetActive(false);
    view.FlushPendingUpdate();
    EXPECT_EQ(Pixel(view, 17, 17), 0u);
}

TEST_F(CanvasViewTest, RightClickMenusFollowTheSelection)
{
    // The registry is the program's: every main frame made by an earlier test filled it.
    for (const char* item : {"Convert this to BMP", "Invert X axis", "Invert Y axis", "Change row spacing"})
        CVemtView::RegisterContextCommand(QString::fromLatin1(item), nullptr);
    CVemtDoc doc(&app);
    CDrawRect* box = Box(doc, CRect(0, 0, 4, 4));
    auto* text = new CDrawFont(CRect(10, 0, 30, 10), 0x0000FF, 0);
    doc.AddObj(text);
    CVemtView view(app, doc);
    auto items = [&](int y) {
        std::unique_ptr<QMenu> menu(view.BuildContextMenu(y));
        QStringList texts;
        if (menu)
            for (QAction* a : menu->actions()) texts << a->text() + (a->isEnabled() ? "" : " (disabled)");
        return texts;
    };
    EXPECT_EQ(items(37), QStringList {"Convert this to BMP (disabled)"});
    EXPECT_EQ(view.m_nContextMenuRow, 37);
    view.SelectObj(text);
    EXPECT_EQ(items(0), QStringList {"Change row spacing (disabled)"});
    view.SelectObj(box, true);
    EXPECT_TRUE(items(0).isEmpty()) << "no menu for a mixed selection";
    CVemtView::RegisterContextCommand(QStringLiteral("Convert this to BMP"), [](CVemtView&) {});
    view.SelectObj(nullptr);
    EXPECT_EQ(items(0), QStringList {"Convert this to BMP"}) << "enabled once its feature exists";
    CVemtView::RegisterContextCommand(QStringLiteral("Convert this to BMP"), nullptr);
}

TEST_F(CanvasViewTest, CtrlRightClickReturnsToOnePixelPerDot)
{
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    Zoom(view, 3);
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::ControlModifier, QPoint(5, 5));
    EXPECT_EQ(g_nZoomIndex, 0);
    EXPECT_EQ(g_nPrevZoomIndex, 3);
    EXPECT_EQ(view.GetZoomFactor(), 1);
}

TEST_F(CanvasViewTest, NudgesDeletesAndRecolouringAreUndoneAsSteps)
{
    CVemtDoc doc(&app);
    Box(doc, CRect(5, 5, 10, 9));
    Box(doc, CRect(20, 5, 30, 9));
    CVemtView view(app, doc);
    CUndoHistory& history = CUndoHistory::Of(doc);
    view.SelectObj(doc.m_objects[0]);
    for (int i = 0; i < 3; ++i) QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(doc.m_objects[0]->m_rcPosition, CRect(8, 5, 13, 9));
    EXPECT_EQ(history.UndoText(), "Nudge");
    history.Undo();
    EXPECT_EQ(doc.m_objects[0]->m_rcPosition, CRect(5, 5, 10, 9)) << "three nudges are one step";
    EXPECT_FALSE(history.CanUndo());

    view.SelectObj(doc.m_objects[1]);
    view.ApplyColoursToSelection(0x00FF00, 0x000000);
    EXPECT_EQ(history.UndoText(), "Colour");
    view.OnEditDelete();
    EXPECT_EQ(doc.m_objects.size(), 1u);
    EXPECT_EQ(history.UndoText(), "Delete");
    history.Undo();
    ASSERT_EQ(doc.m_objects.size(), 2u);
    EXPECT_EQ(doc.m_objects[1]->m_crLine, 0x00FF00u);
    history.Undo();
    EXPECT_EQ(doc.m_objects[1]->m_crLine, 0x0000FFu);
    EXPECT_EQ(view.Dots().GetPixel(20, 5), 0x0000FFu) << "the canvas shows what was undone";
}

}  // namespace
