// The preview window: its geometry at each zoom, the LEDs from x4 on, the zoom kept in
// the profile, and that every way of closing it stops play.
#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "programme/CPreviewPlayer.h"
#include "programme/ui/CDotDisplay.h"
#include "programme/ui/CPreviewDlg.h"
#include "programme/ui/CPreviewPacer.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class PreviewDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 4;
        app.m_nColorCount = 1;
        // A red block on the first screen; it enters at once and is held.
        doc.AddObj(new CDrawRect(CRect(0, 0, 8, 8), RGB(255, 0, 0), RGB(255, 0, 0), 1, 1));
        SCREENINFO rec;
        rec.byImport = 13;
        rec.byAppend = APPEND_PAUSE;
        rec.nPauseSec = 99;
        app.m_aScreenInfo = {rec};
    }
    std::unique_ptr<CPreviewDlg> Open()
    {
        auto dlg = std::make_unique<CPreviewDlg>(app, doc, profile);
        dlg->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        return dlg;
    }

    CVemtApp app;
    CVemtDoc doc {&app};
    CMemoryProfile profile;
};

} // namespace

TEST_F(PreviewDlgTest, IsSizedToTheSignAtEachZoomAndKeepsTheZoom)
{
    struct Case { int zoom; int dotColor; };
    for (int zoom : CPreviewDlg::kZooms) {
        SCOPED_TRACE(zoom);
        auto dlg = Open();
        EXPECT_EQ(dlg->windowTitle(), "Preview");
        EXPECT_EQ(dlg->CloseButton()->text(), "Close");
        dlg->SetZoom(zoom);
        EXPECT_EQ(profile.GetProfileInt("Preview", "Zoom", 0), zoom);
        EXPECT_EQ(dlg->Display()->geometry(), QRect(3, 0, 64 * zoom, 16 * zoom));
        EXPECT_EQ(dlg->width(), std::max(64 * zoom + 10, dlg->CloseButton()->width() + 20));
        // The button sits centred in the room below the display.
        const QRect button = dlg->CloseButton()->geometry();
        EXPECT_GE(button.top(), 16 * zoom);
        EXPECT_LE(std::abs(button.center().x() - dlg->width() / 2), 1);
        EXPECT_LE(std::abs((button.top() - 16 * zoom) - (dlg->height() - button.bottom() - 1)), 1);
        dlg->reject();
        // The next preview opens at the zoom chosen last.
        EXPECT_EQ(Open()->Zoom(), zoom);
    }
    for (int stored : {0, 3, 16, -2}) {
        profile.WriteProfileInt("Preview", "Zoom", stored);
        EXPECT_EQ(CPreviewDlg::LoadZoom(profile), 1) << stored;
    }
}

TEST_F(PreviewDlgTest, PlaysAndDrawsRoundLedsFromX4)
{
    auto dlg = Open();
    // Play begins after a short delay; the block is then shown.
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->IsPlaying(); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->Display()->Picture().pixel(2, 2) == qRgb(255, 0, 0); }, 3000));

    struct Case { int zoom; bool round; };
    const Case cases[] = {{1, false}, {2, false}, {4, true}, {8, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        dlg->SetZoom(c.zoom);
        const QImage shot = dlg->Display()->grab().toImage();
        ASSERT_EQ(shot.size(), QSize(64 * c.zoom, 16 * c.zoom));
        const int z = c.zoom;
        // The middle of a lit dot is its colour; its corner is the board with LEDs and the
        // dot's colour with square dots.
        EXPECT_EQ(QColor(shot.pixel(2 * z + z / 2, 2 * z + z / 2)), QColor(255, 0, 0));
        // (At x4 an LED is only three pixels across, so its edge still tints the corner.)
        const QColor corner(shot.pixel(2 * z, 2 * z));
        if (c.round)
            EXPECT_LT(corner.red(), 0x40);
        else
            EXPECT_EQ(corner, QColor(255, 0, 0));
        // An unlit dot: black when square, a faint LED when round.
        EXPECT_EQ(QColor(shot.pixel(40 * z + z / 2, 12 * z + z / 2)), c.round ? CDotDisplay::kUnlit : QColor(Qt::black));
    }
}

TEST_F(PreviewDlgTest, CloseEscapeAndTheCloseBoxStopPlay)
{
    const char* ways[] = {"Close", "Escape", "close box"};
    for (const char* way : ways) {
        SCOPED_TRACE(way);
        auto dlg = Open();
        ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->IsPlaying(); }, 3000));
        if (std::string(way) == "Close")
            dlg->CloseButton()->click();
        else if (std::string(way) == "Escape")
            QTest::keyClick(dlg.get(), Qt::Key_Escape);
        else
            dlg->close();
        EXPECT_FALSE(dlg->IsPlaying());
        EXPECT_FALSE(dlg->isVisible());
    }
    // Closed before play begins: it never starts.
    auto dlg = Open();
    dlg->reject();
    QTest::qWait(200);
    EXPECT_FALSE(dlg->IsPlaying());
}

TEST_F(PreviewDlgTest, OpeningBringsTheTableToTheScreensAndChangesNothingElse)
{
    doc.AddObj(new CDrawRect(CRect(0, 40, 8, 44), RGB(255, 0, 0), RGB(255, 0, 0), 1, 0));
    doc.SetModifiedFlag(false);
    auto dlg = Open();
    ASSERT_EQ(app.m_aScreenInfo.size(), 3u);
    EXPECT_EQ(app.m_aScreenInfo[0].byImport, 13);
    EXPECT_EQ(app.m_aScreenInfo[2].nPauseSec, 10);
    EXPECT_EQ(dlg->Player().ScreenCount(), 3);
    EXPECT_FALSE(doc.IsModified());
}
