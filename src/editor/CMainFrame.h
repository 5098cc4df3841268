#pragma once
// The multi-document main window: menus, status bar with its panes, and the document
// windows in its client area.

#include <QMainWindow>

class CChildFrame;
class CVemtApp;
class IProfile;
class QLabel;
class QMdiArea;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CVemtApp& app, IProfile& profile, QWidget* parent = nullptr);

    // A new, empty document window ("Vemt1", shown as "LED Lextrel Software").
    CChildFrame* NewDocumentWindow();
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    // The document window the commands act on; none when no document is open.
    CChildFrame* ActiveChild() const;

    QLabel* CoordinatePane() const { return m_pCoordinate; }
    QLabel* DragSizePane() const { return m_pDragSize; }
    QLabel* ScreenNoPane() const { return m_pScreenNo; }

private:
    void BuildMenus();
    void BuildStatusBar();
    void UpdateTitle();
    void OnSendFile();

    CVemtApp& m_app;
    IProfile& m_profile;
    QMdiArea* m_pMdiArea;
    QLabel* m_pCoordinate = nullptr;
    QLabel* m_pDragSize = nullptr;
    QLabel* m_pScreenNo = nullptr;
    int m_nNewDocuments = 0;
};
