#pragma once
// The multi-document main window: menus, status bar with its panes, and the document
// windows in its client area.

#include "app/CRecentFileList.h"

#include <QMainWindow>

#include <string>

class CChildFrame;
class CDrawFont;
class CDrawObj;
class CTextEntryDlg;
class CVemtView;
class QActionGroup;
struct CPoint;
class CVemtApp;
class IProfile;
class QLabel;
class QMdiArea;
class QMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CVemtApp& app, IProfile& profile, QWidget* parent = nullptr);

    // A new, empty document window ("Vemt1", shown as "LED Lextrel Software").
    CChildFrame* NewDocumentWindow();
    // A window for a document file (the command line, a recent file).
    CChildFrame* OpenDocumentWindow(const QString& path);
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    // The document window the commands act on; none when no document is open.
    CChildFrame* ActiveChild() const;

    QLabel* CoordinatePane() const { return m_pCoordinate; }
    QLabel* DragSizePane() const { return m_pDragSize; }
    QLabel* ScreenNoPane() const { return m_pScreenNo; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CChildFrame* AddDocumentWindow(const QString& frameworkTitle);
    void OnFileOpen();
    void AddToRecent(const std::string& path);
    void RebuildRecentMenu();
    void BuildMenus();
    // Connects the menu items whose features exist; the rest stay disabled.
    void InstallCommands();
    void BuildStatusBar();
    void UpdateTitle();
    void OnSendFile();
    void BuildDrawTools();
    void SetDrawMode(int mode, int toolShape);
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
    int m_nNewDocuments = 0;
    CRecentFileList m_recent;
    QMenu* m_pRecentMenu = nullptr;
    CTextEntryDlg* m_pTextEntry = nullptr;  // one for the whole run, made on first use
    QAction* m_pSelectTool = nullptr;
    QAction* m_pCharacterTool = nullptr;
};
