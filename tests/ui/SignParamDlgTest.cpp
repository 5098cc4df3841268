#include "RecordingMessageSink.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/ui/CSignParamDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SignParamDlgTest : public testing::Test {
protected:
    std::unique_ptr<CSignParamDlg> Open()
    {
        auto dlg = std::make_unique<CSignParamDlg>(app, profile, sink, "/nonexistent/Vemt.ini");
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return dlg;
    }
    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static QString Max(const CSignParamDlg& d) { return d.MaxLabel()->text(); }

    CVemtApp app;
    CMemoryProfile profile;
    RecordingMessageSink sink;
};

TEST_F(SignParamDlgTest, FirstRunShowsTheDefaults)
{
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), "Set parameter of LED Lextrel");
    EXPECT_TRUE(dlg->DoubleColorRadio()->isChecked());
    EXPECT_FALSE(dlg->ScaleColorRadio()->isEnabled());
    EXPECT_TRUE(dlg->Mode232Radio()->isChecked());
    EXPECT_FALSE(dlg->Mode422Radio()->isEnabled());
    EXPECT_EQ(dlg->WidthEdit()->text(), "160");
    EXPECT_EQ(dlg->HeightEdit()->text(), "16");
    EXPECT_EQ(dlg->VersionCombo()->currentText(), "After V3.18");
    EXPECT_EQ(dlg->NumberEdit()->text(), "20");
    EXPECT_EQ(Max(*dlg), "(Max is:150)");
    EXPECT_TRUE(dlg->SetButton()->isDefault());
    EXPECT_EQ(app.m_nMaxScreen, 150);
}

TEST_F(SignParamDlgTest, StoredOddValuesShowAsTheDisabledChoices)
{
    profile.WriteProfileInt("TPParameter", "ColorCount", 5);
    profile.WriteProfileInt("TPParameter", "Is232", 7);
    auto dlg = Open();
    EXPECT_TRUE(dlg->ScaleColorRadio()->isChecked());
    EXPECT_EQ(dlg->Form().m_nColorCount, 3);
    EXPECT_FALSE(dlg->Mode232Radio()->isChecked());
    EXPECT_FALSE(dlg->Mode422Radio()->isChecked());
}

TEST_F(SignParamDlgTest, VersionAndColourRecomputeTheMaximumAndOverwriteTheNumber)
{
    auto dlg = Open();
    QComboBox* version = dlg->VersionCombo();
    version->setCurrentIndex(0);
    emit version->activated(0);
    EXPECT_EQ(Max(*dlg), "(Max is:81)");
    EXPECT_EQ(dlg->NumberEdit()->text(), "81");
    EXPECT_EQ(app.m_nMaxScreen, 81);

    QTest::mouseClick(dlg->SingleColorRadio(), Qt::LeftButton);
    EXPECT_EQ(Max(*dlg), "(Max is:150)");
    EXPECT_EQ(dlg->NumberEdit()->text(), "150");

    QTest::mouseClick(dlg->DoubleColorRadio(), Qt::LeftButton);
    EXPECT_EQ(Max(*dlg), "(Max is:81)");

    version->setCurrentIndex(1);
    emit version->activated(1);
    EXPECT_EQ(Max(*dlg), "(Max is:150)");
    EXPECT_EQ(dlg->NumberEdit()->text(), "150");
}

TEST_F(SignParamDlgTest, TypingAWidthRecomputesOnlyFromEight)
{
    auto dlg = Open();
    Retype(dlg->HeightEdit(), "64");
    EXPECT_EQ(Max(*dlg), "(Max is:44)") << "160x64 after V3.18: 56320 / 1280";
    Retype(dlg->WidthEdit(), "7");
    EXPECT_EQ(Max(*dlg), "(Max is:44)") << "a width below 8 leaves the maximum";
    EXPECT_EQ(dlg->NumberEdit()->text(), "44");
    QTest::keyClick(dlg->WidthEdit(), Qt::Key_Backspace);
    QTest::keyClicks(dlg->WidthEdit(), "320");
    EXPECT_EQ(Max(*dlg), "(Max is:22)");
    EXPECT_TRUE(sink.messages.empty()) << "typing shows no message";
}

TEST_F(SignParamDlgTest, NumericFieldsTakeThreeDigitsOnly)
{
    auto dlg = Open();
    Retype(dlg->WidthEdit(), "12a3456");
    EXPECT_EQ(dlg->WidthEdit()->text(), "123");
}

TEST_F(SignParamDlgTest, LeavingWidthBelowEightPromptsAndSelectsIt)
{
    auto dlg = Open();
    Retype(dlg->WidthEdit(), "7");
    QTest::keyClick(dlg->WidthEdit(), Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "The Width of screen can't less than 8");
    EXPECT_EQ(sink.messages[0].caption, "Prompt");
    EXPECT_TRUE(dlg->WidthEdit()->hasFocus());
    EXPECT_EQ(dlg->WidthEdit()->selectedText(), "7");
}

TEST_F(SignParamDlgTest, ClickingSetFromAShortWidthPromptsOnce)
{
    auto dlg = Open();
    Retype(dlg->WidthEdit(), "5");
    QTest::mouseClick(dlg->SetButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Prompt");
    EXPECT_TRUE(dlg->isVisible());
}

struct RefusalCase {
    const char* name;
    const char* width;
    const char* height;
    const char* number;
    const char* message;
    const char* caption;
    int field;  // 0 width, 1 height, 2 number stored
    bool savedBefore;
};

const RefusalCase kRefusals[] = {
    {"width 7", "7", "16", "20", "The Width of screen can't less than 8", "Prompt", 0, false},
    {"empty height", "160", "", "20", "The Height of screen can't equal 0", "Prompt", 1, false},
    {"width 321", "321", "16", "20", "The parameter <Width> is too large,Please re-enter.(the max value is 320)",
     "Please confirm", 0, true},
    {"height 65", "160", "65", "20", "The parameter <Height> is too large,Please re-enter.(the max value is 64)",
     "Please confirm", 1, true},
    {"151 screens", "160", "16", "151",
     "The parameter <Nummber stored> is too large,Please Re-enter.(the max value is 150)", "Please Confirm", 2,
     true},
};

TEST_F(SignParamDlgTest, SetRefusesEachBadValueWithItsMessage)
{
    for (const RefusalCase& c : kRefusals) {
        CMemoryProfile fresh;
        RecordingMessageSink messages;
        CSignParamDlg dlg(app, fresh, messages, "/nonexistent/Vemt.ini");
        dlg.show();
        dlg.WidthEdit()->setText(c.width);
        dlg.HeightEdit()->setText(c.height);
        dlg.NumberEdit()->setText(c.number);
        QTest::mouseClick(dlg.SetButton(), Qt::LeftButton);
        ASSERT_EQ(messages.messages.size(), 1u) << c.name;
        EXPECT_EQ(messages.messages[0].text, c.message) << c.name;
        EXPECT_EQ(messages.messages[0].caption, c.caption) << c.name;
        QLineEdit* field = c.field == 0 ? dlg.WidthEdit() : c.field == 1 ? dlg.HeightEdit() : dlg.NumberEdit();
        EXPECT_EQ(field->selectedText(), field->text()) << c.name << ": the whole field is selected";
        EXPECT_TRUE(dlg.isVisible()) << c.name << ": the dialog stays open";
        EXPECT_EQ(dlg.result(), 0) << c.name;
        EXPECT_EQ(fresh.Has("TPParameter", "TPWidth"), c.savedBefore) << c.name;
        if (c.savedBefore) {
            EXPECT_EQ(fresh.GetProfileInt("TPParameter", "TPWidth", 0), QString(c.width).toInt()) << c.name;
        }
    }
}

TEST_F(SignParamDlgTest, SetAcceptsTheLargestSign)
{
    auto dlg = Open();
    Retype(dlg->WidthEdit(), "320");
    Retype(dlg->HeightEdit(), "64");
    EXPECT_EQ(dlg->NumberEdit()->text(), "22");
    QTest::mouseClick(dlg->SetButton(), Qt::LeftButton);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(profile.GetProfileInt("TPParameter", "TPWidth", 0), 320);
    EXPECT_EQ(profile.GetProfileInt("TPParameter", "TPHeight", 0), 64);
    EXPECT_EQ(profile.GetProfileInt("TPParameter", "TotalScreen", 0), 22);
    EXPECT_EQ(profile.GetProfileInt("TPParameter", "MemorySize", 0), 55);
}

TEST_F(SignParamDlgTest, HelpShowsTheHelpText)
{
    auto dlg = Open();
    QTest::mouseClick(dlg->HelpButton(), Qt::LeftButton);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Help...");
    EXPECT_EQ(sink.messages[0].text.rfind("<COLOR>", 0), 0u);
}

TEST_F(SignParamDlgTest, EscapeEndsTheDialogWithoutSaving)
{
    auto dlg = Open();
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(profile.WriteCount(), 0u);
}

}  // namespace
