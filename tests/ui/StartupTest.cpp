#include "RecordingMessageSink.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/ui/CSignParamDlg.h"
#include "app/ui/CVemtStartup.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/ZoomLayout.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(Startup, ClosingTheSignParametersDialogEndsWithoutAWindow)
{
    CVemtApp app;
    CMemoryProfile profile;
    RecordingMessageSink sink;
    CVemtStartup startup(app, profile, sink, "/nonexistent/Vemt.ini");
    startup.SetDialogHook([](CSignParamDlg& dlg) { QTimer::singleShot(0, &dlg, &QDialog::reject); });
    EXPECT_FALSE(startup.InitInstance({}));
    EXPECT_EQ(startup.MainFrame(), nullptr);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
}

TEST(Startup, ConfirmedParametersOpenTheMainWindowWithOneNewDocument)
{
    CVemtApp app;
    CMemoryProfile profile;
    profile.WriteProfileInt("TimingSend", "Count", 1);
    profile.WriteProfileString("SendOption", "PingHao", "4,5");
    profile.WriteProfileInt("SendOption", "Comport", 1);
    RecordingMessageSink sink;
    CVemtStartup startup(app, profile, sink, "/nonexistent/Vemt.ini");
    startup.SetDialogHook([](CSignParamDlg& dlg) {
        QTimer::singleShot(0, &dlg, [&dlg] {
            dlg.WidthEdit()->setText("96");
            dlg.HeightEdit()->setText("32");
            dlg.NumberEdit()->setText("3");
            dlg.SetButton()->click();
        });
    });
    ASSERT_TRUE(startup.InitInstance({}));
    EXPECT_EQ(app.m_nTPWidth, 96);
    EXPECT_EQ(app.m_nTPHeight, 32);
    EXPECT_EQ(app.m_nTotalScreen, 3);
    EXPECT_EQ(app.m_szAddress, "4,5");
    EXPECT_EQ(app.m_nComPort, 1);
    EXPECT_EQ(app.m_listTimingSend.size(), 1u);

    CMainFrame* frame = startup.MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    const auto windows = frame->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows[0]->widget()->windowTitle(), "LED Lextrel Software");
    EXPECT_GE(frame->CoordinatePane()->width(), 115);
    EXPECT_GE(frame->ScreenNoPane()->width(), 100);
    const QLabel* screenNo = frame->ScreenNoPane();
    EXPECT_LT(screenNo->fontMetrics().horizontalAdvance(QStringLiteral("The 888th Screen")),
              screenNo->contentsRect().width())
        << "three-digit screen numbers are not cut";
    startup.ExitInstance();
    EXPECT_TRUE(app.m_listTimingSend.empty());
}

struct FrameSizeCase {
    const char* name;
    int width, height, screens, workArea;
    int expectWidth, expectHeight;
};

TEST(ChildFrame, SizeFollowsTheCanvasUpToTheLimits)
{
    const int bar = 16;
    const FrameSizeCase cases[] = {
        {"small canvas fits", 160, 32, 10, 1280, 164, 324},
        {"tall canvas scrolls vertically", 160, 16, 150, 1280, 164 + bar + 1, 430},
        {"a 320 x 64 sign of ten screens keeps its width", 320, 64, 10, 1280, 324 + bar + 1, 430},
        {"wide canvas scrolls horizontally", 800, 64, 1, 1280, 700, 68 + bar + 1},
        {"both scroll", 800, 200, 10, 1280, 700, 430},
        {"640-wide work area has the smaller limits", 64, 16, 30, 640, 68 + bar + 1, 340},
    };
    for (const auto& c : cases) {
        const CZoomLayout l = ComputeCreationLayout(c.width, c.height, c.screens, VisibleAreaLimits(c.workArea), bar, bar);
        EXPECT_EQ(l.m_nFrameWidth, c.expectWidth) << c.name;
        EXPECT_EQ(l.m_nFrameHeight, c.expectHeight) << c.name;
    }
}

}  // namespace
