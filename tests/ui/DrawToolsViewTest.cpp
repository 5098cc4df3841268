// The drawing tools driven with the mouse through the real canvas view at every zoom
// factor: window pixels become dots, and the object drawn is the one dragged.
#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CToolOptionWnd.h"
#include "editor/CVemtView.h"
#include "editor/MenuCommands.h"
#include "editor/tools/CDrawTool.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The Undo or Redo item, when its prompt names the step it would take.
QAction* StepAction(QMenuBar* bar, const char* item, const QString& step)
{
    QAction* a = FindMenuAction(bar, QString::fromLatin1(item));
    return a && a->statusTip() == step ? a : nullptr;
}

// A two-colour sign of two 64 × 16 screens, with the editor's state fresh before and after.
class SmallSign {
protected:
    SmallSign()
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 2;
        app.m_nColorCount = 2;
    }
    ~SmallSign() { ResetEditorState(); }

    CVemtApp app;
    CMemoryProfile profile;
};

class DrawToolsViewTest : public testing::TestWithParam<int>, protected SmallSign {};

TEST_P(DrawToolsViewTest, ARectangleDraggedInPixelsLandsOnTheDotsUnderTheMouse)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    ASSERT_NE(child, nullptr);
    frame.show();
    g_nZoomIndex = GetParam();
    CVemtView* view = child->View();
    view->OnZoomChanged();
    const int z = ZoomFactor(g_nZoomIndex);
    QWidget* canvas = view->viewport();

    QAction* rectangle = frame.DrawToolAction(9);
    ASSERT_TRUE(rectangle->isEnabled());
    rectangle->trigger();
    ASSERT_EQ(g_nToolShape, kShapeRectTool);

    // From inside dot (2, 2) to inside dot (8, 5), away from the dots' edges.
    const QPoint from(2 * z + z / 2, 2 * z + z / 2);
    const QPoint to(8 * z + z / 2, 5 * z + z / 2);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(canvas, (from + to) / 2);
    QTest::mouseMove(canvas, to);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);

    CVemtDoc& doc = child->Document();
    ASSERT_EQ(doc.m_objects.size(), 1u);
    EXPECT_EQ(doc.m_objects[0]->m_rcPosition, CRect(2, 2, 8, 5));
    EXPECT_EQ(g_nDrawMode, 9) << "the tool stays after a drag";
    EXPECT_TRUE(view->IsSelected(doc.m_objects[0]));
    // The canvas shows it: its top-left corner dot is lit, the dot inside is not.
    EXPECT_EQ(view->Dots().GetPixel(2, 2), g_crForeground);
    EXPECT_EQ(view->Dots().GetPixel(4, 3), 0u);

    // Undo takes it away again.
    QAction* undo = StepAction(frame.menuBar(), "Undo(&U)", QStringLiteral("Undo Rectangle"));
    ASSERT_NE(undo, nullptr);
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(doc.m_objects.empty());
    EXPECT_EQ(view->Dots().GetPixel(2, 2), 0u);
    EXPECT_NE(StepAction(frame.menuBar(), "Redo", QStringLiteral("Redo Rectangle")), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryZoom, DrawToolsViewTest, testing::Values(0, 1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Factor" + std::to_string(ZoomFactor(info.param));
                         });

}  // namespace

namespace {

class DrawToolsFrameTest : public testing::Test, protected SmallSign {};

TEST_F(DrawToolsFrameTest, TheEyeDropPicksWithBothButtonsAndReturnsToSelect)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    child->Document().AddObj(new CDrawRect({2, 2, 8, 6}, 0x00FF00, 0, 1, 0));
    child->View()->RenderCanvas();
    QWidget* canvas = child->View()->viewport();

    frame.DrawToolAction(7)->trigger();
    ASSERT_EQ(g_nDrawMode, 7);
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(g_crForeground, 0x00FF00u);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(2, 3));
    EXPECT_EQ(g_crForeground, 0x00FF00u);
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);

    frame.DrawToolAction(7)->trigger();
    QTest::mousePress(canvas, Qt::RightButton, {}, QPoint(7, 5));
    QTest::mouseRelease(canvas, Qt::RightButton, {}, QPoint(7, 5));
    EXPECT_EQ(g_crBackground, 0x00FF00u);
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_TRUE(child->Document().m_objects.size() == 1u) << "picking draws nothing";
}

TEST_F(DrawToolsFrameTest, AnAlignButtonIsOneNamedStepOfTheActiveDocument)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    CVemtDoc& doc = child->Document();
    auto* a = new CDrawRect({5, 2, 10, 6}, 0x0000FF, 0, 1, 0);
    auto* b = new CDrawRect({20, 8, 30, 12}, 0x0000FF, 0, 1, 0);
    doc.AddObj(a);
    doc.AddObj(b);
    CVemtView* view = child->View();
    QAction* alignLeft = frame.ToolAction(QStringLiteral("Align Left"));
    ASSERT_NE(alignLeft, nullptr);
    view->SelectObj(a, false, false);
    RefreshCommandStates();
    EXPECT_FALSE(alignLeft->isEnabled()) << "two objects are needed";
    view->SelectObj(b, true, true);
    RefreshCommandStates();
    ASSERT_TRUE(alignLeft->isEnabled());
    alignLeft->trigger();
    EXPECT_EQ(b->m_rcPosition, CRect(5, 8, 15, 12));
    EXPECT_TRUE(doc.IsModified());
    QAction* undo = StepAction(frame.menuBar(), "Undo(&U)", QStringLiteral("Undo Align Left"));
    ASSERT_NE(undo, nullptr);
    undo->trigger();
    EXPECT_EQ(b->m_rcPosition, CRect(20, 8, 30, 12));
}

}  // namespace

namespace {

TEST_F(DrawToolsFrameTest, UndoInTheMiddleOfAPolygonEndsItFirstAndTakesItBack)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    CVemtDoc& doc = child->Document();
    QWidget* canvas = child->View()->viewport();

    frame.DrawToolAction(9)->trigger();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseMove(canvas, QPoint(6, 6));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_EQ(doc.m_objects.size(), 1u);

    frame.DrawToolAction(12)->trigger();
    for (QPoint p : {QPoint(10, 10), QPoint(20, 10), QPoint(15, 18)}) {
        QTest::mouseMove(canvas, p);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, p);
    }
    ASSERT_EQ(doc.m_objects.size(), 2u) << "the polygon being drawn";

    StepAction(frame.menuBar(), "Undo(&U)", QStringLiteral("Undo Rectangle"))->trigger();
    // The polygon was ended (a step of its own) and that step was taken back.
    ASSERT_EQ(doc.m_objects.size(), 1u);
    EXPECT_EQ(doc.m_objects[0]->m_rcPosition, CRect(1, 1, 6, 6));
    EXPECT_NE(StepAction(frame.menuBar(), "Redo", QStringLiteral("Redo PolyLine")), nullptr);

    // Drawing goes on normally afterwards.
    frame.DrawToolAction(9)->trigger();
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(30, 2));
    QTest::mouseMove(canvas, QPoint(40, 9));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(40, 9));
    EXPECT_EQ(doc.m_objects.size(), 2u);
}

}  // namespace

namespace {

TEST_F(DrawToolsFrameTest, TheOptionsWindowSetsTheLineWidthOfTheWholeSelection)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    CVemtDoc& doc = child->Document();
    auto* a = new CDrawRect({1, 1, 9, 6}, 0x0000FF, 0, 1, 0);
    auto* b = new CDrawRect({12, 1, 20, 6}, 0x0000FF, 0, 1, 0);
    doc.AddObj(a);
    doc.AddObj(b);
    child->View()->SelectObj(a, false, false);
    child->View()->SelectObj(b, true, true);

    frame.DrawToolAction(6)->trigger();
    CToolOptionWnd* options = frame.ToolOptions();
    ASSERT_TRUE(options->isVisible());
    EXPECT_EQ(options->windowTitle(), "Line Mode");
    ASSERT_FALSE(options->OptionRect(4).isEmpty());
    EXPECT_TRUE(options->OptionRect(5).isEmpty()) << "five widths";
    QTest::mouseClick(options, Qt::LeftButton, {}, options->OptionRect(2).center());
    EXPECT_EQ(g_nLineWidth, 3);
    EXPECT_EQ(a->m_nPenWidth, 3);
    EXPECT_EQ(b->m_nPenWidth, 3);
    ASSERT_NE(StepAction(frame.menuBar(), "Undo(&U)", QStringLiteral("Undo Line Width")), nullptr);

    frame.DrawToolAction(11)->trigger();
    EXPECT_EQ(options->windowTitle(), "Circle Mode");
    EXPECT_TRUE(options->OptionRect(3).isEmpty()) << "three fill styles";
    QTest::mouseClick(options, Qt::LeftButton, {}, options->OptionRect(2).center());
    EXPECT_EQ(g_nFillStyle, 2);
    EXPECT_EQ(a->m_nFillMode, 2);
}

}  // namespace
