#include "editor/CMainFrame.h"

#include "app/CVemtApp.h"
#include "app/EditorProfile.h"
#include "app/EditorState.h"
#include "comm/ui/CSendFileRunner.h"
#include "comm/ui/CVirtualSignWindow.h"
#include "comm/ui/TimingSendCommands.h"
#include "document/CDocumentFiles.h"
#include "document/CDrawFont.h"
#include "document/CVemtDoc.h"
#include "document/ui/CQtFileDialogs.h"
#include "editor/CAboutBoxDlg.h"
#include "editor/CChildFrame.h"
#include "editor/CColumnToolBar.h"
#include "editor/CPaletteBar.h"
#include "editor/CTextEntryDlg.h"
#include "editor/CToolOptionWnd.h"
#include "editor/CVemtView.h"
#include "editor/DeviceMenuCommands.h"
#include "editor/DrawToolCommands.h"
#include "editor/DrawModeChange.h"
#include "editor/MenuCommands.h"
#include "editor/clipboard/ClipboardCommands.h"
#include "programme/ui/ProgrammeCommands.h"
#include "raster/CRasterDC.h"
#include "text/CFontCatalogue.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

// The draw toolbar in its order: position i is drawing mode i.
struct DrawToolEntry {
    int id;
    const char* name;
    const char* icon;
    int toolShape;   // -1: no tool
    bool enabled;    // its tool exists now
};
constexpr DrawToolEntry kDrawTools[14] = {
    {61447, "Eraser", "eraser", -1, false},
    {61448, "Pen", "pen", 7, false},
    {61449, "Select", "select", 0, true},
    {61550, "Brush", "brush", -1, false},
    {61551, "Character", "character", 10, true},
    {61552, "Fill", "fill", 13, false},
    {61553, "Line", "line", 1, false},
    {61554, "Eye Drop", "eyedrop", 11, false},
    {61555, "Zoom", "zoom", 12, true},
    {61556, "Rectangle", "rectangle", 2, false},
    {61557, "Round rectangle", "roundrect", 3, false},
    {61558, "Oval", "oval", 4, false},
    {61559, "PolyLine", "polyline", 5, false},
    {61560, "Arc", "arc", 6, false},
};

// The align toolbar's 16 places; a null name is a separator.
struct AlignToolEntry {
    int id;
    const char* name;
    const char* icon;
};
constexpr AlignToolEntry kAlignTools[16] = {
    {61565, "Align Left", "align-left"},
    {61566, "Align Right", "align-right"},
    {61567, "Align Top", "align-top"},
    {61568, "Align Bottom", "align-bottom"},
    {0, nullptr, nullptr},
    {61572, "Center Vertical", "center-vertical"},
    {61573, "Center Horizontal", "center-horizontal"},
    {0, nullptr, nullptr},
    {61575, "Space Across", "space-across"},
    {61574, "Space Down", "space-down"},
    {0, nullptr, nullptr},
    {61569, "Make Same Width", "same-width"},
    {61570, "Make Same Height", "same-height"},
    {61571, "Make Same Size", "same-size"},
    {0, nullptr, nullptr},
    {61576, "Specify Position", "position"},
};

QLabel* AddPane(QStatusBar* bar, const QString& indicator, int width, const QString& widest)
{
    auto* pane = new QLabel(indicator, bar);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // As wide as the layout asks, and never so narrow that the longest text is cut.
    const int needed = pane->fontMetrics().horizontalAdvance(widest) + 2 * pane->frameWidth() + 8;
    pane->setFixedWidth(std::max(width, needed));
    pane->setAccessibleName(indicator);
    bar->addPermanentWidget(pane);
    return pane;
}

QIcon ToolIcon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name)));
}

}  // namespace

CMainFrame::CMainFrame(CVemtApp& app, IProfile& profile, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_profile(profile), m_pMdiArea(new QMdiArea(this))
{
    m_recent.Load(profile);
    setCentralWidget(m_pMdiArea);
    setDockOptions(QMainWindow::AnimatedDocks);
    setAcceptDrops(true);
    BuildStatusBar();
    BuildPalette();
    BuildDrawTools();
    BuildAlignTools();
    m_pToolOptions = new CToolOptionWnd(this);
    connect(m_pToolOptions, &CToolOptionWnd::ZoomPicked, this, &CMainFrame::OnZoomPicked);
    m_pRefresh = new QTimer(this);
    BuildMenus();
    AddDrawModeListener(this, [this] {
        RefreshDrawToolChecks();
        // The options open beside the draw tools, below the last button.
        if (!m_pToolOptions->isVisible() && !CToolOptionWnd::CaptionForMode(g_nDrawMode).isEmpty())
            m_pToolOptions->move(m_pDrawTools->Places()->mapToGlobal(QPoint(4, m_pDrawTools->Places()->height() + 8)));
        m_pToolOptions->ShowForMode(g_nDrawMode);
    });
    RefreshDrawToolChecks();
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    // Enabling follows the selection and the active document, as it would on idle.
    m_pRefresh->setInterval(250);
    connect(m_pRefresh, &QTimer::timeout, this, &CMainFrame::RefreshCommands);
    m_pRefresh->start();
    UpdateTitle();
}

void CMainFrame::BuildMenus()
{
    // Items whose feature arrives with another part of the program are shown disabled
    // until it wires them (MenuCommands.h).
    auto add = [](QMenu* menu, const char* text, const QString& prompt = {}, QKeySequence key = {}) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setEnabled(false);
        if (!prompt.isEmpty()) a->setStatusTip(prompt);
        if (!key.isEmpty()) a->setShortcut(key);
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    add(file, "Open(&O)...", QStringLiteral("Open an existing document"), QKeySequence(Qt::CTRL | Qt::Key_O));
    add(file, "Clear(&C)", QStringLiteral("Clear the whole canvas"));
    add(file, "Save(&S)", QStringLiteral("Save the active document"), QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, "Save as(&A)...", QStringLiteral("Save the active document with a new name"));
    file->addSeparator();
    add(file, "Import...", QStringLiteral("Open *.Bmp file"));
    add(file, "Export...", QStringLiteral("Save as *.bmp file"));
    file->addSeparator();
    m_pRecentMenu = file->addMenu(QStringLiteral("Recent file"));
    file->addSeparator();
    add(file, "Exit(&X)", QStringLiteral("Quit the application; prompts to save documents"));
    RebuildRecentMenu();

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit(&E)"));
    add(edit, "Undo(&U)", QStringLiteral("Undo the last action"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit->addSeparator();
    add(edit, "Cut(&T)", QStringLiteral("Cut the selection and put it on the Clipboard"),
        QKeySequence(Qt::CTRL | Qt::Key_X));
    add(edit, "Copy(&C)", QStringLiteral("Copy the selection and put it on the Clipboard"),
        QKeySequence(Qt::CTRL | Qt::Key_C));
    add(edit, "Paste(&P)", QStringLiteral("Insert Clipboard contents"), QKeySequence(Qt::CTRL | Qt::Key_V));
    edit->addSeparator();
    add(edit, "Select &All", QStringLiteral("Select all objects"), QKeySequence(Qt::CTRL | Qt::Key_A));
    add(edit, "&Delete", QStringLiteral("Delete the selection"), QKeySequence(Qt::Key_Delete));

    QMenu* send = menuBar()->addMenu(QStringLiteral("Send(&S)"));
    add(send, "Send file", QStringLiteral("Send the document to the moving signs"));
    add(send, "Set Moving Method...", QStringLiteral("Set the method of move in,move out and append etc."));
    add(send, "Adjust Time", QStringLiteral("Set the clock of the moving signs"));
    send->addSeparator();
    add(send, "Open Lextrel", QStringLiteral("Switch the moving signs on"));
    add(send, "Close Lextrel", QStringLiteral("Switch the moving signs off"));
    send->addSeparator();
    add(send, "Display Lextrel Address", QStringLiteral("Let the moving signs show their addresses"));
    add(send, "Close display Lextrel Address", QStringLiteral("Let the moving signs hide their addresses"));
    send->addSeparator();
    add(send, "Set the address of Lextrel", QStringLiteral("Specify the address of LED Lextrel"));
    send->addSeparator();
    add(send, "Timer", QStringLiteral("Program the on/off timer of the moving signs"));
    send->addSeparator();
    add(send, "Test");

    QMenu* view = menuBar()->addMenu(QStringLiteral("View(&V)"));
    add(view, "StatusBar(&S)", QStringLiteral("Show or hide the status bar"))->setCheckable(true);
    view->addSeparator();
    add(view, "Grid", QStringLiteral("Show or hide the dot grid"), QKeySequence(Qt::CTRL | Qt::Key_G))->setCheckable(true);
    add(view, "Seperate Line", QStringLiteral("Show or hide the lines between screens"),
        QKeySequence(Qt::CTRL | Qt::Key_L))->setCheckable(true);
    view->addSeparator();
    add(view, "Palette Tool", QStringLiteral("Show or hide the palette"), QKeySequence(Qt::CTRL | Qt::Key_P))
        ->setCheckable(true);
    add(view, "Draw Tool", QStringLiteral("Show or hide the draw tools"), QKeySequence(Qt::CTRL | Qt::Key_D))
        ->setCheckable(true);
    add(view, "Align Tool", QStringLiteral("Show or hide the align tools"), QKeySequence(Qt::CTRL | Qt::Key_T))
        ->setCheckable(true);
    view->addSeparator();
    add(view, "Preview...", QStringLiteral("Simulate the display in Moving-Sign"));
    // Items this program adds go after the ones every user knows.
    view->addSeparator();
    add(view, "Virtual sign", QStringLiteral("Show what the built-in sign displays"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    add(help, "About LED Lextrel...", QStringLiteral("Display program information, version number and copyright"));

    // Esc has no menu item: it cancels in the active canvas.
    m_pCancel = new QAction(QStringLiteral("Cancel"), this);
    m_pCancel->setShortcut(QKeySequence(Qt::Key_Escape));
    m_pCancel->setEnabled(false);
    addAction(m_pCancel);

    InstallCommands();
}

void CMainFrame::InstallEditorCommands()
{
    QMenuBar* bar = menuBar();
    auto hasChild = [this] { return ActiveChild() != nullptr; };
    auto view = [this]() -> CVemtView* {
        CChildFrame* child = ActiveChild();
        return child ? child->View() : nullptr;
    };

    WireMenuCommand(bar, QStringLiteral("Open(&O)..."), [this] { OnFileOpen(); });
    WireMenuCommand(bar, QStringLiteral("Clear(&C)"), [this] {
        CChildFrame* child = ActiveChild();
        if (!child) return;
        if (child->Files().ClearDocument(false)) child->View()->OnDocumentCleared();
        child->UpdateTitle();
    }, hasChild);
    WireMenuCommand(bar, QStringLiteral("Save(&S)"), [this] {
        if (CChildFrame* child = ActiveChild()) {
            child->Files().SaveDoc();
            child->UpdateTitle();
        }
    }, hasChild);
    WireMenuCommand(bar, QStringLiteral("Save as(&A)..."), [this] {
        if (CChildFrame* child = ActiveChild()) {
            child->Files().SaveDocAs();
            child->UpdateTitle();
        }
    }, hasChild);
    WireMenuCommand(bar, QStringLiteral("Exit(&X)"), [this] { close(); });

    WireMenuCommand(bar, QStringLiteral("Select &All"), [view] { if (CVemtView* v = view()) v->OnEditSelectAll(); },
                    [view] { CVemtView* v = view(); return v && v->CanSelectAll(); });
    WireMenuCommand(bar, QStringLiteral("&Delete"), [view] { if (CVemtView* v = view()) v->OnEditDelete(); },
                    [view] { CVemtView* v = view(); return v && !v->Selection().IsEmpty(); });
    WireAction(m_pCancel, [view] { if (CVemtView* v = view()) v->OnCancel(); }, hasChild);

    QAction* statusBarItem = WireMenuCommand(bar, QStringLiteral("StatusBar(&S)"), [this] {
        statusBar()->setVisible(!statusBar()->isVisible());
    });
    QAction* grid = WireMenuCommand(bar, QStringLiteral("Grid"), [view] { if (CVemtView* v = view()) v->ToggleGrid(); },
                                    [view] {
                                        CVemtView* v = view();
                                        // Below a factor of 6 the grid is off and cannot be had.
                                        if (v && !v->CanShowGrid()) v->m_bGrid = false;
                                        return v && v->CanShowGrid();
                                    });
    QAction* separate = WireMenuCommand(bar, QStringLiteral("Seperate Line"),
                                        [view] { if (CVemtView* v = view()) v->ToggleSeparateLine(); }, hasChild);
    auto toggle = [this, bar](const char* text, QWidget* bar2) {
        return WireMenuCommand(bar, QString::fromUtf8(text), [bar2] { bar2->setVisible(!bar2->isVisible()); });
    };
    QAction* paletteItem = toggle("Palette Tool", m_pPaletteBar);
    QAction* drawItem = toggle("Draw Tool", m_pDrawTools);
    QAction* alignItem = toggle("Align Tool", m_pAlignTools);
    // The check marks follow what they show.
    auto checks = [=, this] {
        statusBarItem->setChecked(statusBar()->isVisible());
        CVemtView* v = view();
        grid->setChecked(v && v->m_bGrid);
        separate->setChecked(v && v->m_bSeparateLine);
        paletteItem->setChecked(m_pPaletteBar->isVisible());
        drawItem->setChecked(m_pDrawTools->isVisible());
        alignItem->setChecked(m_pAlignTools->isVisible());
    };
    connect(FindMenu(bar, QStringLiteral("View(&V)")), &QMenu::aboutToShow, this, checks);
    connect(m_pRefresh, &QTimer::timeout, this, checks);
    for (QWidget* w : {static_cast<QWidget*>(m_pPaletteBar), static_cast<QWidget*>(m_pDrawTools),
                       static_cast<QWidget*>(m_pAlignTools)})
        connect(static_cast<QToolBar*>(w), &QToolBar::visibilityChanged, this, checks);

    WireMenuCommand(bar, QStringLiteral("About LED Lextrel..."), [this] { ShowAbout(); });
    for (int mode = 0; mode < 14; ++mode) {
        const DrawToolEntry& t = kDrawTools[mode];
        connect(m_aDrawTools[mode], &QAction::triggered, this, [mode, t] { SetDrawMode(mode, t.toolShape); });
    }
}

void CMainFrame::InstallCommands()
{
    // Each subsystem wires its own items by their menu texts (see MenuCommands.h).
    QMenuBar* bar = menuBar();
    InstallEditorCommands();
    WireMenuCommand(bar, QStringLiteral("Send file"), [this] { OnSendFile(); }, [this] {
        // Only a document with something on it can be sent.
        CChildFrame* child = ActiveChild();
        return child && child->Document().GetUsedHeight() != 0;
    });
    WireMenuCommand(bar, QStringLiteral("Virtual sign"), [this] { ShowVirtualSignWindow(this); });
    InstallProgrammeCommands(*this, m_app, m_profile);
    InstallDeviceCommands(*this, m_app, m_profile);
    InstallTimingSendCommands(*this, m_app, m_profile);
    InstallDrawToolCommands(*this);
    InstallClipboardCommands(*this);
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pCoordinate = AddPane(bar, QStringLiteral("Coordinate"), 115, QStringLiteral("(x=-8888,y=-8888)"));
    m_pDragSize = AddPane(bar, QStringLiteral("Drag size"), 115, QStringLiteral("(cx=8888,cy=8888)"));
    m_pScreenNo = AddPane(bar, QStringLiteral("Screen No."), 100, QStringLiteral("The 888th Screen"));
}

void CMainFrame::BuildPalette()
{
    m_pPaletteBar = new CPaletteBar(m_app.m_nColorCount, this);
    addToolBar(Qt::BottomToolBarArea, m_pPaletteBar);
    connect(m_pPaletteBar->Palette(), &CPaletteWidget::ColourPicked, this, &CMainFrame::OnColourPicked);
}

void CMainFrame::BuildDrawTools()
{
    m_pDrawTools = new CColumnToolBar(QStringLiteral("Draw Tools"), this);
    m_pDrawTools->setObjectName(QStringLiteral("DrawTools"));
    m_pDrawTools->setAllowedAreas(Qt::LeftToolBarArea | Qt::RightToolBarArea);
    m_pDrawTools->SetColumns(2);
    for (int mode = 0; mode < 14; ++mode) {
        const DrawToolEntry& t = kDrawTools[mode];
        auto* a = new QAction(ToolIcon(t.icon), QString::fromLatin1(t.name), this);
        a->setObjectName(QString::fromLatin1(t.name));
        a->setToolTip(QString::fromLatin1(t.name));
        a->setStatusTip(QString::fromLatin1(t.name));
        a->setCheckable(true);
        a->setEnabled(t.enabled);
        m_aDrawTools[mode] = a;
        m_pDrawTools->AddButton(a);
    }
    addToolBar(Qt::LeftToolBarArea, m_pDrawTools);
}

void CMainFrame::BuildAlignTools()
{
    m_pAlignTools = new CColumnToolBar(QStringLiteral("Align Tools"), this);
    m_pAlignTools->setObjectName(QStringLiteral("AlignTools"));
    m_pAlignTools->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_pAlignTools->SetColumns(16);
    for (const AlignToolEntry& t : kAlignTools) {
        if (!t.name) {
            m_pAlignTools->AddSeparatorPlace();
            continue;
        }
        auto* a = new QAction(ToolIcon(t.icon), QString::fromLatin1(t.name), this);
        a->setObjectName(QString::fromLatin1(t.name));
        a->setToolTip(QString::fromLatin1(t.name));
        a->setStatusTip(QString::fromLatin1(t.name));
        a->setEnabled(false);
        m_pAlignTools->AddButton(a);
    }
    addToolBar(Qt::TopToolBarArea, m_pAlignTools);
}

QAction* CMainFrame::DrawToolAction(int mode) const
{
    return mode >= 0 && mode < 14 ? m_aDrawTools[mode] : nullptr;
}

QAction* CMainFrame::ToolAction(const QString& name) const
{
    for (QAction* a : findChildren<QAction*>(name, Qt::FindDirectChildrenOnly))
        if (a->toolTip() == name) return a;
    return nullptr;
}

void CMainFrame::RefreshDrawToolChecks()
{
    for (int mode = 0; mode < 14; ++mode) m_aDrawTools[mode]->setChecked(mode == g_nDrawMode);
}

void CMainFrame::RefreshCommands()
{
    RefreshCommandStates();
}

void CMainFrame::OnZoomPicked(int level)
{
    g_nPrevZoomIndex = g_nZoomIndex;
    g_nZoomIndex = level;
    // Every window shows the one zoom of the editor.
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(sub->widget())) child->View()->OnZoomChanged();
    ReturnToSelectMode();
}

void CMainFrame::OnColourPicked()
{
    if (m_pTextEntry && m_pTextEntry->isVisible() && m_pTextEntry->m_pTextObj) {
        m_pTextEntry->m_pTextObj->m_crLine = g_crForeground;
        m_pTextEntry->m_pTextObj->m_crFill = g_crBackground;
        m_pTextEntry->update();
    }
    if (CChildFrame* child = ActiveChild()) child->View()->ApplyColoursToSelection(g_crForeground, g_crBackground);
}

void CMainFrame::ShowAbout()
{
    CAboutBoxDlg dlg(this);
    dlg.exec();
}

CChildFrame* CMainFrame::AddDocumentWindow(const QString& frameworkTitle)
{
    auto* child = new CChildFrame(m_app, std::make_unique<CVemtDoc>(&m_app), frameworkTitle);
    CVemtView* view = child->View();
    view->SetStatusPanes(m_pCoordinate, m_pDragSize, m_pScreenNo);
    connect(view, &CVemtView::NewTextAt, this, &CMainFrame::OnNewTextAt);
    connect(view, &CVemtView::EditText, this, &CMainFrame::OnEditText);
    connect(view, &CVemtView::SelectionChanged, this, &CMainFrame::RefreshCommands);
    // A canvas window reads the text defaults and the row-spacing rules when it is made,
    // and keeps the row-spacing rules when it goes.
    LoadTextDefaults(m_profile);
    LoadRowPitchSettings(m_profile);
    connect(child, &QObject::destroyed, this, [this] { SaveRowPitchSettings(m_profile); });
    child->Files().m_fnAddToRecent = [this](const std::string& path) { AddToRecent(path); };
    connect(child, &CChildFrame::TitleChanged, this, &CMainFrame::UpdateTitle);
    // No caption or border: the window is the canvas, at the top-left of the client area.
    QMdiSubWindow* sub = m_pMdiArea->addSubWindow(child, Qt::FramelessWindowHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->installEventFilter(child);
    sub->setContentsMargins(0, 0, 0, 0);
    sub->resize(child->size());
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
    // Opened by the program itself (command line, recent files, a dropped file): a window
    // opens whatever the file holds, and says what was wrong with it. It is titled like a
    // new document until the file has been taken.
    CChildFrame* child = AddDocumentWindow(QStringLiteral("Vemt%1").arg(++m_nNewDocuments));
    child->Files().OnOpenDocument(path.toStdString());
    child->View()->OnDocumentCleared();
    child->UpdateTitle();
    return child;
}

void CMainFrame::OnFileOpen()
{
    if (CChildFrame* child = ActiveChild()) {
        child->Files().OpenDocCmd();
        child->View()->OnDocumentCleared();
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
                child->View()->OnDocumentCleared();
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
    m_pToolOptions->hide();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); }))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    // A file dropped on the window opens as the shell would open it.
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) OpenDocumentWindow(url.toLocalFile());
    event->acceptProposedAction();
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
    g_rcUpdate.SetRectEmpty();
    child->View()->RenderCanvas();
    ReturnToSelectMode();
    SaveTextDefaults(m_profile);
}

void CMainFrame::OnTextCancelled(CDrawFont* text)
{
    CChildFrame* child = ChildOf(text);
    if (child && text->m_nTextSize == 0) {
        child->Document().RemoveObj(text);
        delete text;
    }
    g_rcUpdate.SetRectEmpty();
    if (child) child->View()->RenderCanvas();
    ReturnToSelectMode();
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
    if (!active) {
        // Without a focused window the last document window still takes the commands.
        const auto windows = m_pMdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        if (windows.isEmpty()) return nullptr;
        active = windows.last();
    }
    return qobject_cast<CChildFrame*>(active->widget());
}

void CMainFrame::OnSubWindowActivated()
{
    CChildFrame* active = ActiveChild();
    for (QMdiSubWindow* sub : m_pMdiArea->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(sub->widget())) child->View()->SetActive(child == active);
    UpdateTitle();
    RefreshCommands();
}

void CMainFrame::UpdateTitle()
{
    CChildFrame* active = ActiveChild();
    if (!active) {
        setWindowTitle(QStringLiteral("Vemt"));
        return;
    }
    setWindowTitle(QStringLiteral("Vemt - %1").arg(active->windowTitle()));
}
