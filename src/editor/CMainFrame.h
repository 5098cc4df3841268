#pragma once
// The multi-document main window: the menus, the status bar with its panes, the colour
// palette, the "Draw Tools" and "Align Tools" toolbars, and the document windows in its
// client area.

#include "app/CRecentFileList.h"
#include "raster/Geometry.h"

#include <QMainWindow>

#include <string>

class CChildFrame;
class CColumnToolBar;
class CDrawFont;
class CDrawObj;
class CPaletteBar;
class CTextEntryDlg;
class CToolOptionWnd;
class CVemtView;
class CVemtApp;
class IProfile;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CVemtApp& app, IProfile& profile, QWidget* parent = nullptr);

    // A new, empty document window ("Vemt1", shown as "LED Lextrel Software").
    CChildFrame* NewDocumentWindow();
    // A window for a document file (the command line, a recent file, a dropped file).
    CChildFrame* OpenDocumentWindow(const QString& path);
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    // The document window the commands act on; none when no document is open.
    CChildFrame* ActiveChild() const;

    QLabel* CoordinatePane() const { return m_pCoordinate; }
    QLabel* DragSizePane() const { return m_pDragSize; }
    QLabel* ScreenNoPane() const { return m_pScreenNo; }

    CPaletteBar* PaletteBar() const { return m_pPaletteBar; }
    CColumnToolBar* DrawToolBar() const { return m_pDrawTools; }
    CColumnToolBar* AlignToolBar() const { return m_pAlignTools; }
    CToolOptionWnd* ToolOptions() const { return m_pToolOptions; }

    // The draw toolbar's button for drawing mode `mode` (0-13, the toolbar's order). A
    // button is enabled once its tool exists; choosing it sets the mode and tool shape.
    QAction* DrawToolAction(int mode) const;
    // A toolbar button by its tooltip name ("Align Left", "Space Down", ...); disabled
    // until wired (WireAction).
    QAction* ToolAction(const QString& name) const;
    // The frame-wide Esc command (cancel in the active view).
    QAction* CancelAction() const { return m_pCancel; }

    // Sets a check mark on the draw toolbar button of g_nDrawMode and none on the others.
    void RefreshDrawToolChecks();
    // Enabling and check marks of every command, now.
    void RefreshCommands();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    CChildFrame* AddDocumentWindow(const QString& frameworkTitle);
    void OnFileOpen();
    void AddToRecent(const std::string& path);
    void RebuildRecentMenu();
    void BuildMenus();
    // Connects the menu items whose features exist; the rest stay disabled.
    void InstallCommands();
    void InstallEditorCommands();
    void BuildStatusBar();
    void BuildPalette();
    void BuildDrawTools();
    void BuildAlignTools();
    void UpdateTitle();
    void OnSubWindowActivated();
    void OnSendFile();
    void OnZoomPicked(int level);
    void OnColourPicked();
    void ShowAbout();
    CTextEntryDlg* TextEntry();
    CChildFrame* ChildOf(const CDrawObj* obj) const;
    void OnNewTextAt(CVemtView* view, CPoint dot);
    void OnEditText(CVemtView* view, CDrawObj* obj);
    void OnTextAccepted(CDrawFont* textObj);
    void OnTextCancelled(CDrawFont* textObj);

    CVemtApp& m_app;
    IProfile& m_profile;
    QMdiArea* m_pMdiArea;
    QLabel* m_pCoordinate = nullptr;
    QLabel* m_pDragSize = nullptr;
    QLabel* m_pScreenNo = nullptr;
    CPaletteBar* m_pPaletteBar = nullptr;
    CColumnToolBar* m_pDrawTools = nullptr;
    CColumnToolBar* m_pAlignTools = nullptr;
    CToolOptionWnd* m_pToolOptions = nullptr;
    QAction* m_aDrawTools[14] = {};
    QAction* m_pCancel = nullptr;
    QTimer* m_pRefresh = nullptr;
    int m_nNewDocuments = 0;
    CRecentFileList m_recent;
    QMenu* m_pRecentMenu = nullptr;
    CTextEntryDlg* m_pTextEntry = nullptr;  // one for the whole run, made on first use
};
