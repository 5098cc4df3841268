#include "app/ui/CVemtStartup.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "app/IMessageSink.h"
#include "app/ui/CSignParamDlg.h"
#include "editor/CMainFrame.h"
#include "editor/autosave/CAutosave.h"
#include "text/CCodePage.h"

#include <QGuiApplication>
#include <QScreen>

CVemtStartup::CVemtStartup(CVemtApp& app, IProfile& profile, IMessageSink& messages,
                           std::string vemtIniPath)
    : m_app(app), m_profile(profile), m_messages(messages), m_szVemtIniPath(std::move(vemtIniPath))
{
}

CVemtStartup::~CVemtStartup() = default;

bool CVemtStartup::InitInstance(const QStringList& documents)
{
    ResetEditorState();
    CCodePage::LoadAnsiCodePage(m_profile);
    m_app.LoadTimingSendList(m_profile);

    {
        CSignParamDlg dialog(m_app, m_profile, m_messages, m_szVemtIniPath);
        if (m_dialogHook) m_dialogHook(dialog);
        if (dialog.exec() != QDialog::Accepted) return false;
        dialog.Form().CopyInto(m_app);
    }

    m_app.LoadSendOption(m_profile);

    m_pMainFrame = std::make_unique<CMainFrame>(m_app, m_profile);
    // What a crash left behind is offered before the first window opens.
    const int restored = StartAutosave(*m_pMainFrame, m_app, m_messages);
    if (documents.isEmpty() && restored == 0) m_pMainFrame->NewDocumentWindow();
    for (const QString& path : documents) m_pMainFrame->OpenDocumentWindow(path);
    // Without a window manager (a kiosk, a bare X server) maximising does nothing, so
    // the window is given the work area first.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_pMainFrame->setGeometry(screen->availableGeometry());
    m_pMainFrame->showMaximized();
    return true;
}

void CVemtStartup::ExitInstance()
{
    m_pMainFrame.reset();
    m_app.Release();
}
