// "Timing send...": the schedule list, its checks and texts, driven through the dialog's
// own controls.

#include "RecordingMessageSink.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CTimingSendDlg.h"
#include "document/IFileDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ScriptedFileDialogs : IFileDialogs {
    std::optional<std::string> answer;
    std::vector<CFileDialogParams> asked;
    std::optional<std::string> GetSavePath(const CFileDialogParams& p) override
    {
        asked.push_back(p);
        return std::nullopt;
    }
    std::optional<std::string> GetOpenPath(const CFileDialogParams& p) override
    {
        asked.push_back(p);
        return answer;
    }
};

struct TimingSendDlgTest : ::testing::Test {
    CVemtApp app;
    CMemoryProfile profile;
    RecordingMessageSink messages;
    ScriptedFileDialogs files;

    std::unique_ptr<CTimingSendDlg> Open()
    {
        auto dlg = std::make_unique<CTimingSendDlg>(app, profile, messages, files);
        dlg->show();
        return dlg;
    }
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static QStringList Lines(const CTimingSendDlg& dlg)
    {
        QStringList lines;
        for (int i = 0; i < dlg.List()->count(); ++i) lines << dlg.List()->item(i)->text();
        return lines;
    }
    static int Selected(const CTimingSendDlg& dlg)
    {
        const auto items = dlg.List()->selectedItems();
        return items.isEmpty() ? -1 : dlg.List()->row(items.first());
    }
    void ThreeEntries()
    {
        app.m_listTimingSend = {{"3,4", "07:00", "/signs/morning.KVX", 0},
                                {"0", "12:15", "/signs/lunch.KVX", 1},
                                {"7", "17:30", "/signs/evening.KVX", 0}};
    }
};

} // namespace

TEST_F(TimingSendDlgTest, OpensWithEveryEntryListedAndTheFirstShown)
{
    ThreeEntries();
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), "Timing send...");
    EXPECT_EQ(Lines(*dlg), QStringList({"'07:00' send file '/signs/morning.KVX' to '3,4' Moving-Sign",
                                        "'12:15' send file '/signs/lunch.KVX' to '0' Moving-Sign",
                                        "'17:30' send file '/signs/evening.KVX' to '7' Moving-Sign"}));
    EXPECT_EQ(Selected(*dlg), 0);
    EXPECT_EQ(dlg->AddressEdit()->text(), "3,4");
    EXPECT_TRUE(dlg->AddressEdit()->isReadOnly());
    EXPECT_EQ(dlg->FileEdit()->text(), "/signs/morning.KVX");
    EXPECT_EQ(dlg->HourEdit()->text(), "07");
    EXPECT_EQ(dlg->MinuteEdit()->text(), "00");

    // Choosing another line shows that entry.
    QTest::mouseClick(dlg->List()->viewport(), Qt::LeftButton, {},
                      dlg->List()->visualItemRect(dlg->List()->item(2)).center());
    EXPECT_EQ(dlg->AddressEdit()->text(), "7");
    EXPECT_EQ(dlg->FileEdit()->text(), "/signs/evening.KVX");
    EXPECT_EQ(dlg->HourEdit()->text(), "17");
    EXPECT_EQ(dlg->MinuteEdit()->text(), "30");
}

TEST_F(TimingSendDlgTest, AddChecksTheFieldsInOrderThenAppendsAndSelects)
{
    auto dlg = Open();
    EXPECT_EQ(Selected(*dlg), -1);
    struct Step {
        const char* address;  // written straight into the read-only field
        const char* file;
        const char* hour;
        const char* minute;
        const char* message;
    } steps[] = {
        {"", "", "", "", "Sorry,the address can't empty,please click button 'Address of Moving-Sign' to input address"},
        {"", "/signs/a.KVX", "7", "5", "Sorry,the address can't empty,please click button 'Address of Moving-Sign' to input address"},
        {"3", "", "7", "5", "Sorry,the file name can't empty,please click button 'Browse File...' to select file to be send"},
        {"3", "/signs/a.KVX", "", "5", "Sorry,the send time can't empty,please re-enter"},
        {"3", "/signs/a.KVX", "7", "", "Sorry,the send time can't empty,please re-enter"},
    };
    for (const Step& s : steps) {
        messages.messages.clear();
        dlg->AddressEdit()->setText(s.address);
        Type(dlg->FileEdit(), s.file);
        Type(dlg->HourEdit(), s.hour);
        Type(dlg->MinuteEdit(), s.minute);
        QTest::mouseClick(dlg->AddButton(), Qt::LeftButton);
        ASSERT_EQ(messages.messages.size(), 1u) << s.message;
        EXPECT_EQ(messages.messages[0].text, s.message);
        EXPECT_EQ(messages.messages[0].caption, "Prompt");
        EXPECT_TRUE(app.m_listTimingSend.empty());
    }

    messages.messages.clear();
    dlg->AddressEdit()->setText("3");
    Type(dlg->FileEdit(), "/signs/a.KVX");
    Type(dlg->HourEdit(), "7");
    Type(dlg->MinuteEdit(), "5");
    QTest::mouseClick(dlg->AddButton(), Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_EQ(app.m_listTimingSend.size(), 1u);
    EXPECT_EQ(app.m_listTimingSend[0].m_szTime, "07:05");
    EXPECT_EQ(app.m_listTimingSend[0].m_nSent, 0);
    EXPECT_EQ(Lines(*dlg), QStringList({"'07:05' send file '/signs/a.KVX' to '3' Moving-Sign"}));
    EXPECT_EQ(Selected(*dlg), 0);

    // Only digits, at most two of them, go into the time fields.
    Type(dlg->HourEdit(), "1x234");
    EXPECT_EQ(dlg->HourEdit()->text(), "12");
}

TEST_F(TimingSendDlgTest, DeleteSelectsTheEntryThatTakesThePlace)
{
    auto dlg = Open();
    QTest::mouseClick(dlg->DeleteButton(), Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Please select an item to be delete at first.");
    EXPECT_EQ(messages.messages[0].caption, "Prompt");
    dlg.reset();

    ThreeEntries();
    dlg = Open();
    dlg->List()->setCurrentRow(1);
    QTest::mouseClick(dlg->DeleteButton(), Qt::LeftButton);
    ASSERT_EQ(app.m_listTimingSend.size(), 2u);
    EXPECT_EQ(app.m_listTimingSend[1].m_szFileName, "/signs/evening.KVX");
    EXPECT_EQ(Selected(*dlg), 1) << "the entry now at the same place";
    EXPECT_EQ(dlg->FileEdit()->text(), "/signs/evening.KVX");

    QTest::mouseClick(dlg->DeleteButton(), Qt::LeftButton);
    EXPECT_EQ(Selected(*dlg), 0) << "the new last entry";
    EXPECT_EQ(dlg->FileEdit()->text(), "/signs/morning.KVX");
    QTest::mouseClick(dlg->DeleteButton(), Qt::LeftButton);
    EXPECT_TRUE(app.m_listTimingSend.empty());
    EXPECT_EQ(dlg->List()->count(), 0);
}

TEST_F(TimingSendDlgTest, ModifyReplacesTheEntryInPlaceAndKeepsItsSentFlag)
{
    ThreeEntries();
    auto dlg = Open();
    dlg->List()->clearSelection();
    QTest::mouseClick(dlg->ModifyButton(), Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Please select an item to be modified at first.");
    EXPECT_EQ(messages.messages[0].caption, "Prompt");

    messages.messages.clear();
    dlg->List()->setCurrentRow(1);
    Type(dlg->FileEdit(), "");
    QTest::mouseClick(dlg->ModifyButton(), Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "Sorry,the file name can't empty,please click button 'Browse File...' to select file to be send");
    EXPECT_EQ(app.m_listTimingSend[1].m_szFileName, "/signs/lunch.KVX");

    messages.messages.clear();
    Type(dlg->FileEdit(), "/signs/brunch.KVX");
    Type(dlg->HourEdit(), "9");
    Type(dlg->MinuteEdit(), "45");
    QTest::mouseClick(dlg->ModifyButton(), Qt::LeftButton);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(app.m_listTimingSend[1].m_szFileName, "/signs/brunch.KVX");
    EXPECT_EQ(app.m_listTimingSend[1].m_szTime, "09:45");
    EXPECT_EQ(app.m_listTimingSend[1].m_szAddress, "0");
    EXPECT_EQ(app.m_listTimingSend[1].m_nSent, 1);
    EXPECT_EQ(Lines(*dlg)[1], "'09:45' send file '/signs/brunch.KVX' to '0' Moving-Sign");
    EXPECT_EQ(Lines(*dlg).size(), 3);
    EXPECT_EQ(Selected(*dlg), 1);
}

TEST_F(TimingSendDlgTest, BrowseStartsAtTheSelectedFileAndFillsTheField)
{
    ThreeEntries();
    auto dlg = Open();
    files.answer = "/signs/new.KVX";
    QTest::mouseClick(dlg->BrowseButton(), Qt::LeftButton);
    ASSERT_EQ(files.asked.size(), 1u);
    EXPECT_EQ(files.asked[0].m_szInitialName, "/signs/morning.KVX");
    EXPECT_EQ(files.asked[0].m_szFilter, "VazuVida (*.KVX)|*.KVX|");
    EXPECT_EQ(files.asked[0].m_szDefaultExt, "*.KVX");
    EXPECT_TRUE(files.asked[0].m_bFileMustExist);
    EXPECT_TRUE(files.asked[0].m_bHideReadOnly);
    EXPECT_EQ(dlg->FileEdit()->text(), "/signs/new.KVX");

    dlg->List()->clearSelection();
    files.answer.reset();
    QTest::mouseClick(dlg->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(files.asked[1].m_szInitialName, "*.KVX");
    EXPECT_EQ(dlg->FileEdit()->text(), "/signs/new.KVX") << "a cancelled choice changes nothing";
}

TEST_F(TimingSendDlgTest, AddressButtonTakesTheAddressDialogsAnswer)
{
    auto dlg = Open();
    QTimer::singleShot(0, [] {
        auto* address = qobject_cast<CAddressDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(address, nullptr);
        address->AddressEdit()->setText("3,5");
        address->OkButton()->click();
    });
    QTest::mouseClick(dlg->AddressButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->AddressEdit()->text(), "3,5");
    EXPECT_EQ(app.m_szAddress, "3,5");
    EXPECT_EQ(profile.GetProfileString("SendOption", "PingHao", ""), "3,5");
}

TEST_F(TimingSendDlgTest, StartTimingNeedsAnEntryAndWritesTheList)
{
    auto dlg = Open();
    QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "You must add the file which is to be send");
    EXPECT_EQ(messages.messages[0].caption, "Prompt");
    EXPECT_TRUE(dlg->isVisible()) << "timing does not start";
    EXPECT_FALSE(profile.Has("TimingSend", "Count"));
    dlg.reset();

    ThreeEntries();
    dlg = Open();
    QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(profile.GetProfileInt("TimingSend", "Count", 0), 3);
    EXPECT_EQ(profile.GetProfileString("TimingSend", "FileName2", ""), "/signs/evening.KVX");
}

TEST_F(TimingSendDlgTest, CloseAndEscapeKeepTheList)
{
    for (bool escape : {false, true}) {
        CMemoryProfile fresh;
        app.m_listTimingSend = {{"3", "07:05", "/signs/a.KVX", 0}};
        CTimingSendDlg dlg(app, fresh, messages, files);
        dlg.show();
        if (escape) QTest::keyClick(&dlg, Qt::Key_Escape);
        else QTest::mouseClick(dlg.CloseButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_EQ(fresh.GetProfileInt("TimingSend", "Count", 0), 1) << (escape ? "Escape" : "Close");
        EXPECT_EQ(fresh.GetProfileString("TimingSend", "Date0", ""), "07:05");
    }
}
