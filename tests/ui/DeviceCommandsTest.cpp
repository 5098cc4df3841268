// The editor's device commands: dialogs, worker and message boxes together, against
// simulated signs on a pseudo-terminal.

#include "ModalDialogDriver.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "app/IMessageSink.h"
#include "comm/CDeviceCommand.h"
#include "comm/CSignSimulator.h"
#include "comm/CSimulatorLine.h"
#include "comm/CTtyTransport.h"
#include "comm/CVirtualSign.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CClockPosDlg.h"
#include "comm/ui/CDeviceCommandRunner.h"
#include "comm/ui/CProgressDlg.h"
#include "comm/ui/CTimerDlg.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QComboBox>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {

struct MessageLog : IMessageSink {
    struct Item {
        std::string text, caption;
        bool onGuiThread;
    };
    std::vector<Item> items;
    MessageAnswer ShowMessage(const std::string& t, const std::string& c, MessageButtons, MessageIcon) override
    {
        items.push_back({t, c, QThread::currentThread() == qApp->thread()});
        return MessageAnswer::Ok;
    }
};

// Answers the address dialog with text (when it can be edited), then Ok or Cancel.
void AnswerAddress(const QString& text, bool ok = true, bool* editable = nullptr)
{
    WhenModal<CAddressDlg>([=](CAddressDlg* dlg) {
        if (editable) *editable = dlg->AddressEdit()->isEnabled();
        if (dlg->AddressEdit()->isEnabled()) dlg->AddressEdit()->setText(text);
        (ok ? dlg->OkButton() : dlg->CancelButton())->click();
    });
}

// Sunday 5 May 2002 09:07:03.
std::tm InjectedClock()
{
    std::tm t {};
    t.tm_year = 102;
    t.tm_mon = 4;
    t.tm_mday = 5;
    t.tm_wday = 0;
    t.tm_hour = 9;
    t.tm_min = 7;
    t.tm_sec = 3;
    return t;
}

struct DeviceCommandsTest : ::testing::Test {
    CVemtApp app;
    CVemtDoc doc {&app};
    CMemoryProfile profile;
    MessageLog messages;
    CSignSimulator sim;
    CSimulatorLine line {sim};
    CVirtualSign virtualSign;
    CDeviceCommandRunner runner {nullptr, app, profile, messages, virtualSign};
    int beeps = 0;
    bool progressShown = false;

    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 4;
        doc.AddObj(new CDrawRect(CRect(2, 2, 60, 40), 0x0000FF, 0x00FFFF, 1, 1));
        doc.SetModifiedFlag(false);
        ASSERT_TRUE(line.Open());
        profile.WriteProfileString("SendOption", "Com2Device", line.SlavePath());
        runner.Ports().SetDevicePath(2, line.SlavePath());
        runner.m_fnBeep = [this] { ++beeps; };
        runner.m_pFrameMessages = &messages;
        runner.m_fnLocalTime = InjectedClock;
        runner.m_fnOnProgressShown = [this](CProgressDlg&) { progressShown = true; };
    }
    void TearDown() override { ResetEditorState(); }
    void Start(std::initializer_list<CSimSignConfig> signs)
    {
        for (const CSimSignConfig& s : signs) sim.AddSign(s);
        ASSERT_TRUE(line.Start());
    }
    int FramesLogged() const
    {
        int n = 0;
        for (const std::string& l : sim.Log()) n += l.find(" frame, checksum") != std::string::npos;
        return n;
    }
};

TEST_F(DeviceCommandsTest, AdjustTimeStopsAtTheSilentSignWithOneMessage)
{
    Start({{.m_byAddress = 1, .m_bSilent = true}, {.m_byAddress = 2}});
    AnswerAddress("1,2");
    WhenModal<CClockPosDlg>([](CClockPosDlg* dlg) { dlg->OkButton()->click(); });
    EXPECT_EQ(runner.Run(EDeviceCommand::AdjustTime, doc), kDeviceSomeFailed);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Adjust time failed!");
    EXPECT_EQ(messages.items[0].caption, "Adjust Time");
    EXPECT_TRUE(messages.items[0].onGuiThread);
    EXPECT_EQ(sim.State(2).m_nBytesSeen, 0) << "2 is never contacted";
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DeviceCommandsTest, TheClockPositionDialogFeedsTheClockFrame)
{
    Start({{.m_byAddress = 3}});
    AnswerAddress("3");
    WhenModal<CClockPosDlg>([](CClockPosDlg* dlg) {
        dlg->XEdit()->setText("5");
        dlg->YEdit()->setText("12");
        dlg->SecondCheck()->setChecked(false);
        dlg->OkButton()->click();
    });
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(runner.Run(EDeviceCommand::AdjustTime, doc), kDeviceAllDelivered);
    const std::array<std::uint8_t, 11> clock = {0x20, 0x02, 0x05, 0x05, 0x00, 0x09, 0x07, 0x03, 5, 12, 1};
    EXPECT_EQ(sim.State(3).m_abyClock, clock);
    EXPECT_EQ(app.m_nClockX, 5);
    EXPECT_EQ(app.m_nClockY, 12);
    EXPECT_EQ(app.m_bDisplaySecond, 0);
    EXPECT_TRUE(doc.IsModified()) << "the clock values are saved with the document";
    EXPECT_EQ(beeps, 1);
}

TEST_F(DeviceCommandsTest, ListZeroSendsOneBroadcastAndBeepsOnce)
{
    Start({{.m_byAddress = 1}, {.m_byAddress = 2}});
    AnswerAddress("0");
    WhenModal<CClockPosDlg>([](CClockPosDlg* dlg) { dlg->OkButton()->click(); });
    EXPECT_EQ(runner.Run(EDeviceCommand::AdjustTime, doc), kDeviceAllDelivered);
    EXPECT_EQ(FramesLogged(), 1);
    EXPECT_EQ(sim.Log().back(), "broadcast clock frame, checksum ok");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(messages.items.empty());
}

TEST_F(DeviceCommandsTest, ShowAddressNeverOffersTheAddressAndGoesToZero)
{
    Start({{.m_byAddress = 4}, {.m_byAddress = 9}});
    for (const char* stored : {"4", "4,9", "9"}) {
        app.m_szAddress = stored;
        bool editable = true;
        AnswerAddress("4", true, &editable);
        EXPECT_EQ(runner.Run(EDeviceCommand::ShowAddress, doc), kDeviceAllDelivered);
        EXPECT_FALSE(editable);
        EXPECT_EQ(runner.Outcome().m_aResults.size(), 1u);
        EXPECT_EQ(runner.Outcome().m_aResults[0].m_byAddress, 0);
        EXPECT_EQ(sim.Log().back(), "broadcast show address frame, checksum ok");
    }
    EXPECT_TRUE(sim.State(4).m_bShowAddress && sim.State(9).m_bShowAddress);
    AnswerAddress("4");
    EXPECT_EQ(runner.Run(EDeviceCommand::HideAddress, doc), kDeviceAllDelivered);
    EXPECT_FALSE(sim.State(4).m_bShowAddress || sim.State(9).m_bShowAddress);
    EXPECT_EQ(FramesLogged(), 4);
    EXPECT_EQ(beeps, 4);
}

TEST_F(DeviceCommandsTest, CancelInAnyDialogSendsNothing)
{
    Start({{.m_byAddress = 1}});
    AnswerAddress("1");
    WhenModal<CClockPosDlg>([](CClockPosDlg* dlg) {
        dlg->XEdit()->setText("7");
        dlg->CancelButton()->click();
    });
    EXPECT_EQ(runner.Run(EDeviceCommand::AdjustTime, doc), kDeviceNothingSent);
    EXPECT_EQ(app.m_nClockX, 0) << "Cancel keeps the clock values";
    EXPECT_FALSE(doc.IsModified());
    AnswerAddress("1", false);
    EXPECT_EQ(runner.Run(EDeviceCommand::OpenSign, doc), kDeviceNothingSent);
    EXPECT_EQ(sim.State(1).m_nBytesSeen, 0);
    EXPECT_EQ(FramesLogged(), 0);
    EXPECT_FALSE(progressShown);
    EXPECT_TRUE(messages.items.empty());
}

TEST_F(DeviceCommandsTest, TimerOnAnEmptyDocumentWarnsBeforeAnyDialog)
{
    Start({{.m_byAddress = 1}});
    CVemtDoc empty(&app);
    bool dialogSeen = false;
    WhenModal<QDialog>([&](QDialog* dlg) {
        dialogSeen = true;
        dlg->reject();
    }, 300);
    EXPECT_EQ(runner.Run(EDeviceCommand::Timer, empty), kDeviceNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "The edit area is empty,so can't process this operation!");
    EXPECT_EQ(messages.items[0].caption, "Warning");
    QTest::qWait(350);
    EXPECT_FALSE(dialogSeen);
}

TEST_F(DeviceCommandsTest, TimerSendsTheTableSetInTheDialog)
{
    Start({{.m_byAddress = 6}});
    app.m_aTimer[1] = {1, 1, 2, 1, 1, 6, 0};  // Wednesday 06:00 close
    WhenModal<CTimerDlg>([](CTimerDlg* dlg) {
        dlg->EnableRadio()->click();  // entry 1 on
        dlg->DayCombo()->setCurrentIndex(7);
        dlg->HourCombo()->setCurrentIndex(8);
        dlg->MinuteCombo()->setCurrentIndex(30);
        dlg->FirstScreenCombo()->setCurrentIndex(1);
        dlg->LastScreenCombo()->setCurrentIndex(2);
        dlg->SetButton()->click();
    });
    AnswerAddress("6");
    EXPECT_EQ(runner.Run(EDeviceCommand::Timer, doc), kDeviceAllDelivered);
    const auto& t = sim.State(6).m_abyTimer;
    const std::vector<std::uint8_t> sent(t.begin(), t.begin() + 12);
    EXPECT_EQ(sent, (std::vector<std::uint8_t>{1, 7, 0x08, 0x30, 2, 3, 1, 3, 0x06, 0x00, 0, 0}));
    EXPECT_TRUE(doc.IsModified()) << "the table is saved with the document";
    EXPECT_EQ(beeps, 1);
}

TEST_F(DeviceCommandsTest, ABusyPortIsReportedAndNothingIsSent)
{
    Start({{.m_byAddress = 1}});
    CTtyTransport other;
    ASSERT_TRUE(other.Open(line.SlavePath()).m_bOk);
    AnswerAddress("1");
    EXPECT_EQ(runner.Run(EDeviceCommand::CloseSign, doc), kDeviceNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].caption, "Please Confirm");
    EXPECT_FALSE(progressShown);
}

TEST_F(DeviceCommandsTest, TheFailureBoxHasNoOwner)
{
    Start({{.m_byAddress = 1, .m_bSilent = true}});
    runner.m_pFrameMessages = nullptr;
    QWidget parent;
    CDeviceCommandRunner owned(&parent, app, profile, messages, virtualSign);
    owned.Ports().SetDevicePath(2, line.SlavePath());
    owned.m_fnBeep = [] {};
    bool seen = false;
    QWidget* owner = &parent;
    QString text, title;
    AnswerAddress("1");
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        owner = box->parentWidget();
        text = box->text();
        title = box->windowTitle();
        box->button(QMessageBox::Ok)->click();
    }, 5000);
    EXPECT_EQ(owned.Run(EDeviceCommand::OpenSign, doc), kDeviceSomeFailed);
    EXPECT_TRUE(seen);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(text, "Open Lextrel failed!");
    EXPECT_EQ(title, "Open");
    EXPECT_TRUE(messages.items.empty());
}

// The clock position dialog's own rules.
TEST(ClockPosDlgTest, EachFieldDecidesAloneWhetherOkCanBePressed)
{
    CVemtApp app;
    app.m_nClockX = 4;
    app.m_nClockY = 2;
    app.m_bDisplaySecond = 1;
    CClockPosDlg dlg(app);
    EXPECT_EQ(dlg.windowTitle(), "Setting X,Y position");
    EXPECT_EQ(dlg.XEdit()->text(), "4");
    EXPECT_EQ(dlg.YEdit()->text(), "2");
    EXPECT_TRUE(dlg.SecondCheck()->isChecked());
    EXPECT_TRUE(dlg.OkButton()->isEnabled());

    const struct {
        QLineEdit* edit;
        const char* text;
        bool okEnabled;
    } steps[] = {
        {dlg.XEdit(), "", false},  {dlg.XEdit(), "3", true},   {dlg.YEdit(), "", false},
        {dlg.XEdit(), "9", true},  // Y still empty
        {dlg.XEdit(), "", false}, {dlg.YEdit(), "1", true},
    };
    for (const auto& s : steps) {
        s.edit->clear();
        QTest::keyClicks(s.edit, s.text);
        if (*s.text == 0) s.edit->setText("");
        EXPECT_EQ(dlg.OkButton()->isEnabled(), s.okEnabled) << s.text;
    }
    QTest::keyClicks(dlg.XEdit(), "-a7");
    EXPECT_EQ(dlg.XEdit()->text(), "7") << "digits only";
    dlg.YEdit()->clear();
    QTest::keyClicks(dlg.YEdit(), "300");
    dlg.SecondCheck()->setChecked(false);
    dlg.OkButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(app.m_nClockX, 7);
    EXPECT_EQ(app.m_nClockY, 255) << "a position is one byte";
    EXPECT_EQ(app.m_bDisplaySecond, 0);
}

}  // namespace
