#include "editor/CMainFrame.h"

#include "app/CVemtApp.h"
#include "comm/ui/CSendFileRunner.h"
#include "comm/ui/CVirtualSignWindow.h"
#include "app/EditorProfile.h"
#include "app/EditorState.h"
#include "document/CDocumentFiles.h"
#include "document/CDrawFont.h"
#include "editor/CTextEntryDlg.h"
#include "raster/CRasterDC.h"
#include "text/CFontCatalogue.h"
#include "document/CVemtDoc.h"
#include "document/ui/CQtFileDialogs.h"
#include "editor/CChildFrame.h"
#include "editor/CVemtView.h"
#include "editor/MenuCommands.h"
#include "programme/ui/ProgrammeCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QPushButton>
#include <QToolBar>

#include <algorithm>
#include <QCloseEvent>
#include <QFileInfo>
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
    m_recent.Load(profile);
    setCentralWidget(m_pMdiArea);
    BuildMenus();
    BuildStatusBar();
    BuildDrawTools();
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
    QAction* open = add(file, "Open(&O)...", true);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, &CMainFrame::OnFileOpen);
    QAction* clear = add(file, "Clear(&C)", true);
    connect(clear, &QAction::triggered, this, [this] {
        if (CChildFrame* child = ActiveChild()) {
            child->Files().ClearDocument(true);
            child->UpdateTitle();
        }
    });
    QAction* save = add(file, "Save(&S)", true);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, [this] {
        if (CChildFrame* child = ActiveChild()) {
            child->Files().SaveDoc();
            child->UpdateTitle();
        }
    });
    QAction* saveAs = add(file, "Save as(&A)...", true);
    connect(saveAs, &QAction::triggered, this, [this] {
        if (CChildFrame* child = ActiveChild()) {
            child->Files().SaveDocAs();
            child->UpdateTitle();
        }
    });
    file->addSeparator();
    add(file, "Import...");
    add(file, "Export...");
    file->addSeparator();
    m_pRecentMenu = file->addMenu(QStringLiteral("Recent file"));
    file->addSeparator();
    QAction* exitAction = add(file, "Exit(&X)", true);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    connect(file, &QMenu::aboutToShow, this, [clear, save, saveAs, this] {
        const bool any = ActiveChild() != nullptr;
        clear->setEnabled(any);
        save->setEnabled(any);
        saveAs->setEnabled(any);
    });
    RebuildRecentMenu();

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
    add(send, "Send file");
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
    add(view, "Virtual sign");

    InstallCommands();
}

void CMainFrame::InstallCommands()
{
    // Each subsystem wires its own items by their menu texts (see MenuCommands.h).
    QMenuBar* bar = menuBar();
    WireMenuCommand(bar, QStringLiteral("Send file"), [this] { OnSendFile(); }, [this] {
        // Only a document with something on it can be sent.
        CChildFrame* child = ActiveChild();
        return child && child->Document().GetUsedHeight() != 0;
    });
    WireMenuCommand(bar, QStringLiteral("Virtual sign"), [this] { ShowVirtualSignWindow(this); });
    InstallProgrammeCommands(*this, m_app, m_profile);
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pCoordinate = AddPane(bar, QStringLiteral("Coordinate"), 115);
    m_pDragSize = AddPane(bar, QStringLiteral("Drag size"), 115);
    m_pScreenNo = AddPane(bar, QStringLiteral("Screen No."), 100);
}

CChildFrame* CMainFrame::AddDocumentWindow(const QString& frameworkTitle)
{
    auto* child = new CChildFrame(m_app, std::make_unique<CVemtDoc>(&m_app), frameworkTitle);
    child->View()->SetStatusPanes(m_pCoordinate, m_pScreenNo);
    connect(child->View(), &CVemtView::NewTextAt, this, &CMainFrame::OnNewTextAt);
    connect(child->View(), &CVemtView::EditText, this, &CMainFrame::OnEditText);
    // A canvas window reads the text defaults and the row-spacing rules when it is made,
    // and keeps the row-spacing rules when it goes.
    LoadTextDefaults(m_profile);
    LoadRowPitchSettings(m_profile);
    connect(child, &QObject::destroyed, this, [this] { SaveRowPitchSettings(m_profile); });
    child->Files().m_fnAddToRecent = [this](const std::string& path) { AddToRecent(path); };
    connect(child, &CChildFrame::TitleChanged, this, &CMainFrame::UpdateTitle);
    QMdiSubWindow* sub = m_pMdiArea->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->installEventFilter(child);
    sub->move(0, 0);
    sub->show();
    m_pMdiArea->setActiveSubWindow(sub);
    UpdateTitle();
    return child;
}

CChildFrame* CMainFrame::NewDocumentWindow()
{
    return AddDocumentWindow(QStringLiteral("Vemt%1").arg(++m_nNewDocuments));
}

CChildFrame* CMainFrame::OpenDocumentWindow(const QString& path)
{
    // Opened by the program itself (command line, recent files, no window to open into):
    // a window opens whatever the file holds, and says what was wrong with it.
    CChildFrame* child = AddDocumentWindow(QFileInfo(path).fileName());
    child->Files().OnOpenDocument(path.toStdString());
    child->View()->RenderCanvas();
    child->UpdateTitle();
    return child;
}

void CMainFrame::OnFileOpen()
{
    if (CChildFrame* child = ActiveChild()) {
        child->Files().OpenDocCmd();
        child->UpdateTitle();
        return;
    }
    CQtFileDialogs dialogs(this);
    if (const auto path = dialogs.GetOpenPath(CDocumentFiles::OpenDialogParams()))
        OpenDocumentWindow(QString::fromStdString(*path));
}

void CMainFrame::AddToRecent(const std::string& path)
{
    m_recent.Add(path);
    m_recent.Save(m_profile);
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu()
{
    m_pRecentMenu->clear();
    int n = 0;
    for (const std::string& path : m_recent.Entries()) {
        const QString text = QStringLiteral("&%1 %2").arg(++n).arg(QString::fromStdString(path));
        QAction* a = m_pRecentMenu->addAction(text);
        connect(a, &QAction::triggered, this, [this, path] {
            if (CChildFrame* child = ActiveChild()) {
                child->Files().LoadFromPath(path);
                child->UpdateTitle();
            } else {
                OpenDocumentWindow(QString::fromStdString(path));
            }
        });
    }
    m_pRecentMenu->setEnabled(n > 0);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Every changed document is asked about; Cancel keeps the program running.
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(sub->widget());
        if (child && !child->Files().SaveModified()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void CMainFrame::BuildDrawTools()
{
    QToolBar* tools = new QToolBar(QStringLiteral("Draw Tools"), this);
    tools->setObjectName(QStringLiteral("DrawTools"));
    addToolBar(Qt::LeftToolBarArea, tools);
    auto* group = new QActionGroup(this);
    m_pSelectTool = tools->addAction(QStringLiteral("Select"));
    m_pCharacterTool = tools->addAction(QStringLiteral("Character"));
    for (QAction* a : {m_pSelectTool, m_pCharacterTool}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    m_pSelectTool->setChecked(true);
    connect(m_pSelectTool, &QAction::triggered, this, [this] { SetDrawMode(kDrawModeSelect, kToolSelect); });
    connect(m_pCharacterTool, &QAction::triggered, this,
            [this] { SetDrawMode(kDrawModeCharacter, kToolCharacter); });
}

void CMainFrame::SetDrawMode(int mode, int toolShape)
{
    g_nDrawMode = mode;
    g_nToolShape = toolShape;
    m_pSelectTool->setChecked(mode == kDrawModeSelect);
    m_pCharacterTool->setChecked(mode == kDrawModeCharacter);
}

CTextEntryDlg* CMainFrame::TextEntry()
{
    if (!m_pTextEntry) {
        m_pTextEntry = new CTextEntryDlg(m_app.m_nTPWidth, CFontCatalogue::Enumerate(), this);
        connect(m_pTextEntry, &CTextEntryDlg::TextAccepted, this, &CMainFrame::OnTextAccepted);
        connect(m_pTextEntry, &CTextEntryDlg::TextCancelled, this, &CMainFrame::OnTextCancelled);
    }
    return m_pTextEntry;
}

CChildFrame* CMainFrame::ChildOf(const CDrawObj* obj) const
{
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList()) {
        auto* child = qobject_cast<CChildFrame*>(sub->widget());
        if (!child) continue;
        const auto& objects = child->Document().m_objects;
        if (std::find(objects.begin(), objects.end(), obj) != objects.end()) return child;
    }
    return nullptr;
}

void CMainFrame::OnNewTextAt(CVemtView* view, CPoint dot)
{
    // A text being typed elsewhere ends first, as if cancelled.
    if (m_pTextEntry && m_pTextEntry->isVisible()) m_pTextEntry->CancelButton()->click();
    auto* text = new CDrawFont(CRect(dot.x, dot.y, dot.x + 20, dot.y + 20), g_crForeground, g_crBackground);
    text->ApplyTextDefaults();
    view->GetDocument().AddObj(text);
    TextEntry()->BeginNewText(text);
}

void CMainFrame::OnEditText(CVemtView*, CDrawObj* obj)
{
    if (auto* text = dynamic_cast<CDrawFont*>(obj)) TextEntry()->BeginEdit(text);
}

void CMainFrame::OnTextAccepted(CDrawFont* text)
{
    CChildFrame* child = ChildOf(text);
    if (!child) return;
    CVemtDoc& doc = child->Document();
    if (text->m_nTextSize != 0) {
        // Drawn once to measure it; its rectangle then holds the text. Lines moved down
        // to the next screen or centred on a small sign end below top + measured height,
        // and the box reaches down to them: a box of the measured height alone would clip
        // them away.
        CRasterSurface scratch(m_app.m_nTPWidth, m_app.m_nTPHeight * m_app.m_nTotalScreen);
        CRasterDC dc(scratch);
        text->Draw(dc, nullptr);
        const CRect r = text->m_rcPosition;
        const int bottom = std::max(r.top + text->m_nTextHeight, text->m_nDrawnBottom);
        text->m_rcPosition = CRect(r.left, r.top, r.left + text->m_nTextWidth, bottom);
        doc.SetModifiedFlag(true);
    } else {
        doc.RemoveObj(text);
        delete text;
    }
    child->View()->RenderCanvas();
    SetDrawMode(kDrawModeSelect, kToolSelect);
    SaveTextDefaults(m_profile);
}

void CMainFrame::OnTextCancelled(CDrawFont* text)
{
    CChildFrame* child = ChildOf(text);
    if (child && text->m_nTextSize == 0) {
        child->Document().RemoveObj(text);
        delete text;
    }
    if (child) child->View()->RenderCanvas();
    SetDrawMode(kDrawModeSelect, kToolSelect);
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
