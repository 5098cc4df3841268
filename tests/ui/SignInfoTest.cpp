// "Sign information...": the address checks before the window, the window's lines as the
// query of simulated signs goes on, and the log.

#include "ModalDialogDriver.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "comm/CAddressList.h"
#include "comm/CSignSimulator.h"
#include "comm/CSimulatorLine.h"
#include "comm/CVirtualSign.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CQueryResultDlg.h"
#include "comm/ui/CSignInfoDlg.h"
#include "comm/ui/CSignInfoRunner.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/DeviceMenuCommands.h"
#include "editor/MenuCommands.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct MessageLog : IMessageSink {
    std::vector<std::pair<std::string, std::string>> items;
    MessageAnswer ShowMessage(const std::string& t, const std::string& c, MessageButtons, MessageIcon) override
    {
        items.emplace_back(t, c);
        return MessageAnswer::Ok;
    }
};

bool WaitFor(const std::function<bool()>& cond, int timeoutMs)
{
    for (int waited = 0; !cond() && waited < timeoutMs; waited += 10) QTest::qWait(10);
    return cond();
}

void AnswerAddress(const QString& text)
{
    WhenModal<CAddressDlg>([=](CAddressDlg* dlg) {
        dlg->AddressEdit()->setText(text);
        dlg->OkButton()->click();
    });
}

struct SignInfoTest : ::testing::Test {
    CVemtApp app;
    CMemoryProfile profile;
    MessageLog messages;
    CSignSimulator sim;
    CSimulatorLine line {sim};
    CVirtualSign virtualSign;

    void SetUp() override
    {
        ASSERT_TRUE(line.Open());
        profile.WriteProfileString("SendOption", "Com2Device", line.SlavePath());
    }
    void Start(std::initializer_list<CSimSignConfig> signs)
    {
        for (const CSimSignConfig& s : signs) sim.AddSign(s);
        ASSERT_TRUE(line.Start());
    }
    static std::vector<std::string> Lines(const CSignInfoDlg& dlg)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < 5; ++i) lines.push_back(dlg.Line(i)->text().toStdString());
        return lines;
    }
};

TEST_F(SignInfoTest, AListHoldingZeroIsRefusedBeforeTheWindowOpens)
{
    Start({{.m_byAddress = 1}});
    CSignInfoRunner runner(nullptr, app, profile, messages, virtualSign);
    bool shown = false;
    runner.m_fnOnDialogShown = [&](CSignInfoDlg& dlg) {
        shown = true;
        dlg.reject();
    };
    AnswerAddress("1,0");
    EXPECT_FALSE(runner.Run());
    EXPECT_FALSE(shown);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].first, "Sorry,the address string can't include 0 address.");
    EXPECT_EQ(messages.items[0].second, "Prompt");
    EXPECT_EQ(sim.State(1).m_nBytesSeen, 0);
}

TEST_F(SignInfoTest, TheWindowWaitsThenShowsTheLastSignAndTheLog)
{
    Start({{.m_byAddress = 2, .m_eInfoFault = EInfoFault::Short},
           {.m_byAddress = 3, .m_info = {"3.20", "A1", "11.0592M", "64K"}}});
    CSignInfoRunner runner(nullptr, app, profile, messages, virtualSign);
    runner.m_pQueryMessages = &messages;
    std::vector<std::string> before, after;
    bool closeDisabledWhileAsking = false;
    int beeps = 0;
    std::string shownLog;
    runner.m_fnOnDialogShown = [&](CSignInfoDlg& dlg) {
        dlg.m_fnBeep = [&] { ++beeps; };
        EXPECT_EQ(dlg.windowTitle(), "Moving-Sing Information");
        before = Lines(dlg);
        ASSERT_TRUE(WaitFor([&] { return dlg.IsQuerying(); }, 2000));
        closeDisabledWhileAsking = !dlg.CloseButton()->isEnabled();
        dlg.reject();  // refused while the line is in use
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_TRUE(WaitFor([&] { return !dlg.IsQuerying(); }, 5000));
        after = Lines(dlg);
        WhenModal<CQueryResultDlg>([&](CQueryResultDlg* result) {
            EXPECT_EQ(result->windowTitle(), "The result of query");
            EXPECT_TRUE(result->TextBox()->isReadOnly());
            shownLog = result->TextBox()->toPlainText().toStdString();
            result->CloseButton()->click();
        });
        dlg.ViewLogButton()->click();
        dlg.CloseButton()->click();
    };
    AnswerAddress("2,3");
    EXPECT_TRUE(runner.Run());

    const std::vector<std::string> waiting = {"Is connecting with 2# address Moving-Sign,Please waiting...",
                                              "2# address Moving-Sign's version is:NONE",
                                              "2# address Moving-Sign's memory size is:NONE",
                                              "2# address Moving-Sign's Motherboard version is:NONE",
                                              "2# address Moving-Sign's Crystal Frenquency is:NONE"};
    EXPECT_EQ(before, waiting);
    EXPECT_TRUE(closeDisabledWhileAsking);
    const std::vector<std::string> last = {"Get 3# address Moving-Sign's information success",
                                           "3# address Moving-Sign's version is:3.20",
                                           "3# address Moving-Sign's memory size is:64K",
                                           "3# address Moving-Sign's Motherboard version is:A1",
                                           "3# address Moving-Sign's Crystal Frenquency is:11.0592M"};
    EXPECT_EQ(after, last);
    EXPECT_EQ(shownLog,
              "The number from 2# address Moving-Sign return is incorrect\n"
              "3 address Moving-Sign's Version is 3.20,Memory size is 64K,Motherboard version is A1,Crystal "
              "Frequency is 11.0592M\n");
    EXPECT_EQ(beeps, 3) << "two signs took the query, one reply was short";
    EXPECT_TRUE(messages.items.empty());
}

TEST_F(SignInfoTest, ASilentSignGetsABoxAndTheErrorLines)
{
    Start({{.m_byAddress = 4, .m_bSilent = true}});
    CSignInfoRunner runner(nullptr, app, profile, messages, virtualSign);
    runner.m_pQueryMessages = &messages;
    std::vector<std::string> after;
    runner.m_fnOnDialogShown = [&](CSignInfoDlg& dlg) {
        dlg.m_fnBeep = [] {};
        ASSERT_TRUE(WaitFor([&] { return !messages.items.empty() && !dlg.IsQuerying(); }, 5000));
        after = Lines(dlg);
        dlg.CloseButton()->click();
    };
    AnswerAddress("4");
    EXPECT_TRUE(runner.Run());
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].first, "Occure an error when sending command to 4# address");
    EXPECT_EQ(messages.items[0].second, "");
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0], "Get 4# address Moving-Sign's information error");
    EXPECT_EQ(after[3], "4# address Moving-Sign's Motherboard version is:NONE");
}

TEST_F(SignInfoTest, TheBoxOfASilentSignBelongsToTheInformationWindow)
{
    Start({{.m_byAddress = 5, .m_bSilent = true}});
    CSignInfoRunner runner(nullptr, app, profile, messages, virtualSign);
    QWidget* owner = nullptr;
    QString text, title;
    runner.m_fnOnDialogShown = [&](CSignInfoDlg& dlg) {
        dlg.m_fnBeep = [] {};
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            owner = box->parentWidget();
            text = box->text();
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        }, 5000);
        ASSERT_TRUE(WaitFor([&] { return owner != nullptr && !dlg.IsQuerying(); }, 6000));
        EXPECT_EQ(owner, &dlg);
        dlg.CloseButton()->click();
    };
    AnswerAddress("5");
    EXPECT_TRUE(runner.Run());
    EXPECT_EQ(text, "Occure an error when sending command to 5# address");
    EXPECT_EQ(title, "");
    EXPECT_TRUE(messages.items.empty()) << "not the runner's sink";
}

TEST_F(SignInfoTest, AWindowDestroyedWhileAskingStopsAfterTheSignBeingAsked)
{
    Start({{.m_byAddress = 1, .m_bSilent = true}, {.m_byAddress = 2}, {.m_byAddress = 3}});
    CAddressList list;
    ASSERT_TRUE(ParseAddressList("1,2,3", list));
    CComPortMap ports;
    ports.SetDevicePath(2, line.SlavePath());
    auto dlg = std::make_unique<CSignInfoDlg>(list, ports, 2, &messages);
    dlg->m_fnBeep = [] {};
    dlg->show();
    ASSERT_TRUE(WaitFor([&] { return dlg->IsQuerying(); }, 2000));
    dlg.reset();  // answers the silent sign's box from its own loop, then ends
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(sim.State(1).m_nQueries, 0);
    EXPECT_EQ(sim.State(2).m_nQueries + sim.State(3).m_nQueries, 0) << "no sign after the one being asked";
}

TEST(DeviceMenuTest, TheSendMenuOffersTheCommandsWithADocument)
{
    CVemtApp app;
    CMemoryProfile profile;
    CMainFrame frame(app, profile);
    QMenu* send = FindMenu(frame.menuBar(), QStringLiteral("Send(&S)"));
    ASSERT_NE(send, nullptr);
    // After the menu's own items ("Test" last), behind a separator; other subsystems may
    // append their own items too.
    const QList<QAction*> items = send->actions();
    qsizetype test = -1, info = -1;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->text() == "Test") test = i;
        if (items[i]->text() == "Sign information...") info = i;
    }
    ASSERT_GE(test, 0);
    ASSERT_GT(info, test + 1);
    EXPECT_TRUE(items[info - 1]->isSeparator());

    const char* commands[] = {"Adjust Time",   "Open Lextrel",
                              "Close Lextrel", "Timer",
                              "Display Lextrel Address", "Close display Lextrel Address",
                              "Sign information..."};
    const auto enabledAfterOpening = [&](const char* text) {
        emit send->aboutToShow();
        QAction* action = FindMenuAction(frame.menuBar(), QString::fromLatin1(text));
        return action && action->isEnabled();
    };
    ASSERT_EQ(frame.ActiveChild(), nullptr);
    for (const char* text : commands) EXPECT_FALSE(enabledAfterOpening(text)) << text << " without a document";
    frame.NewDocumentWindow();
    for (const char* text : commands) EXPECT_TRUE(enabledAfterOpening(text)) << text;
    for (const char* text : {"Test", "Set the address of Lextrel"})
        EXPECT_FALSE(enabledAfterOpening(text)) << text;
}

}  // namespace
