// The timer dialog's rules: saving with and without the screen-range check, the edit
// rules of the time and screen boxes, and what Cancel keeps.

#include "ModalDialogDriver.h"
#include "RecordingMessageSink.h"

#include "comm/TIMERINFO.h"
#include "comm/ui/CTimerDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TimerDlgTest : ::testing::Test {
    TimerTable timers;
    RecordingMessageSink messages;
    int beeps = 0;
    std::unique_ptr<CTimerDlg> dlg;

    void Open(int screens = 5)
    {
        dlg = std::make_unique<CTimerDlg>(timers, screens, messages);
        dlg->m_fnBeep = [this] { ++beeps; };
        dlg->show();
    }
    // Types into an editable box as the user would: the old text selected and replaced.
    static void Type(QComboBox* box, const QString& text)
    {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), text);
    }
};

TEST_F(TimerDlgTest, OpensOnEntryOneWithTheListsFilled)
{
    timers[0] = {1, 0, 4, 2, 3, 7, 45};
    Open(3);
    EXPECT_EQ(dlg->windowTitle(), "Timer");
    ASSERT_EQ(dlg->EntryList()->count(), 8);
    EXPECT_EQ(dlg->EntryList()->item(7)->text(), "8");
    EXPECT_EQ(dlg->EntryList()->currentRow(), 0);
    EXPECT_TRUE(dlg->EnableRadio()->isChecked());
    EXPECT_EQ(dlg->DayCombo()->currentText(), "Friday");
    EXPECT_EQ(dlg->DayCombo()->count(), 8);
    EXPECT_EQ(dlg->DayCombo()->itemText(7), "Everyday");
    EXPECT_EQ(dlg->HourCombo()->currentText(), "07");
    EXPECT_EQ(dlg->HourCombo()->count(), 24);
    EXPECT_EQ(dlg->MinuteCombo()->currentText(), "45");
    EXPECT_EQ(dlg->MinuteCombo()->count(), 60);
    EXPECT_EQ(dlg->FirstScreenCombo()->count(), 3);
    EXPECT_EQ(dlg->FirstScreenCombo()->currentText(), "002");
    EXPECT_EQ(dlg->LastScreenCombo()->currentText(), "003");
    EXPECT_TRUE(dlg->FirstScreenCombo()->isEnabled());
    EXPECT_EQ(dlg->HourCombo()->lineEdit()->maxLength(), 2);
    EXPECT_EQ(dlg->FirstScreenCombo()->lineEdit()->maxLength(), 3);
}

TEST_F(TimerDlgTest, ControlsFollowTheEnabledAndCloseFlags)
{
    timers[1] = {0, 1, 0, 1, 1, 0, 0};
    timers[2] = {1, 1, 0, 1, 1, 0, 0};
    Open();
    const struct {
        int row;
        bool enable, close, timeEnabled, screensEnabled;
    } cases[] = {
        {0, false, false, false, false},
        {1, false, true, false, false},
        {2, true, true, true, false},
    };
    for (const auto& c : cases) {
        dlg->EntryList()->setCurrentRow(c.row);
        EXPECT_EQ(dlg->EnableRadio()->isChecked(), c.enable) << c.row;
        EXPECT_EQ(dlg->DisableRadio()->isChecked(), !c.enable) << c.row;
        EXPECT_EQ(dlg->CloseCheck()->isChecked(), c.close) << c.row;
        for (QWidget* w : std::initializer_list<QWidget*>{dlg->DayCombo(), dlg->HourCombo(), dlg->MinuteCombo(),
                                                          dlg->CloseCheck()})
            EXPECT_EQ(w->isEnabled(), c.timeEnabled) << c.row;
        EXPECT_EQ(dlg->FirstScreenCombo()->isEnabled(), c.screensEnabled) << c.row;
        EXPECT_EQ(dlg->LastScreenCombo()->isEnabled(), c.screensEnabled) << c.row;
    }
    dlg->CloseCheck()->click();  // entry 3: close off
    EXPECT_TRUE(dlg->FirstScreenCombo()->isEnabled());
    dlg->CloseCheck()->click();
    EXPECT_FALSE(dlg->LastScreenCombo()->isEnabled());
}

TEST_F(TimerDlgTest, SwitchingEntriesChecksTheScreenRangeOfTheShownOne)
{
    timers[0] = {1, 0, 0, 3, 2, 0, 0};
    Open();
    dlg->EntryList()->setCurrentRow(1);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The start address(value is 003) can't large than end address(value is 002)");
    EXPECT_EQ(messages.messages[0].caption, "Error");
    EXPECT_EQ(dlg->EntryList()->currentRow(), 0) << "entry 1 stays selected";
    EXPECT_EQ(dlg->CurrentEntry(), 0);
    EXPECT_EQ(dlg->FirstScreenCombo()->currentText(), "003");

    // "Set" checks the same way and keeps the dialog open.
    dlg->SetButton()->click();
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_TRUE(dlg->isVisible());

    dlg->LastScreenCombo()->setCurrentIndex(4);
    dlg->EntryList()->setCurrentRow(1);
    EXPECT_EQ(dlg->CurrentEntry(), 1);
    EXPECT_EQ(timers[0].byLastScreen, 5);
    EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(TimerDlgTest, DisableAndEnableSaveWithoutTheCheck)
{
    timers[0] = {1, 0, 0, 1, 1, 0, 0};
    Open();
    dlg->FirstScreenCombo()->setCurrentIndex(3);  // 4 to 1
    dlg->DisableRadio()->click();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(timers[0].byEnabled, 0);
    EXPECT_EQ(timers[0].byFirstScreen, 4);
    EXPECT_EQ(timers[0].byLastScreen, 1);
    dlg->EntryList()->setCurrentRow(2);  // a disabled entry may hold 4 to 1
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dlg->CurrentEntry(), 2);

    dlg->EntryList()->setCurrentRow(0);
    dlg->EnableRadio()->click();
    EXPECT_EQ(timers[0].byEnabled, 1);
    EXPECT_TRUE(messages.messages.empty());
    dlg->EntryList()->setCurrentRow(1);
    EXPECT_EQ(messages.messages.size(), 1u) << "enabled again, the range is checked";

    // A closing entry is not checked at all.
    dlg->CloseCheck()->click();
    dlg->EntryList()->setCurrentRow(1);
    EXPECT_EQ(dlg->CurrentEntry(), 1);
    EXPECT_EQ(timers[0].byClose, 1);
}

TEST_F(TimerDlgTest, TimeBoxesRefuseNonDigitsAndValuesPastTheirLimit)
{
    timers[0] = {1, 0, 0, 1, 1, 6, 15};
    Open();
    const struct {
        QComboBox* box;
        const char* typed;
        const char* shown;
        int beeps;
    } cases[] = {
        {dlg->MinuteCombo(), "75", "59", 1},
        {dlg->MinuteCombo(), "4x", "15", 1},  // the stored minute
        {dlg->MinuteCombo(), "42", "42", 0},
        {dlg->HourCombo(), "24", "23", 1},
        {dlg->HourCombo(), "a", "06", 1},     // the stored hour
        {dlg->HourCombo(), "9", "9", 0},
    };
    for (const auto& c : cases) {
        beeps = 0;
        Type(c.box, c.typed);
        EXPECT_EQ(c.box->currentText(), c.shown) << c.typed;
        EXPECT_EQ(beeps, c.beeps) << c.typed;
    }
    // Leaving the box selects the item of the typed value.
    dlg->MinuteCombo()->setFocus();
    QTest::qWait(10);
    dlg->HourCombo()->setFocus();
    Type(dlg->HourCombo(), "7");
    dlg->MinuteCombo()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dlg->HourCombo()->currentText(), "07");
    EXPECT_EQ(dlg->HourCombo()->currentIndex(), 7);
}

TEST_F(TimerDlgTest, ScreenBoxesKeepToTheDocumentsScreens)
{
    timers[0] = {1, 0, 0, 2, 4, 0, 0};
    Open(4);
    const struct {
        QComboBox* box;
        const char* typed;
        const char* shown;
        int beeps;
    } cases[] = {
        {dlg->FirstScreenCombo(), "7", "004", 1},  // above the count: the last screen
        {dlg->FirstScreenCombo(), "0", "001", 1},
        {dlg->FirstScreenCombo(), "x", "002", 1},  // the stored first screen
        {dlg->LastScreenCombo(), "12", "004", 1},
        {dlg->LastScreenCombo(), "3", "3", 0},
    };
    for (const auto& c : cases) {
        beeps = 0;
        Type(c.box, c.typed);
        EXPECT_EQ(c.box->currentText(), c.shown) << c.typed;
        EXPECT_EQ(beeps, c.beeps) << c.typed;
    }
    beeps = 0;
    dlg->LastScreenCombo()->lineEdit()->selectAll();
    QTest::keyClick(dlg->LastScreenCombo()->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(beeps, 1) << "an emptied box";
    EXPECT_EQ(dlg->LastScreenCombo()->currentText(), "001");
}

TEST_F(TimerDlgTest, SetStoresTheEntryAndCancelKeepsEarlierSaves)
{
    Open();
    dlg->EnableRadio()->click();
    dlg->DayCombo()->setCurrentIndex(6);
    Type(dlg->HourCombo(), "21");
    dlg->EntryList()->setCurrentRow(1);  // entry 1 saved
    dlg->EnableRadio()->click();         // entry 2 saved as enabled
    Type(dlg->MinuteCombo(), "33");      // not saved: Cancel follows
    dlg->CancelButton()->click();
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(timers[0].byEnabled, 1);
    EXPECT_EQ(timers[0].byDay, 6);
    EXPECT_EQ(timers[0].byHour, 21);
    EXPECT_EQ(timers[1].byEnabled, 1);
    EXPECT_EQ(timers[1].byMinute, 0);

    Open();
    dlg->EntryList()->setCurrentRow(1);
    Type(dlg->MinuteCombo(), "33");
    dlg->CloseCheck()->click();
    dlg->SetButton()->click();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(timers[1].byMinute, 33);
    EXPECT_EQ(timers[1].byClose, 1);
}

}  // namespace
