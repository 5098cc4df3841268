// "Send file" in the editor: dialog, worker, progress window and message boxes together,
// against simulated signs on a pseudo-terminal.

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "app/IMessageSink.h"
#include "comm/CSendFileCommand.h"
#include "comm/CSignSimulator.h"
#include "comm/CSimulatorLine.h"
#include "comm/CTtyTransport.h"
#include "comm/CVirtualSign.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CGuiThreadMessageSink.h"
#include "comm/ui/CProgressDlg.h"
#include "comm/ui/CQueuedProgressSink.h"
#include "comm/ui/CSendFileRunner.h"
#include "comm/ui/CVirtualSignWindow.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

// Records messages, and on which thread they were shown.
struct GuiMessageLog : IMessageSink {
    struct Item {
        std::string text, caption;
        bool onGuiThread;
    };
    std::vector<Item> items;
    std::function<void()> whileShown;
    MessageAnswer ShowMessage(const std::string& t, const std::string& c, MessageButtons, MessageIcon) override
    {
        items.push_back({t, c, QThread::currentThread() == qApp->thread()});
        if (whileShown) whileShown();
        return MessageAnswer::Ok;
    }
};

// Lets the event loop run until cond holds or timeoutMs has passed.
bool WaitFor(const std::function<bool()>& cond, int timeoutMs)
{
    for (int waited = 0; !cond() && waited < timeoutMs; waited += 10) QTest::qWait(10);
    return cond();
}

// Answers the address dialog once it is up: the given text, then Ok (or Cancel).
void AnswerAddressDialog(const QString& text, bool ok = true)
{
    QTimer::singleShot(0, [text, ok] {
        auto* dlg = qobject_cast<CAddressDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->AddressEdit()->setText(text);
        (ok ? dlg->OkButton() : dlg->CancelButton())->click();
    });
}

struct SendFileTest : ::testing::Test {
    CVemtApp app;
    CVemtDoc doc {&app};
    CMemoryProfile profile;
    GuiMessageLog messages;
    CSignSimulator sim;
    CSimulatorLine line {sim};
    CVirtualSign virtualSign;

    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 8;
        app.m_nColorCount = 2;
        auto* box = new CDrawRect(CRect(2, 2, 60, 40), 0x0000FF, 0x00FFFF, 1, 1);
        doc.AddObj(box);
        ASSERT_TRUE(line.Open());
        profile.WriteProfileString("SendOption", "Com2Device", line.SlavePath());
    }
    void TearDown() override { ResetEditorState(); }
};

} // namespace

TEST_F(SendFileTest, SilentSignIsReportedOnTheGuiThreadWhileTheWorkerWaits)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    sim.AddSign({.m_byAddress = 5});
    ASSERT_TRUE(line.Start());
    int bytesToFiveWhileShown = -1;
    messages.whileShown = [&] {
        QTest::qWait(150);  // the worker must not go on while the box is up
        bytesToFiveWhileShown = sim.State(5).m_nBytesSeen;
    };
    bool barFull = false;
    QString lastText;
    CSendFileRunner runner(nullptr, app, profile, messages, virtualSign);
    runner.m_fnOnProgressShown = [&](CProgressDlg& dlg) {
        EXPECT_TRUE(dlg.isModal());
        QObject::connect(&dlg, &QDialog::finished, [&] {
            barFull = dlg.Bar()->value() == dlg.Bar()->maximum();
            lastText = dlg.TextLabel()->text();
        });
    };
    AnswerAddressDialog("3,4,5");

    EXPECT_EQ(runner.Run(doc), kSendSomeFailed);

    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending control frame to 4# address!");
    EXPECT_EQ(messages.items[0].caption, "Error-exit sending");
    EXPECT_TRUE(messages.items[0].onGuiThread);
    EXPECT_EQ(bytesToFiveWhileShown, 0);
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(sim.State(5).m_nMessages, 1);
    EXPECT_TRUE(barFull) << "the bar ends full";
    EXPECT_EQ(lastText, "Now sending end green frame to 5# address,Please waitting...");
    EXPECT_EQ(profile.GetProfileString("SendOption", "PingHao", ""), "3,4,5");
    EXPECT_FALSE(runner.UsedVirtualSign());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SendFileTest, CancelInTheAddressDialogSendsNothing)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    CSendFileRunner runner(nullptr, app, profile, messages, virtualSign);
    bool progressShown = false;
    runner.m_fnOnProgressShown = [&](CProgressDlg&) { progressShown = true; };
    AnswerAddressDialog("3", false);
    EXPECT_EQ(runner.Run(doc), kSendNothingSent);
    EXPECT_FALSE(progressShown);
    EXPECT_TRUE(messages.items.empty());
    EXPECT_EQ(sim.State(3).m_nBytesSeen, 0);
}

TEST_F(SendFileTest, BusyPortIsReportedBeforeAnythingIsDrawn)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    CTtyTransport other;
    ASSERT_TRUE(other.Open(line.SlavePath()).m_bOk);
    CSendFileRunner runner(nullptr, app, profile, messages, virtualSign);
    bool progressShown = false;
    runner.m_fnOnProgressShown = [&](CProgressDlg&) { progressShown = true; };
    AnswerAddressDialog("3");
    EXPECT_EQ(runner.Run(doc), kSendNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Sorry,You specified COM is using by another program.Please Close it and retry!");
    EXPECT_EQ(messages.items[0].caption, "Please Confirm");
    EXPECT_FALSE(progressShown);
}

TEST_F(SendFileTest, WidthThatIsNoWholeNumberOfBytesIsRefused)
{
    app.m_nTPWidth = 60;
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    CSendFileRunner runner(nullptr, app, profile, messages, virtualSign);
    AnswerAddressDialog("3");
    EXPECT_EQ(runner.Run(doc), kSendNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text,
              "The width of Moving-Sign must be a multiple of 8 dots,so the message can't be sent!");
    EXPECT_EQ(sim.State(3).m_nBytesSeen, 0);
}

TEST_F(SendFileTest, CancelStopsAfterTheFrameOnTheWire)
{
    line.m_bPaced = true;  // 1002 bytes take about 574 ms, long enough to press Cancel
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 5});
    ASSERT_TRUE(line.Start());
    CSendFileRunner runner(nullptr, app, profile, messages, virtualSign);
    bool cancelDisabled = false;
    runner.m_fnOnProgressShown = [&](CProgressDlg& dlg) {
        EXPECT_TRUE(WaitFor([&] { return dlg.TextLabel()->text().startsWith("Now sending control frame to 3#"); }, 3000));
        QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
        cancelDisabled = !dlg.CancelButton()->isEnabled();
        QTest::keyClick(&dlg, Qt::Key_Escape);  // must not close the window under the worker
        EXPECT_TRUE(dlg.isVisible());
    };
    AnswerAddressDialog("3,5");
    EXPECT_EQ(runner.Run(doc), kSendSomeFailed);
    EXPECT_TRUE(cancelDisabled);
    EXPECT_TRUE(messages.items.empty()) << "a cancelled send is no error";
    EXPECT_EQ(sim.State(3).m_nMessages, 0);
    EXPECT_EQ(sim.State(3).m_nFramesAccepted, 1) << "the control frame on the wire was finished";
    EXPECT_EQ(sim.State(3).m_aCommands, std::vector<std::uint8_t> {0x5F});
    EXPECT_EQ(sim.State(5).m_nBytesSeen, 0);
}

TEST_F(SendFileTest, NewUserSendsToTheBuiltInSignAndItsWindowShowsTheMessage)
{
    CMemoryProfile fresh;
    CVirtualSignWindow window(virtualSign);
    EXPECT_EQ(window.HeaderLabel()->text(), "Address 1: no message received yet");
    CSendFileRunner runner(nullptr, app, fresh, messages, virtualSign);
    AnswerAddressDialog("1");
    EXPECT_EQ(runner.Run(doc), kSendAllDelivered);
    EXPECT_TRUE(messages.items.empty());
    EXPECT_TRUE(runner.UsedVirtualSign());
    EXPECT_EQ(fresh.GetProfileString("SendOption", "Com2Device", ""), CVirtualSign::kDeviceName);

    EXPECT_TRUE(WaitFor([&] { return window.ScreenCount() == 3; }, 2000));
    EXPECT_EQ(window.ScreenHeight(), 16);
    EXPECT_EQ(window.HeaderLabel()->text(),
              "Address 1: 3 screens of 64 x 16 dots, red and green, message 1");
    const QImage& img = window.Screens();
    ASSERT_EQ(img.size(), QSize(64, 48));
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0u) << "outside the box is dark";
    EXPECT_EQ(img.pixel(2, 2) & 0xFFFFFF, 0xFF0000u) << "the red outline";
    EXPECT_EQ(img.pixel(30, 20) & 0xFFFFFF, 0xFFFF00u) << "the yellow fill";
}

TEST_F(SendFileTest, ASendThatReachedNoSignIsNotShownOnTheBuiltInSign)
{
    // The built-in sign answers at address 1 only: a send to 7 reaches nothing.
    CMemoryProfile fresh;
    CSendFileRunner runner(nullptr, app, fresh, messages, virtualSign);
    AnswerAddressDialog("7");
    EXPECT_EQ(runner.Run(doc), kSendSomeFailed);
    EXPECT_TRUE(runner.UsedVirtualSign());
    EXPECT_FALSE(runner.ReachedASign()) << "no window pops up for it";
    messages.items.clear();
    AnswerAddressDialog("1");
    EXPECT_EQ(runner.Run(doc), kSendAllDelivered);
    EXPECT_TRUE(runner.ReachedASign());
}

TEST(QueuedProgress, AFloodFromAWorkerEndsShowingTheLatestTextAndPosition)
{
    CProgressDlg dlg;
    CQueuedProgressSink sink(&dlg);
    std::thread worker([&] {
        sink.SetRange(0, 20000);
        for (int i = 1; i <= 20000; ++i) {
            sink.SetText("frame " + std::to_string(i));
            sink.SetPos(i);
        }
    });
    worker.join();
    EXPECT_EQ(dlg.TextLabel()->text(), "") << "nothing reaches the window off the GUI thread";
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg.TextLabel()->text(), "frame 20000");
    EXPECT_EQ(dlg.Bar()->maximum(), 20000);
    EXPECT_EQ(dlg.Bar()->value(), 20000);
}

TEST(GuiThreadMessages, ShownAtOnceWhenAlreadyOnTheGuiThread)
{
    GuiMessageLog log;
    QObject anchor;
    CGuiThreadMessageSink sink(log, &anchor);
    EXPECT_EQ(sink.ShowMessage("text", "caption"), MessageAnswer::Ok);
    ASSERT_EQ(log.items.size(), 1u);
    EXPECT_TRUE(log.items[0].onGuiThread);
}
