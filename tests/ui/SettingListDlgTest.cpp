// The display settings dialogs: the list edited in place, the append-mode dialog and the
// two bulk copies, all working on the application's settings table.
#include "ModalDialogDriver.h"

#include "app/CVemtApp.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/undo/CUndoHistory.h"
#include "programme/ScreenCodes.h"
#include "programme/SettingListRows.h"
#include "programme/ui/CAppendModeDlg.h"
#include "programme/ui/CSetAllScreenDlg.h"
#include "programme/ui/CSetColDlg.h"
#include "programme/ui/CSettingCellDelegate.h"
#include "programme/ui/CSettingListDlg.h"
#include "programme/ui/CSettingListModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SettingListDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        app.m_nTPWidth = 160;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 10;
    }
    // Something drawn on each of the first `screens` screens.
    void UseScreens(int screens)
    {
        for (int s = 0; s < screens; ++s)
            doc.AddObj(new CDrawRect(CRect(4, s * 16 + 2, 20, s * 16 + 10), RGB(255, 0, 0), RGB(255, 0, 0), 1, 0));
        doc.SetModifiedFlag(false);
    }
    std::unique_ptr<CSettingListDlg> Open()
    {
        auto dlg = std::make_unique<CSettingListDlg>(doc);
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return dlg;
    }
    static QString Cell(CSettingListDlg& dlg, int row, int column)
    {
        return dlg.Model()->index(row, column).data().toString();
    }
    static QPoint CellPoint(CSettingListDlg& dlg, int row, int column)
    {
        return dlg.List()->visualRect(dlg.Model()->index(row, column)).center();
    }
    static QComboBox* OpenDropDown(CSettingListDlg& dlg, int row, int column)
    {
        QTest::mouseClick(dlg.List()->viewport(), Qt::LeftButton, {}, CellPoint(dlg, row, column));
        QPointer<QComboBox> combo = qobject_cast<QComboBox*>(dlg.List()->indexWidget(dlg.Model()->index(row, column)));
        if (combo) {
            EXPECT_EQ(combo->objectName(), "InPlaceCombo");
            EXPECT_TRUE(QTest::qWaitFor([combo] { return !combo || combo->hasFocus(); }, 2000));
        }
        return combo;
    }
    // The open drop-down, if any.
    static QComboBox* DropDown(CSettingListDlg& dlg)
    {
        for (auto* combo : dlg.List()->findChildren<QComboBox*>(QStringLiteral("InPlaceCombo")))
            if (combo->isVisible()) return combo;
        return nullptr;
    }
    static QPoint ButtonPoint(CSettingListDlg& dlg, int row)
    {
        const QRect cell = dlg.List()->visualRect(dlg.Model()->index(row, CSettingListModel::ColAppend));
        return CSettingCellDelegate::ButtonSquare(cell).center();
    }

    CVemtApp app;
    CVemtDoc doc {&app};
};

} // namespace

TEST_F(SettingListDlgTest, ListsOneRowPerScreenWithTheColumnsOfTheList)
{
    UseScreens(3);
    app.m_aScreenInfo = {SCREENINFO {}};
    app.m_aScreenInfo[0].byImport = 15;
    app.m_aScreenInfo[0].byExport = 9;
    app.m_aScreenInfo[0].bySpeed = 1;
    app.m_aScreenInfo[0].byAppend = APPEND_PAUSE | APPEND_CARTOON;
    app.m_aScreenInfo[0].nPauseSec = 7;
    app.m_aScreenInfo[0].nCartoon = 3;
    auto dlg = Open();

    EXPECT_EQ(dlg->windowTitle(), "Setting parameters");
    struct Column { const char* header; int width; };
    const Column columns[] = {{"Key", 75}, {"Import mode", 140}, {"Export mode", 140}, {"Speed", 85}, {"Append mode", 150}};
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(dlg->Model()->headerData(c, Qt::Horizontal).toString(), columns[c].header);
        EXPECT_EQ(dlg->List()->columnWidth(c), columns[c].width);
    }
    // The table follows the screens: two default records were added.
    ASSERT_EQ(app.m_aScreenInfo.size(), 3u);
    ASSERT_EQ(dlg->Model()->rowCount(), 3);
    struct Row { const char* key; const char* import; const char* exportMode; const char* speed; const char* append; };
    const Row rows[] = {
        {"1 Screen", "Random", "Open from center", "Fast ", "Pause ( 7 sec ) | Cartoon (Lion) "},
        {"2 Screen", "Move from right", "Move from right", "Fastest", "No append mode"},
        {"3 Screen", "Move from right", "Move from right", "Fastest", "No append mode"},
    };
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(Cell(*dlg, r, 0), rows[r].key);
        EXPECT_EQ(Cell(*dlg, r, 1), rows[r].import);
        EXPECT_EQ(Cell(*dlg, r, 2), rows[r].exportMode);
        EXPECT_EQ(Cell(*dlg, r, 3), rows[r].speed);
        EXPECT_EQ(Cell(*dlg, r, 4), rows[r].append);
    }
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(dlg->List()->horizontalHeader()->sectionsClickable());
}

TEST_F(SettingListDlgTest, AnEmptyDocumentReleasesTheTableAndDisablesOk)
{
    app.m_aScreenInfo = {SCREENINFO {}, SCREENINFO {}};
    auto dlg = Open();
    EXPECT_TRUE(app.m_aScreenInfo.empty());
    EXPECT_EQ(dlg->Model()->rowCount(), 0);
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    EXPECT_TRUE(dlg->CancelButton()->isEnabled());
}

TEST_F(SettingListDlgTest, TheDropDownListsTheColumnsChoicesWithTheCellsTextSelected)
{
    UseScreens(2);
    app.m_aScreenInfo = {SCREENINFO {}, SCREENINFO {}};
    app.m_aScreenInfo[1].byExport = 12;
    app.m_aScreenInfo[1].bySpeed = 3;
    auto dlg = Open();
    struct Case { int row; int column; int count; int selected; };
    const Case cases[] = {{1, 1, 16, 0}, {1, 2, 16, 12}, {1, 3, 4, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        QComboBox* combo = OpenDropDown(*dlg, c.row, c.column);
        ASSERT_NE(combo, nullptr);
        EXPECT_FALSE(combo->isEditable());
        ASSERT_EQ(combo->count(), c.count);
        EXPECT_EQ(combo->currentIndex(), c.selected);
        EXPECT_EQ(combo->itemText(c.count - 1), c.count == 4 ? "Slow" : "Random");
        QTest::keyClick(combo, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor([&] { return DropDown(*dlg) == nullptr; }, 2000));
    }
    // Neither the key column nor the text of the append cell opens anything.
    QTest::mouseClick(dlg->List()->viewport(), Qt::LeftButton, {}, CellPoint(*dlg, 0, 0));
    EXPECT_EQ(DropDown(*dlg), nullptr);
}

TEST_F(SettingListDlgTest, EscapeLeavesTheCellButStillStoresTheListAndMarksModified)
{
    UseScreens(2);
    app.m_aScreenInfo = {SCREENINFO {}, SCREENINFO {}};
    // A code from a file that has no name: the list shows nothing, so storing gives 0.
    app.m_aScreenInfo[1].byImport = 20;
    auto dlg = Open();
    EXPECT_EQ(Cell(*dlg, 1, 1), "");

    QComboBox* combo = OpenDropDown(*dlg, 0, 1);
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(combo->findText("Random"));
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return DropDown(*dlg) == nullptr; }, 2000));

    EXPECT_EQ(Cell(*dlg, 0, 1), "Move from right");
    EXPECT_EQ(app.m_aScreenInfo[0].byImport, 0);
    EXPECT_EQ(app.m_aScreenInfo[1].byImport, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(SettingListDlgTest, EnterAndLosingTheFocusWriteTheChoiceIntoTheTable)
{
    UseScreens(2);
    auto dlg = Open();

    QComboBox* combo = OpenDropDown(*dlg, 0, 1);
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(combo->findText("Random"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return DropDown(*dlg) == nullptr; }, 2000));
    EXPECT_EQ(Cell(*dlg, 0, 1), "Random");
    EXPECT_EQ(app.m_aScreenInfo[0].byImport, 15);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(dlg->isVisible());

    // A click on another cell ends the edit as losing the focus and opens the next one.
    combo = OpenDropDown(*dlg, 1, 3);
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(combo->findText("Median"));
    QComboBox* next = OpenDropDown(*dlg, 0, 2);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(app.m_aScreenInfo[1].bySpeed, 2);
    EXPECT_EQ(Cell(*dlg, 1, 3), "Median");
    QTest::keyClick(next, Qt::Key_Escape);
}

TEST_F(SettingListDlgTest, AppendOkThenListCancelKeepsEveryEdit)
{
    UseScreens(2);
    auto dlg = Open();
    QComboBox* combo = OpenDropDown(*dlg, 1, 2);
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(combo->findText("Scroll up"));
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return DropDown(*dlg) == nullptr; }, 2000));

    bool opened = false;
    WhenModal<CAppendModeDlg>([&](CAppendModeDlg* append) {
        opened = true;
        EXPECT_EQ(append->windowTitle(), "Append Mode");
        append->CheckBox(APPEND_FLICKER)->click();
        append->CheckBox(APPEND_PAUSE)->click();
        append->PauseEdit()->setFocus();
        append->PauseEdit()->selectAll();
        QTest::keyClicks(append->PauseEdit(), "5");
        append->OkButton()->click();
    });
    QTest::mouseClick(dlg->List()->viewport(), Qt::LeftButton, {}, ButtonPoint(*dlg, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Cell(*dlg, 0, 4) == QString("Flciker | Pause ( 5 sec )"); }, 3000)) << Cell(*dlg, 0, 4).toStdString();

    dlg->CancelButton()->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(app.m_aScreenInfo[0].byAppend, APPEND_FLICKER | APPEND_PAUSE);
    EXPECT_EQ(app.m_aScreenInfo[0].nPauseSec, 5);
    EXPECT_EQ(app.m_aScreenInfo[1].byExport, 2);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SettingListDlgTest, AppendCancelChangesNothing)
{
    UseScreens(1);
    auto dlg = Open();
    bool opened = false;
    WhenModal<CAppendModeDlg>([&](CAppendModeDlg* append) {
        opened = true;
        append->CheckBox(APPEND_TIME)->click();
        append->CancelButton()->click();
    });
    QTest::mouseClick(dlg->List()->viewport(), Qt::LeftButton, {}, ButtonPoint(*dlg, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened; }, 3000));
    EXPECT_EQ(app.m_aScreenInfo[0].byAppend, 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SettingListDlgTest, TheTextPartOfAnAppendCellDoesNothing)
{
    UseScreens(1);
    auto dlg = Open();
    bool opened = false;
    WhenModal<CAppendModeDlg>([&](CAppendModeDlg* append) {
        opened = true;
        append->reject();
    }, 300);
    const QRect cell = dlg->List()->visualRect(dlg->Model()->index(0, CSettingListModel::ColAppend));
    const QRect square = CSettingCellDelegate::ButtonSquare(cell);
    EXPECT_EQ(square.width(), cell.height());
    EXPECT_EQ(square.right(), cell.right());
    for (QPoint p : {QPoint(cell.left() + 3, cell.center().y()), QPoint(square.left() - 2, cell.center().y())})
        QTest::mouseClick(dlg->List()->viewport(), Qt::LeftButton, {}, p);
    QTest::qWait(400);
    EXPECT_FALSE(opened);
    EXPECT_EQ(DropDown(*dlg), nullptr);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(SettingListDlgTest, SetRowGivesEveryScreenTheChosenScreensSettings)
{
    UseScreens(3);
    app.m_aScreenInfo.assign(3, SCREENINFO {});
    app.m_aScreenInfo[1] = {4, 7, {0, 0}, 33, 2, APPEND_PAUSE | APPEND_FLICKER, {0, 0}, 4};
    auto dlg = Open();
    WhenModal<CSetAllScreenDlg>([&](CSetAllScreenDlg* set) {
        EXPECT_EQ(set->windowTitle(), "Set all screen to");
        EXPECT_EQ(set->ScreenBox()->count(), 3);
        EXPECT_EQ(set->ScreenBox()->currentText(), "1");
        set->ScreenBox()->setCurrentIndex(set->ScreenBox()->findText("2"));
        set->OkButton()->click();
    });
    dlg->SetRowButton()->click();
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        const SCREENINFO& rec = app.m_aScreenInfo[std::size_t(r)];
        EXPECT_EQ(rec.byImport, 4);
        EXPECT_EQ(rec.byExport, 7);
        EXPECT_EQ(rec.bySpeed, 2);
        EXPECT_EQ(rec.byAppend, APPEND_PAUSE | APPEND_FLICKER);
        EXPECT_EQ(rec.nPauseSec, 33);
        EXPECT_EQ(rec.nCartoon, 4);
        EXPECT_EQ(Cell(*dlg, r, 1), "Jump from right");
        EXPECT_EQ(Cell(*dlg, r, 3), "Median");
    }
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SettingListDlgTest, SetColCopiesOneColumnAndAppendAsAWhole)
{
    struct Case {
        const char* column;
        SCREENINFO expected;  // what screen 3 holds afterwards
    };
    SCREENINFO source {9, 6, {0, 0}, 42, 3, APPEND_CONTINUUM, {0, 0}, 2};
    SCREENINFO target {1, 1, {0, 0}, 10, 1, APPEND_TIME, {0, 0}, 0};
    const Case cases[] = {
        {"Import type", {9, 1, {0, 0}, 10, 1, APPEND_TIME, {0, 0}, 0}},
        {"Export type", {1, 6, {0, 0}, 10, 1, APPEND_TIME, {0, 0}, 0}},
        {"Speed", {1, 1, {0, 0}, 10, 3, APPEND_TIME, {0, 0}, 0}},
        {"Append", {1, 1, {0, 0}, 42, 1, APPEND_CONTINUUM, {0, 0}, 2}},
    };
    UseScreens(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        app.m_aScreenInfo = {target, source, target};
        doc.SetModifiedFlag(false);
        auto dlg = Open();
        WhenModal<CSetColDlg>([&](CSetColDlg* set) {
            EXPECT_EQ(set->windowTitle(), "Set col");
            EXPECT_EQ(set->ColumnBox()->currentText(), "Import type");
            set->ColumnBox()->setCurrentIndex(set->ColumnBox()->findText(c.column));
            set->ScreenBox()->setCurrentIndex(1);
            set->OkButton()->click();
        });
        dlg->SetColButton()->click();
        const SCREENINFO& got = app.m_aScreenInfo[2];
        EXPECT_EQ(got.byImport, c.expected.byImport);
        EXPECT_EQ(got.byExport, c.expected.byExport);
        EXPECT_EQ(got.bySpeed, c.expected.bySpeed);
        EXPECT_EQ(got.byAppend, c.expected.byAppend);
        EXPECT_EQ(got.nPauseSec, c.expected.nPauseSec);
        EXPECT_EQ(got.nCartoon, c.expected.nCartoon);
        EXPECT_EQ(Cell(*dlg, 2, 4), QString::fromStdString(FormatAppendText(got)));
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(SettingListDlgTest, BulkCopyCancelChangesNothing)
{
    UseScreens(2);
    app.m_aScreenInfo.assign(2, SCREENINFO {});
    app.m_aScreenInfo[1].byImport = 5;
    auto dlg = Open();
    WhenModal<CSetAllScreenDlg>([](CSetAllScreenDlg* set) {
        set->ScreenBox()->setCurrentIndex(1);
        set->CancelButton()->click();
    });
    dlg->SetRowButton()->click();
    WhenModal<CSetColDlg>([](CSetColDlg* set) {
        set->ScreenBox()->setCurrentIndex(1);
        set->CancelButton()->click();
    });
    dlg->SetColButton()->click();
    EXPECT_EQ(app.m_aScreenInfo[0].byImport, 0);
    EXPECT_FALSE(doc.IsModified());
}

// The append-mode dialog on its own.

TEST(AppendModeDlg, OpensWithEachBoxFromItsFlagAndTheEnablingRules)
{
    struct Case { std::uint8_t flags; int cartoon; bool pauseOn; int checkedRadio; };
    const Case cases[] = {
        {0, 3, false, 0},
        {APPEND_PAUSE, 0, true, 0},
        {APPEND_CARTOON, 3, false, 3},
        {APPEND_CARTOON | APPEND_PAUSE | APPEND_TIME, 4, true, 4},
        {APPEND_FLICKER | APPEND_CONTINUUM | APPEND_QUIESCENCE, 1, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.flags));
        CAppendModeDlg dlg({c.flags, "12", c.cartoon});
        for (const CAppendFlagText& f : kAppendFlagTexts) {
            ASSERT_NE(dlg.CheckBox(f.m_nBit), nullptr);
            EXPECT_EQ(dlg.CheckBox(f.m_nBit)->text().toStdString(), f.m_szCheckBox);
            EXPECT_EQ(dlg.CheckBox(f.m_nBit)->isChecked(), (c.flags & f.m_nBit) != 0);
        }
        EXPECT_EQ(dlg.PauseEdit()->text(), "12");
        EXPECT_EQ(dlg.PauseEdit()->isEnabled(), c.pauseOn);
        for (int n = 0; n < 5; ++n) {
            EXPECT_EQ(dlg.CartoonRadio(n)->text().toStdString(), kCartoonNames[std::size_t(n)]);
            EXPECT_EQ(dlg.CartoonRadio(n)->isEnabled(), (c.flags & APPEND_CARTOON) != 0);
            EXPECT_EQ(dlg.CartoonRadio(n)->isChecked(), n == c.checkedRadio);
        }
    }
}

TEST(AppendModeDlg, RecheckingCartoonShowsTheCartoonAgainAndOkStoresIt)
{
    CAppendModeDlg dlg({APPEND_CARTOON, "10", 3});
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.CheckBox(APPEND_CARTOON), Qt::LeftButton);
    EXPECT_FALSE(dlg.CartoonRadio(3)->isEnabled());
    QTest::mouseClick(dlg.CheckBox(APPEND_CARTOON), Qt::LeftButton);
    EXPECT_TRUE(dlg.CartoonRadio(3)->isEnabled());
    EXPECT_TRUE(dlg.CartoonRadio(3)->isChecked());
    dlg.OkButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    SCREENINFO rec;
    ApplyAppendChoice(rec, dlg.Choice());
    EXPECT_EQ(rec.byAppend, APPEND_CARTOON);
    EXPECT_EQ(rec.nCartoon, 3);
}

TEST(AppendModeDlg, ARadioChoosesTheCartoonAndCheckingCartoonLaterShowsIt)
{
    CAppendModeDlg dlg({0, "10", 0});
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.CheckBox(APPEND_CARTOON), Qt::LeftButton);
    QTest::mouseClick(dlg.CartoonRadio(4), Qt::LeftButton, {}, QPoint(6, dlg.CartoonRadio(4)->height() / 2));
    QTest::mouseClick(dlg.CheckBox(APPEND_CARTOON), Qt::LeftButton);
    QTest::mouseClick(dlg.CheckBox(APPEND_CARTOON), Qt::LeftButton);
    EXPECT_TRUE(dlg.CartoonRadio(4)->isChecked());
    dlg.OkButton()->click();
    EXPECT_EQ(dlg.Choice().m_nCartoon, 4);
    EXPECT_EQ(dlg.Choice().m_nFlags, APPEND_CARTOON);
}

TEST(AppendModeDlg, UncheckedPauseKeepsItsTimeAndTheEditTakesTwoDigitsOnly)
{
    CAppendModeDlg dlg({APPEND_PAUSE | 0x20, "25", 0});
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.CheckBox(APPEND_PAUSE), Qt::LeftButton);
    EXPECT_FALSE(dlg.PauseEdit()->isEnabled());
    EXPECT_EQ(dlg.PauseEdit()->text(), "25");
    dlg.OkButton()->click();
    SCREENINFO rec;
    ApplyAppendChoice(rec, dlg.Choice());
    // The flags are the boxes': bits no box stands for are not kept.
    EXPECT_EQ(rec.byAppend, 0);
    EXPECT_EQ(rec.nPauseSec, 25);

    struct Case { const char* typed; const char* shown; };
    const Case cases[] = {{"7", "7"}, {"123", "12"}, {"a1b", "1"}, {"-4", "4"}, {"", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CAppendModeDlg edit({APPEND_PAUSE, "", 0});
        edit.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
        edit.PauseEdit()->setFocus();
        QTest::keyClicks(edit.PauseEdit(), c.typed);
        EXPECT_EQ(edit.PauseEdit()->text(), c.shown);
        edit.OkButton()->click();
        SCREENINFO r;
        ApplyAppendChoice(r, edit.Choice());
        EXPECT_EQ(r.nPauseSec, QString(c.shown).toInt());
    }
}

TEST_F(SettingListDlgTest, EachEditIsOneUndoableStep)
{
    UseScreens(2);
    auto dlg = Open();
    CUndoHistory& history = CUndoHistory::Of(doc);
    EXPECT_FALSE(history.CanUndo());

    // Escape changes nothing: the document is marked modified, yet there is no step.
    QComboBox* combo = OpenDropDown(*dlg, 0, 1);
    ASSERT_NE(combo, nullptr);
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return DropDown(*dlg) == nullptr; }, 2000));
    EXPECT_FALSE(history.CanUndo());

    combo = OpenDropDown(*dlg, 1, 3);
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(3);
    QTest::keyClick(combo, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return DropDown(*dlg) == nullptr; }, 2000));
    WhenModal<CSetAllScreenDlg>([](CSetAllScreenDlg* set) {
        set->ScreenBox()->setCurrentIndex(1);
        set->OkButton()->click();
    });
    dlg->SetRowButton()->click();
    EXPECT_EQ(app.m_aScreenInfo[0].bySpeed, 3);
    EXPECT_EQ(history.UndoText(), "Moving Method");

    history.Undo();
    EXPECT_EQ(app.m_aScreenInfo[0].bySpeed, 0);
    EXPECT_EQ(app.m_aScreenInfo[1].bySpeed, 3);
    history.Undo();
    EXPECT_EQ(app.m_aScreenInfo[1].bySpeed, 0);
    EXPECT_FALSE(history.CanUndo());
    history.Redo();
    history.Redo();
    EXPECT_EQ(app.m_aScreenInfo[0].bySpeed, 3);
    dlg->reject();
}

TEST_F(SettingListDlgTest, F2OpensTheDropDownOfTheCurrentCell)
{
    UseScreens(1);
    auto dlg = Open();
    dlg->List()->setFocus();
    dlg->List()->setCurrentIndex(dlg->Model()->index(0, CSettingListModel::ColSpeed));
    QTest::keyClick(dlg->List(), Qt::Key_F2);
    QComboBox* combo = DropDown(*dlg);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 4);
    // Neither the key column nor the append column has a drop-down.
    QTest::keyClick(combo, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return DropDown(*dlg) == nullptr; }, 2000));
    for (int column : {CSettingListModel::ColKey, CSettingListModel::ColAppend}) {
        dlg->List()->setCurrentIndex(dlg->Model()->index(0, column));
        QTest::keyClick(dlg->List(), Qt::Key_F2);
        EXPECT_EQ(DropDown(*dlg), nullptr) << column;
    }
}
