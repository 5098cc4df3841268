// The main window as a user meets it: the menus in their order, which commands are
// available when, the palette, the two toolbars and the About box.
#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"
#include "editor/CAboutBoxDlg.h"
#include "editor/CChildFrame.h"
#include "editor/CColumnToolBar.h"
#include "editor/CLinkLabel.h"
#include "editor/CMainFrame.h"
#include "editor/CPaletteBar.h"
#include "editor/CToolOptionWnd.h"
#include "editor/CVemtView.h"
#include "editor/DrawModeChange.h"
#include "editor/MenuCommands.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QUrl>
#include <QMenu>
#include <QMenuBar>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class MainFrameToolsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 3;
        app.m_nColorCount = 2;
    }
    void TearDown() override { ResetEditorState(); }

    static QStringList MenuTexts(QMenu* menu)
    {
        QStringList texts;
        for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }
    static bool Enabled(CMainFrame& frame, const char* text)
    {
        frame.RefreshCommands();
        QAction* a = FindMenuAction(frame.menuBar(), QString::fromUtf8(text));
        EXPECT_NE(a, nullptr) << text;
        return a && a->isEnabled();
    }

    CVemtApp app;
    CMemoryProfile profile;
};

TEST_F(MainFrameToolsTest, TheMenusListTheirItemsInOrder)
{
    CMainFrame frame(app, profile);
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList {"File(&F)", "Edit(&E)", "Send(&S)", "View(&V)", "Help(&H)"}));
    QMenuBar* bar = frame.menuBar();
    EXPECT_EQ(MenuTexts(FindMenu(bar, "File(&F)")),
              (QStringList {"Open(&O)...", "Clear(&C)", "Save(&S)", "Save as(&A)...", "-", "Import...", "Export...",
                            "-", "Recent file", "-", "Exit(&X)"}));
    EXPECT_EQ(MenuTexts(FindMenu(bar, "Edit(&E)")),
              (QStringList {"Undo(&U)", "Redo", "-", "Cut(&T)", "Copy(&C)", "Paste(&P)", "-", "Select &All", "&Delete"}));
    EXPECT_EQ(MenuTexts(FindMenu(bar, "Send(&S)")).mid(0, 15),
              (QStringList {"Send file", "Set Moving Method...", "Adjust Time", "-", "Open Lextrel", "Close Lextrel",
                            "-", "Display Lextrel Address", "Close display Lextrel Address", "-",
                            "Set the address of Lextrel", "-", "Timer", "-", "Test"}))
        << "the program's own items come after these";
    const QStringList view = MenuTexts(FindMenu(bar, "View(&V)"));
    EXPECT_EQ(view.mid(0, 10), (QStringList {"StatusBar(&S)", "-", "Grid", "Seperate Line", "-", "Palette Tool",
                                             "Draw Tool", "Align Tool", "-", "Preview..."}))
        << "the program's own items come after these";

    struct Key {
        const char* item;
        QKeySequence key;
    };
    const Key keys[] = {
        {"Select &All", QKeySequence(Qt::CTRL | Qt::Key_A)}, {"Copy(&C)", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"Draw Tool", QKeySequence(Qt::CTRL | Qt::Key_D)},   {"Grid", QKeySequence(Qt::CTRL | Qt::Key_G)},
        {"Seperate Line", QKeySequence(Qt::CTRL | Qt::Key_L)}, {"Open(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Palette Tool", QKeySequence(Qt::CTRL | Qt::Key_P)}, {"Save(&S)", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Align Tool", QKeySequence(Qt::CTRL | Qt::Key_T)},  {"Paste(&P)", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"Cut(&T)", QKeySequence(Qt::CTRL | Qt::Key_X)},     {"Undo(&U)", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"&Delete", QKeySequence(Qt::Key_Delete)},
    };
    for (const Key& k : keys) EXPECT_EQ(FindMenuAction(bar, k.item)->shortcut(), k.key) << k.item;
    EXPECT_EQ(frame.CancelAction()->shortcut(), QKeySequence(Qt::Key_Escape));
}

TEST_F(MainFrameToolsTest, CommandsAreAvailableExactlyWhenTheyCanWork)
{
    CMainFrame frame(app, profile);
    EXPECT_FALSE(Enabled(frame, "Clear(&C)")) << "no document";
    CChildFrame* child = frame.NewDocumentWindow();
    CVemtView* view = child->View();
    EXPECT_TRUE(Enabled(frame, "Clear(&C)"));
    EXPECT_FALSE(Enabled(frame, "Select &All")) << "nothing to select";
    EXPECT_FALSE(Enabled(frame, "&Delete"));
    EXPECT_FALSE(Enabled(frame, "Undo(&U)"));
    EXPECT_FALSE(Enabled(frame, "Send file"));
    EXPECT_FALSE(Enabled(frame, "Test"));
    EXPECT_FALSE(Enabled(frame, "Set the address of Lextrel"));

    auto* obj = new CDrawRect(CRect(1, 1, 5, 5), 0x0000FF, 0, 1, 0);
    child->Document().AddObj(obj);
    EXPECT_TRUE(Enabled(frame, "Select &All"));
    EXPECT_TRUE(Enabled(frame, "Send file"));
    EXPECT_FALSE(Enabled(frame, "&Delete"));
    view->SelectObj(obj);
    EXPECT_TRUE(Enabled(frame, "&Delete"));

    // The grid needs a factor of 6 or 8.
    for (int index : {0, 1, 2, 3}) {
        g_nPrevZoomIndex = g_nZoomIndex;
        g_nZoomIndex = index;
        view->OnZoomChanged();
        EXPECT_EQ(Enabled(frame, "Grid"), index >= 2) << index;
    }
}

TEST_F(MainFrameToolsTest, TheToggleItemsShowAndHideTheBarsWithCheckMarks)
{
    CMainFrame frame(app, profile);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    EXPECT_TRUE(frame.AlignToolBar()->isVisible());
    QTest::keyClick(&frame, Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(frame.AlignToolBar()->isVisible()) << "Ctrl+T hides the align tools";
    frame.RefreshCommands();
    emit FindMenu(frame.menuBar(), "View(&V)")->aboutToShow();
    EXPECT_FALSE(FindMenuAction(frame.menuBar(), "Align Tool")->isChecked());
    QTest::keyClick(&frame, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(frame.AlignToolBar()->isVisible());
    emit FindMenu(frame.menuBar(), "View(&V)")->aboutToShow();
    EXPECT_TRUE(FindMenuAction(frame.menuBar(), "Align Tool")->isChecked());

    for (const char* item : {"Palette Tool", "Draw Tool", "StatusBar(&S)"}) {
        QAction* a = FindMenuAction(frame.menuBar(), item);
        a->trigger();
        emit FindMenu(frame.menuBar(), "View(&V)")->aboutToShow();
        EXPECT_FALSE(a->isChecked()) << item;
        a->trigger();
        emit FindMenu(frame.menuBar(), "View(&V)")->aboutToShow();
        EXPECT_TRUE(a->isChecked()) << item;
    }
}

TEST_F(MainFrameToolsTest, TheDrawToolsStandInTwoColumnsAndCheckTheCurrentMode)
{
    CMainFrame frame(app, profile);
    const char* names[14] = {"Eraser", "Pen", "Select", "Brush", "Character", "Fill", "Line",
                             "Eye Drop", "Zoom", "Rectangle", "Round rectangle", "Oval", "PolyLine", "Arc"};
    for (int mode = 0; mode < 14; ++mode) {
        EXPECT_EQ(frame.DrawToolAction(mode)->toolTip(), names[mode]);
        EXPECT_FALSE(frame.DrawToolAction(mode)->icon().pixmap(16, 16).isNull()) << names[mode];
    }
    EXPECT_EQ(frame.DrawToolBar()->Columns(), 2);
    EXPECT_EQ(frame.DrawToolBar()->PlaceOf(5), QPoint(1, 2));
    EXPECT_EQ(frame.AlignToolBar()->Columns(), 16) << "one row of 16 places";
    EXPECT_FALSE(frame.DrawToolAction(0)->isEnabled()) << "Eraser has no tool";
    EXPECT_FALSE(frame.DrawToolAction(3)->isEnabled()) << "nor Brush";
    EXPECT_TRUE(frame.DrawToolAction(2)->isChecked()) << "select at start";

    SetDrawMode(6, 1);  // Line
    for (int mode = 0; mode < 14; ++mode) EXPECT_EQ(frame.DrawToolAction(mode)->isChecked(), mode == 6) << mode;
    ReturnToSelectMode();
    EXPECT_FALSE(frame.DrawToolAction(6)->isChecked());
    EXPECT_TRUE(frame.DrawToolAction(2)->isChecked());
    for (const char* name : {"Align Left", "Align Right", "Align Top", "Align Bottom", "Center Vertical",
                             "Center Horizontal", "Space Across", "Space Down", "Make Same Width",
                             "Make Same Height", "Make Same Size", "Specify Position"}) {
        QAction* a = frame.ToolAction(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_FALSE(a->icon().pixmap(16, 16).isNull()) << name << " has a picture";
        EXPECT_FALSE(a->isEnabled()) << name << " waits for its command";
    }
}

TEST_F(MainFrameToolsTest, TheZoomToolOffersFourLevelsAndReturnsToSelect)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.DrawToolAction(8)->trigger();
    CToolOptionWnd* options = frame.ToolOptions();
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(options->windowTitle(), "Zoom Mode");
    EXPECT_EQ(g_nDrawMode, 8);
    QTest::mouseClick(options, Qt::LeftButton, {}, options->ZoomOptionRect(2).center());
    EXPECT_EQ(g_nZoomIndex, 2);
    EXPECT_EQ(child->View()->GetZoomFactor(), 6);
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(child->width(), 64 * 6 + 4) << "the window follows the zoom";
}

TEST_F(MainFrameToolsTest, AFileDroppedOnTheWindowOpens)
{
    char folder[] = "/tmp/vemt-drop-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/dropped.KVX";
    {
        CVemtDoc doc(&app);
        doc.AddObj(new CDrawRect(CRect(2, 2, 6, 6), 0x0000FF, 0x0000FF, 1, 1));
        const auto bytes = CKvxFile::WriteKvx(doc, app);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    }
    CMainFrame frame(app, profile);
    frame.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    CChildFrame* child = frame.ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), "LED Lextrel Software(dropped.KVX)");
    EXPECT_EQ(child->Document().m_objects.size(), 1u);
    EXPECT_EQ(child->View()->Dots().GetPixel(3, 3), 0x0000FFu);
    std::filesystem::remove_all(folder);
}

TEST_F(MainFrameToolsTest, A320By64SignOpensFullWidthWithoutAHorizontalScrollBar)
{
    app.m_nTPWidth = 320;
    app.m_nTPHeight = 64;
    app.m_nTotalScreen = 10;
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    const int bar = child->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(child->width(), 320 + 4 + bar + 1);
    EXPECT_EQ(child->height(), 430);
    EXPECT_EQ(child->parentWidget()->size(), child->size()) << "no caption or border around it";
    EXPECT_EQ(child->parentWidget()->pos(), QPoint(0, 0));
    CVemtView* view = child->View();
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(view->verticalScrollBar()->isVisible());
    EXPECT_GE(view->viewport()->width(), 320) << "every dot column is in view";
}

TEST(Palette, SwatchesFollowTheColourCount)
{
    EXPECT_EQ(PaletteColours(1), (std::vector<COLORREF> {RGB(0, 0, 0), RGB(255, 0, 0)}));
    EXPECT_EQ(PaletteColours(2),
              (std::vector<COLORREF> {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0)}));
    EXPECT_EQ(PaletteColours(3).size(), 8u);
    EXPECT_EQ(PaletteColours(3)[3], RGB(255, 128, 0));
    CPaletteWidget two(2);
    EXPECT_EQ(two.SwatchRect(0).top(), two.SwatchRect(1).top()) << "first half in the top row";
    EXPECT_EQ(two.SwatchRect(2).top(), two.SwatchRect(0).top() + 16);
    EXPECT_EQ(two.SwatchRect(2).left(), two.SwatchRect(0).left());
}

TEST_F(MainFrameToolsTest, APaletteClickColoursTheWholeSelection)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    auto* a = new CDrawRect(CRect(1, 1, 5, 5), 0x00FF00, 0x00FF00, 1, 1);
    auto* b = new CDrawRect(CRect(10, 1, 15, 5), 0x00FF00, 0x00FF00, 1, 1);
    child->Document().AddObj(a);
    child->Document().AddObj(b);
    child->View()->SelectObj(a);
    child->View()->SelectObj(b, true);
    CPaletteWidget* palette = frame.PaletteBar()->Palette();
    // Red is the second swatch of a two-colour sign.
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->SwatchRect(1).center());
    EXPECT_EQ(g_crForeground, RGB(255, 0, 0));
    for (CDrawRect* obj : {a, b}) {
        EXPECT_EQ(obj->m_crLine, RGB(255, 0, 0));
        EXPECT_EQ(obj->m_crFill, g_crBackground) << "the fill takes the current background";
    }
    EXPECT_EQ(child->View()->Dots().GetPixel(2, 2), RGB(0, 0, 0)) << "black fill";
    EXPECT_EQ(child->View()->Dots().GetPixel(1, 1), RGB(255, 0, 0));
    QTest::mouseClick(palette, Qt::RightButton, {}, palette->SwatchRect(3).center());
    EXPECT_EQ(g_crBackground, RGB(255, 255, 0));
    EXPECT_EQ(a->m_crFill, RGB(255, 255, 0));
    EXPECT_EQ(a->m_crLine, RGB(255, 0, 0));
}

TEST_F(MainFrameToolsTest, ClearAsksAboutAChangedDocument)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    child->Document().AddObj(new CDrawRect(CRect(1, 1, 5, 5), 0x0000FF, 0, 1, 0));
    QString text, caption;
    auto answer = [&](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            caption = box->windowTitle();
            box->button(button)->click();
        });
    };
    answer(QMessageBox::Cancel);
    FindMenuAction(frame.menuBar(), "Clear(&C)")->trigger();
    EXPECT_EQ(text, "The file has been changed,Save it ot not?");
    EXPECT_EQ(caption, "Please confirm");
    EXPECT_EQ(child->Document().m_objects.size(), 1u) << "Cancel keeps everything";
    answer(QMessageBox::No);
    FindMenuAction(frame.menuBar(), "Clear(&C)")->trigger();
    EXPECT_TRUE(child->Document().m_objects.empty());
    EXPECT_EQ(child->View()->Dots().GetPixel(1, 1), 0u);
}

TEST(AboutBox, ShowsTheVersionAndTwoLinks)
{
    CAboutBoxDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "About LED Lextrel");
    ASSERT_NE(dlg.WebLink(), nullptr);
    ASSERT_NE(dlg.MailLink(), nullptr);
    EXPECT_EQ(dlg.WebLink()->toolTip(), dlg.WebLink()->Target()) << "the tooltip names the target";
    EXPECT_TRUE(dlg.WebLink()->font().underline());
    EXPECT_EQ(dlg.WebLink()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkLabel, TurnsVisitedOnSuccessAndReportsAFailure)
{
    int result = 33;
    QStringList reports;
    CLinkLabel::SetOpener([&](const QString&) { return result; });
    CLinkLabel::SetReporter([&](const QString& m) { reports << m; });
    CLinkLabel label(QStringLiteral("example.org"), QStringLiteral("https://example.org/"));
    EXPECT_EQ(label.CurrentColour(), QColor(0, 0, 238));
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(label.IsVisited());
    EXPECT_EQ(label.CurrentColour(), QColor(85, 26, 139));

    CLinkLabel other(QStringLiteral("mail"), QStringLiteral("mailto:someone@example.org"));
    result = 31;
    QTest::mouseClick(&other, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_FALSE(other.IsVisited());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0], "Unable to open hyperlink:\n\nThere is no application associated\n"
                          "with the given filename extension.");
    EXPECT_EQ(HyperlinkErrorText(99), "Unable to open hyperlink:\n\nUnknown Error (99) occurred.");
    CLinkLabel::SetOpener(nullptr);
    CLinkLabel::SetReporter(nullptr);
}

}  // namespace
