#include "editor/CMainFrame.h"

#include "app/CVemtApp.h"
#include "comm/ui/CSendFileRunner.h"
#include "comm/ui/CVirtualSignWindow.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CVemtView.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace {

QLabel* AddPane(QStatusBar* bar, const QString& indicator, int width)
{
    auto* pane = new QLabel(indicator, bar);
    pane->setFixedWidth(width);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addPermanentWidget(pane);
    return pane;
}

}  // namespace

CMainFrame::CMainFrame(CVemtApp& app, IProfile& profile, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_profile(profile), m_pMdiArea(new QMdiArea(this))
{
    setCentralWidget(m_pMdiArea);
    BuildMenus();
    BuildStatusBar();
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateTitle);
    UpdateTitle();
}

void CMainFrame::BuildMenus()
{
    // The commands arrive with their subsystems; until then they are shown disabled.
    auto add = [](QMenu* menu, const char* text, bool enabled = false) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setEnabled(enabled);
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    add(file, "Open(&O)...");
    add(file, "Clear(&C)");
    add(file, "Save(&S)");
    add(file, "Save as(&A)...");
    file->addSeparator();
    add(file, "Import...");
    add(file, "Export...");
    file->addSeparator();
    add(file, "Recent file");
    file->addSeparator();
    QAction* exitAction = add(file, "Exit(&X)", true);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit(&E)"));
    add(edit, "Undo(&U)");
    edit->addSeparator();
    add(edit, "Cut(&T)");
    add(edit, "Copy(&C)");
    add(edit, "Paste(&P)");
    edit->addSeparator();
    add(edit, "Select &All");
    add(edit, "&Delete");

    QMenu* send = menuBar()->addMenu(QStringLiteral("Send(&S)"));
    QAction* sendFile = add(send, "Send file");
    connect(sendFile, &QAction::triggered, this, &CMainFrame::OnSendFile);
    connect(send, &QMenu::aboutToShow, this, [this, sendFile] {
        // Only a document with something on it can be sent.
        CChildFrame* child = ActiveChild();
        sendFile->setEnabled(child && child->Document().GetUsedHeight() != 0);
    });
    add(send, "Set Moving Method...");
    add(send, "Adjust Time");
    send->addSeparator();
    add(send, "Open Lextrel");
    add(send, "Close Lextrel");
    send->addSeparator();
    add(send, "Display Lextrel Address");
    add(send, "Close display Lextrel Address");
    send->addSeparator();
    add(send, "Set the address of Lextrel");
    send->addSeparator();
    add(send, "Timer");
    send->addSeparator();
    add(send, "Test");

    QMenu* view = menuBar()->addMenu(QStringLiteral("View(&V)"));
    QAction* statusBarAction = add(view, "StatusBar(&S)", true);
    statusBarAction->setCheckable(true);
    statusBarAction->setChecked(true);
    connect(statusBarAction, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    view->addSeparator();
    add(view, "Grid");
    QAction* separate = add(view, "Seperate Line", true);
    separate->setCheckable(true);
    separate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(separate, &QAction::triggered, this, [this] {
        if (CChildFrame* child = ActiveChild()) child->View()->ToggleSeparateLine();
    });
    connect(view, &QMenu::aboutToShow, this, [this, separate] {
        CChildFrame* child = ActiveChild();
        separate->setEnabled(child != nullptr);
        separate->setChecked(child && child->View()->m_bSeparateLine);
    });
    view->addSeparator();
    add(view, "Palette Tool");
    add(view, "Draw Tool");
    add(view, "Align Tool");
    view->addSeparator();
    add(view, "Preview...");
    view->addSeparator();
    QAction* virtualSign = add(view, "Virtual sign", true);
    connect(virtualSign, &QAction::triggered, this, [this] { ShowVirtualSignWindow(this); });
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pCoordinate = AddPane(bar, QStringLiteral("Coordinate"), 115);
    m_pDragSize = AddPane(bar, QStringLiteral("Drag size"), 115);
    m_pScreenNo = AddPane(bar, QStringLiteral("Screen No."), 100);
}

CChildFrame* CMainFrame::NewDocumentWindow()
{
    const QString title = QStringLiteral("Vemt%1").arg(++m_nNewDocuments);
    auto* child = new CChildFrame(m_app, std::make_unique<CVemtDoc>(&m_app), title);
    child->View()->SetStatusPanes(m_pCoordinate, m_pScreenNo);
    QMdiSubWindow* sub = m_pMdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->move(0, 0);
    sub->show();
    UpdateTitle();
    return child;
}

void CMainFrame::OnSendFile()
{
    CChildFrame* child = ActiveChild();
    if (!child || child->Document().GetUsedHeight() == 0) return;
    CSendFileRunner::Run(this, m_app, m_profile, child->Document());
}

CChildFrame* CMainFrame::ActiveChild() const
{
    QMdiSubWindow* active = m_pMdiArea->currentSubWindow();
    return active ? qobject_cast<CChildFrame*>(active->widget()) : nullptr;
}

void CMainFrame::UpdateTitle()
{
    QMdiSubWindow* active = m_pMdiArea->currentSubWindow();
    if (!active) {
        setWindowTitle(QStringLiteral("Vemt"));
        return;
    }
    setWindowTitle(QStringLiteral("Vemt - %1").arg(active->widget()->windowTitle()));
}
