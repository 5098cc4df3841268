#include "app/EditorState.h"
#include "editor/CPositionDlg.h"
#include "editor/CRowSpacingDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Fields {
    bool enabled[4];
    QString text[4];
};

void ExpectFields(const CPositionDlg& dlg, const Fields& f)
{
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dlg.Edit(i)->isEnabled(), f.enabled[i]);
        EXPECT_EQ(dlg.Check(i)->isChecked(), f.enabled[i]);
        EXPECT_EQ(dlg.Edit(i)->text(), f.text[i]);
    }
}

TEST(PositionDlg, StartsWithOnlyXTickedAndFilledFromTheOneSelectedObject)
{
    CPositionDlg one(CRect(3, 4, 11, 6), {});
    EXPECT_EQ(one.windowTitle(), "Designate start position");
    ExpectFields(one, {{true, false, false, false}, {"3", "4", "8", "2"}});
    EXPECT_FALSE(one.OkButton()->isEnabled());
    EXPECT_FALSE(one.ApplyButton()->isEnabled());
    // Each field has its label as its accessible name.
    const char* labels[] = {"X Start position:", "Y Start position:", "Width:", "Height:"};
    for (int i = 0; i < 4; ++i) {
        bool found = false;
        for (QLabel* label : one.findChildren<QLabel*>())
            if (label->buddy() == one.Edit(i)) found = label->text() == labels[i];
        EXPECT_TRUE(found) << labels[i];
    }

    CPositionDlg many(std::nullopt, {});
    ExpectFields(many, {{true, false, false, false}, {"", "", "", ""}});
}

TEST(PositionDlg, TickingEnablesTheFieldAndTheButtonsAndAnEmptyTickedFieldDisablesThem)
{
    CPositionDlg dlg(std::nullopt, {});
    dlg.show();
    QTest::mouseClick(dlg.Check(2), Qt::LeftButton);
    EXPECT_TRUE(dlg.Edit(2)->isEnabled());
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    EXPECT_TRUE(dlg.ApplyButton()->isEnabled());
    // Typing with the ticked X field still empty disables them.
    QTest::keyClicks(dlg.Edit(2), "5");
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
    QTest::keyClicks(dlg.Edit(0), "7");
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    EXPECT_TRUE(dlg.ApplyButton()->isEnabled());
    QTest::mouseClick(dlg.Check(2), Qt::LeftButton);
    EXPECT_FALSE(dlg.Edit(2)->isEnabled());
}

TEST(PositionDlg, ApplyKeepsItOpenWithTheButtonsOffOkClosesCancelAppliesNothing)
{
    std::vector<CPositionValues> applied;
    CPositionDlg dlg(CRect(3, 4, 11, 6), [&](const CPositionValues& v) { applied.push_back(v); });
    dlg.show();
    dlg.Edit(0)->selectAll();
    QTest::keyClicks(dlg.Edit(0), "20");
    ASSERT_TRUE(dlg.ApplyButton()->isEnabled());
    QTest::mouseClick(dlg.ApplyButton(), Qt::LeftButton);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_TRUE(applied[0].m_bX);
    EXPECT_FALSE(applied[0].m_bWidth);
    EXPECT_EQ(applied[0].m_szX, "20");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.ApplyButton()->isEnabled());
    EXPECT_FALSE(dlg.OkButton()->isEnabled());

    QTest::mouseClick(dlg.Check(1), Qt::LeftButton);
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_TRUE(applied[1].m_bY);
    EXPECT_EQ(applied[1].m_szY, "4");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    CPositionDlg other(std::nullopt, [&](const CPositionValues& v) { applied.push_back(v); });
    other.show();
    QTest::mouseClick(other.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(applied.size(), 2u);
    EXPECT_EQ(other.result(), QDialog::Rejected);
}

class RowSpacingDlgTest : public testing::Test {
protected:
    void SetUp() override { ResetEditorState(); }
    void TearDown() override { ResetEditorState(); }
};

TEST_F(RowSpacingDlgTest, StartsFromTheEditorsRulesAndTheSelectionsSpacing)
{
    g_bFixRowPitch = 0;
    g_bCanSpan = 1;
    CRowSpacingDlg same(true, 3);
    EXPECT_EQ(same.windowTitle(), "Setting the row spacing");
    EXPECT_EQ(same.SpanCheck()->text(), "A line of characters can span one screen ");
    EXPECT_TRUE(same.SpanCheck()->isChecked());
    EXPECT_FALSE(same.FixCheck()->isChecked());
    EXPECT_FALSE(same.FixedEdit()->isEnabled());
    EXPECT_TRUE(same.SpacingEdit()->isEnabled());
    EXPECT_EQ(same.SpacingEdit()->text(), "3");
    EXPECT_TRUE(same.OkButton()->isEnabled());

    CRowSpacingDlg differ(false, 5);
    EXPECT_EQ(differ.SpacingEdit()->text(), "");
    EXPECT_FALSE(differ.OkButton()->isEnabled());

    g_bFixRowPitch = 1;
    g_nFixRowPitch = 7;
    CRowSpacingDlg fixed(false, 5);
    EXPECT_TRUE(fixed.FixCheck()->isChecked());
    EXPECT_TRUE(fixed.FixedEdit()->isEnabled());
    EXPECT_EQ(fixed.FixedEdit()->text(), "7");
    EXPECT_FALSE(fixed.SpacingEdit()->isEnabled());
    EXPECT_TRUE(fixed.OkButton()->isEnabled());
}

TEST_F(RowSpacingDlgTest, TogglingTheFixSwapsTheFieldsAndOkFollowsTheEnabledOne)
{
    g_bFixRowPitch = 0;
    CRowSpacingDlg dlg(false, 5);
    dlg.show();
    QTest::mouseClick(dlg.FixCheck(), Qt::LeftButton);
    EXPECT_TRUE(dlg.FixedEdit()->isEnabled());
    EXPECT_FALSE(dlg.SpacingEdit()->isEnabled());
    EXPECT_FALSE(dlg.OkButton()->isEnabled()) << "the fixed field is empty";
    QTest::keyClicks(dlg.FixedEdit(), "4");
    EXPECT_TRUE(dlg.OkButton()->isEnabled());
    QTest::mouseClick(dlg.FixCheck(), Qt::LeftButton);
    EXPECT_FALSE(dlg.OkButton()->isEnabled());
}

TEST_F(RowSpacingDlgTest, DefaultThenOkGivesMinusOneAndCancelChangesNothing)
{
    g_bFixRowPitch = 0;
    g_bCanSpan = 0;
    CRowSpacingDlg dlg(false, 5);
    dlg.show();
    QTest::mouseClick(dlg.DefaultButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.FixedEdit()->text(), "-1");
    EXPECT_EQ(dlg.SpacingEdit()->text(), "-1");
    QTest::mouseClick(dlg.SpanCheck(), Qt::LeftButton);
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.ResultSpacing(), -1);
    EXPECT_EQ(g_bCanSpan, 1);
    EXPECT_EQ(g_bFixRowPitch, 0);

    CRowSpacingDlg other(true, 3);
    other.show();
    QTest::mouseClick(other.FixCheck(), Qt::LeftButton);
    QTest::mouseClick(other.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(g_bFixRowPitch, 0);
    EXPECT_EQ(g_bCanSpan, 1);
}

}  // namespace
