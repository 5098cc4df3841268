// The built-in sign's "Play": after a send it runs the message by the settings the sign
// received, in place of the still screens.
#include "RecordingMessageSink.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "comm/CVirtualSign.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CSendFileRunner.h"
#include "comm/ui/CVirtualSignWindow.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "programme/ui/CDotDisplay.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(VirtualSignPlay, PlaysWhatTheSignReceivedAndStopsWhenPressedAgain)
{
    CVemtApp app;
    app.m_nTPWidth = 64;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 4;
    app.m_nColorCount = 1;
    CVemtDoc doc(&app);
    doc.AddObj(new CDrawRect(CRect(0, 0, 64, 16), 0x0000FF, 0x0000FF, 1, 1));
    // The screen opens from the left, column by column, then holds for a long pause.
    SCREENINFO rec;
    rec.byImport = 5;
    rec.byAppend = APPEND_PAUSE;
    rec.nPauseSec = 60;
    app.m_aScreenInfo = {rec};

    CVirtualSign sign;
    CVirtualSignWindow window(sign);
    window.show();
    EXPECT_FALSE(window.PlayButton()->isEnabled()) << "nothing received yet";

    CMemoryProfile profile;
    RecordingMessageSink messages;
    CSendFileRunner runner(nullptr, app, profile, messages, sign);
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CAddressDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->AddressEdit()->setText("1");
        dlg->OkButton()->click();
    });
    runner.Run(doc);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.ScreenCount() == 1; }, 3000));
    ASSERT_TRUE(window.PlayButton()->isEnabled());

    window.PlayButton()->click();
    EXPECT_TRUE(window.IsPlaying());
    EXPECT_TRUE(window.PlayDisplay()->isVisible());
    EXPECT_EQ(window.PlayDisplay()->size(), QSize(64, 16) * window.DotPitch()) << "one screen at the window's pitch";
    // Mid-entry some columns are open and the rightmost is still dark; then all are lit.
    const QImage& shown = window.PlayDisplay()->Picture();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return (shown.pixel(0, 8) & 0xFFFFFF) == 0xFF0000 && (shown.pixel(63, 8) & 0xFFFFFF) == 0;
    }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return (shown.pixel(63, 8) & 0xFFFFFF) == 0xFF0000; }, 5000));

    window.PlayButton()->click();
    EXPECT_FALSE(window.IsPlaying());
    EXPECT_FALSE(window.PlayDisplay()->isVisible());
}
