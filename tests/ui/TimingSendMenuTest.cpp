// "Timing send..." from the editor's menu: the save question, the dialog, a whole timed
// run against a simulated sign, and the document shown before coming back.

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "comm/CSimulatorLine.h"
#include "comm/ui/CTimingSendController.h"
#include "comm/ui/CTimingSendDlg.h"
#include "comm/ui/CTimingSendWnd.h"
#include "document/CDocumentFiles.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/MenuCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

bool WaitFor(const std::function<bool()>& cond, int timeoutMs)
{
    for (int waited = 0; !cond() && waited < timeoutMs; waited += 10) QTest::qWait(10);
    return cond();
}

struct TimingSendMenuTest : ::testing::Test {
    CVemtApp app;
    CMemoryProfile profile;
    std::string dir;
    CSignSimulator sim;
    CSimulatorLine line {sim};

    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 4;
        app.m_nColorCount = 2;
        app.m_nComPort = 2;
        char templ[] = "/tmp/vemt-timing-menu-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        ASSERT_TRUE(line.Open());
        profile.WriteProfileString("SendOption", "Com2Device", line.SlavePath());
    }
    void TearDown() override
    {
        std::filesystem::remove_all(dir);
        ResetEditorState();
    }
    std::string WriteDocument(const std::string& name, CRect box)
    {
        CVemtDoc doc(&app);
        doc.AddObj(new CDrawRect(box, 0x0000FF, 0x0000FF, 1, 1));
        const auto bytes = CKvxFile::WriteKvx(doc, app);
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return path;
    }
    // Answers the question box with `button`, then notes whether the timing dialog came up
    // (and closes it with `dialogAction`).
    void AnswerQuestion(QMessageBox::StandardButton button, std::string& text, std::string& title, bool& dialogShown,
                        std::function<void(CTimingSendDlg&)> dialogAction)
    {
        QTimer::singleShot(0, [=, &text, &title, &dialogShown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text().toStdString();
            title = box->windowTitle().toStdString();
            QTimer::singleShot(0, [=, &dialogShown] {
                auto* dlg = qobject_cast<CTimingSendDlg*>(QApplication::activeModalWidget());
                dialogShown = dlg != nullptr;
                if (dlg) dialogAction(*dlg);
            });
            box->button(button)->click();
        });
    }
};

} // namespace

TEST_F(TimingSendMenuTest, ComesLastInTheSendMenu)
{
    CMainFrame frame(app, profile);
    QMenu* send = FindMenu(frame.menuBar(), QStringLiteral("Send(&S)"));
    ASSERT_NE(send, nullptr);
    QAction* last = send->actions().last();
    EXPECT_EQ(last->text(), "Timing send...");
    EXPECT_EQ(last->statusTip(), "Send content according user schedule");
    emit send->aboutToShow();
    EXPECT_TRUE(last->isEnabled());
}

TEST_F(TimingSendMenuTest, AChangedDocumentMustBeSavedFirst)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    child->Document().AddObj(new CDrawRect(CRect(0, 0, 4, 4), 0x0000FF, 0, 1, 0));
    child->Document().SetModifiedFlag(true);
    child->Files().SetPathName(dir + "/changed.KVX", false);
    QAction* item = FindMenuAction(frame.menuBar(), QStringLiteral("Timing send..."));
    ASSERT_NE(item, nullptr);

    std::string text, title;
    bool dialogShown = true;
    AnswerQuestion(QMessageBox::No, text, title, dialogShown, [](CTimingSendDlg& dlg) { dlg.CloseButton()->click(); });
    item->trigger();
    QTest::qWait(20);
    EXPECT_EQ(text, "The file has been changed,you must Save it at first");
    EXPECT_EQ(title, "Please confirm");
    EXPECT_FALSE(dialogShown) << "No cancels";
    EXPECT_TRUE(child->Document().IsModified());

    AnswerQuestion(QMessageBox::Yes, text, title, dialogShown, [](CTimingSendDlg& dlg) { dlg.CloseButton()->click(); });
    item->trigger();
    EXPECT_TRUE(dialogShown);
    EXPECT_FALSE(child->Document().IsModified());
    EXPECT_TRUE(std::filesystem::exists(dir + "/changed.KVX"));
}

TEST_F(TimingSendMenuTest, ATimedRunFromTheMenuSendsAndBringsTheDocumentBack)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    const std::string before = WriteDocument("before.KVX", CRect(1, 1, 9, 9));
    const std::string menu = WriteDocument("menu.KVX", CRect(2, 2, 60, 30));
    app.m_listTimingSend = {{"3", "07:05", menu, 0}};
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.OpenDocumentWindow(QString::fromStdString(before));
    auto* controller = frame.findChild<CTimingSendController*>();
    ASSERT_NE(controller, nullptr);
    controller->SetClock([] {
        std::tm t {};
        t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 11, t.tm_hour = 7, t.tm_min = 5, t.tm_isdst = -1;
        return std::mktime(&t);
    });
    controller->SetLog(CTimingSendLog(dir + "/TimingSendErrorLog.ini"));
    controller->SetCheckInterval(std::chrono::milliseconds(20));

    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<CTimingSendDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->StartButton()->click();
    });
    FindMenuAction(frame.menuBar(), QStringLiteral("Timing send..."))->trigger();
    ASSERT_TRUE(controller->IsTiming());
    ASSERT_TRUE(WaitFor([&] { return sim.State(3).m_nMessages == 1; }, 10000));
    // The sent document is the one shown meanwhile.
    EXPECT_EQ(frame.ActiveChild(), child);
    EXPECT_EQ(child->Files().GetPathName(), menu);
    EXPECT_EQ(sim.State(3).Screens(), 2);

    QTest::keyClick(controller->Window(), Qt::Key_F12);
    EXPECT_FALSE(controller->IsTiming());
    EXPECT_EQ(child->Files().GetPathName(), before);
    EXPECT_EQ(child->windowTitle(), "LED Lextrel Software(before.KVX)");
    ASSERT_EQ(child->Document().m_objects.size(), 1u);
    EXPECT_EQ(profile.GetProfileInt("TimingSend", "Count", 0), 1);
}
