#include "app/CVemtApp.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/CVemtView.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CanvasViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 3;
    }
    CVemtApp app;
};

TEST_F(CanvasViewTest, ShowsTheObjectsAsTheSignsDots)
{
    CVemtDoc doc(&app);
    // A filled red rectangle in the second screen: left and top inside, right and bottom out.
    doc.AddObj(new CDrawRect(CRect(4, 18, 10, 22), 0x0000FF, 0x0000FF, 1, 1));
    CVemtView view(app, doc);
    EXPECT_EQ(view.width(), 64);
    EXPECT_EQ(view.height(), 48);
    const CRasterSurface& dots = view.Dots();
    EXPECT_EQ(dots.GetPixel(4, 18), 0x0000FFu);
    EXPECT_EQ(dots.GetPixel(9, 21), 0x0000FFu);
    EXPECT_EQ(dots.GetPixel(10, 18), 0u);
    EXPECT_EQ(dots.GetPixel(4, 22), 0u);
    EXPECT_EQ(dots.GetPixel(3, 18), 0u);
}

TEST_F(CanvasViewTest, AChangedDocumentIsDrawnAgain)
{
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    EXPECT_EQ(view.Dots().GetPixel(1, 1), 0u);
    doc.AddObj(new CDrawRect(CRect(0, 0, 8, 8), 0x00FF00, 0x00FF00, 1, 1));
    doc.UpdateAllViews(nullptr);
    EXPECT_EQ(view.Dots().GetPixel(1, 1), 0x00FF00u);
}

TEST_F(CanvasViewTest, TheStatusBarShowsTheDotAndItsScreen)
{
    CVemtDoc doc(&app);
    CVemtView view(app, doc);
    QLabel coordinate, screen;
    view.SetStatusPanes(&coordinate, &screen);
    view.show();
    QTest::mouseMove(&view, QPoint(5, 15));
    EXPECT_EQ(coordinate.text(), "(x=5,y=15)");
    EXPECT_EQ(screen.text(), "The 1th Screen");
    QTest::mouseMove(&view, QPoint(7, 16));
    EXPECT_EQ(screen.text(), "The 2th Screen");
}

}  // namespace
