// The drawing tools driven with the mouse through the real canvas view at every zoom
// factor: window pixels become dots, and the object drawn is the one dragged.
#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CVemtView.h"
#include "editor/MenuCommands.h"
#include "editor/tools/CDrawTool.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class DrawToolsViewTest : public testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 2;
        app.m_nColorCount = 2;
    }
    void TearDown() override { ResetEditorState(); }

    CVemtApp app;
    CMemoryProfile profile;
};

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
    QAction* undo = FindMenuAction(frame.menuBar(), QStringLiteral("Undo Rectangle"));
    ASSERT_NE(undo, nullptr);
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(doc.m_objects.empty());
    EXPECT_EQ(view->Dots().GetPixel(2, 2), 0u);
    EXPECT_NE(FindMenuAction(frame.menuBar(), QStringLiteral("Redo Rectangle")), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryZoom, DrawToolsViewTest, testing::Values(0, 1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Factor" + std::to_string(ZoomFactor(info.param));
                         });

}  // namespace
