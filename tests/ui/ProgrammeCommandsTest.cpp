// "Set Moving Method..." and "Preview..." in the editor's menus: enabled only while the
// active document has something on it, each opening its window over that document.
#include "ModalDialogDriver.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/MenuCommands.h"
#include "programme/CPreviewPlayer.h"
#include "programme/ui/CPreviewDlg.h"
#include "programme/ui/CSettingListDlg.h"
#include "programme/ui/CSettingListModel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

TEST(ProgrammeCommands, OpenTheirWindowsOverTheActiveDocumentOnlyWhenItHasContent)
{
    CVemtApp app;
    app.m_nTPWidth = 32;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 3;
    CMemoryProfile profile;
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    ASSERT_NE(child, nullptr);

    struct Item { const char* text; const char* menu; };
    const Item items[] = {{"Set Moving Method...", "Send(&S)"}, {"Preview...", "View(&V)"}};
    for (const Item& item : items) {
        SCOPED_TRACE(item.text);
        QAction* action = FindMenuAction(frame.menuBar(), item.text);
        ASSERT_NE(action, nullptr);
        QMenu* menu = FindMenu(frame.menuBar(), item.menu);
        ASSERT_NE(menu, nullptr);
        emit menu->aboutToShow();
        EXPECT_FALSE(action->isEnabled()) << "an empty document";
    }

    child->Document().AddObj(new CDrawRect(CRect(1, 17, 9, 25), 0x0000FF, 0x0000FF, 1, 1));
    for (const Item& item : items) emit FindMenu(frame.menuBar(), item.menu)->aboutToShow();

    int rows = -1;
    WhenModal<CSettingListDlg>([&](CSettingListDlg* dlg) {
        rows = dlg->Model()->rowCount();
        dlg->reject();
    });
    FindMenuAction(frame.menuBar(), "Set Moving Method...")->trigger();
    EXPECT_EQ(rows, 2);

    int screens = -1;
    WhenModal<CPreviewDlg>([&](CPreviewDlg* dlg) {
        screens = dlg->Player().ScreenCount();
        dlg->reject();
    });
    FindMenuAction(frame.menuBar(), "Preview...")->trigger();
    EXPECT_EQ(screens, 2);
}
