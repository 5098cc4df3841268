#include "comm/ui/TimingSendCommands.h"

#include "app/CVemtApp.h"
#include "app/ui/CQtMessageSink.h"
#include "comm/CommTexts.h"
#include "comm/ui/CTimingSendController.h"
#include "comm/ui/CTimingSendDlg.h"
#include "comm/ui/ITimingDocuments.h"
#include "document/CDocumentFiles.h"
#include "document/CVemtDoc.h"
#include "document/ui/CQtFileDialogs.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/MenuCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// The main frame's active document window is the document timed sending works on.
class CFrameDocuments : public ITimingDocuments {
public:
    CFrameDocuments(CMainFrame& frame, CVemtApp& app) : m_frame(frame), m_app(app) {}

    std::string CurrentPath() const override
    {
        const CChildFrame* child = m_frame.ActiveChild();
        return child ? child->Files().GetPathName() : std::string();
    }

    bool OpenTimingFile(const std::string& path, IMessageSink& messages) override
    {
        CChildFrame* child = m_frame.ActiveChild();
        if (!child) child = m_frame.NewDocumentWindow();
        // Opened with the worker's messages (they go to the log, the wrong-signature one
        // included); the window's own document files then take the new path.
        CQtFileDialogs dialogs(&m_frame);
        CDocumentFiles files(child->Document(), m_app, messages, dialogs);
        const bool ok = files.LoadFromPath(path);
        child->Files().SetPathName(files.GetPathName(), ok);
        child->UpdateTitle();
        return ok;
    }

    const CVemtDoc* CurrentDocument() const override
    {
        const CChildFrame* child = m_frame.ActiveChild();
        return child ? &child->Document() : nullptr;
    }

    void RestoreDocument(const std::string& path) override
    {
        CChildFrame* child = m_frame.ActiveChild();
        if (!child) {
            if (path.empty()) m_frame.NewDocumentWindow();
            else m_frame.OpenDocumentWindow(QString::fromStdString(path));
            return;
        }
        if (path.empty()) child->Files().ClearDocument(true);
        else child->Files().LoadFromPath(path);
        child->UpdateTitle();
    }

private:
    CMainFrame& m_frame;
    CVemtApp& m_app;
};

// Owns what the command needs for the frame's lifetime.
class CTimingSendCommand : public QObject {
public:
    CTimingSendCommand(CMainFrame& frame, CVemtApp& app, IProfile& profile)
        : QObject(&frame), m_frame(frame), m_app(app), m_profile(profile), m_documents(frame, app),
          m_pController(new CTimingSendController(app, profile, m_documents, this))
    {
        m_pController->setObjectName(QStringLiteral("TimingSendController"));
    }
    ~CTimingSendCommand() override { delete m_pController; }

    void Run()
    {
        CQtMessageSink messages(&m_frame);
        // The schedule sends files, so what is on the screen must be one first.
        if (CChildFrame* child = m_frame.ActiveChild(); child && child->Document().IsModified()) {
            const MessageAnswer answer = messages.ShowMessage(CommTexts::kTimingMustSave, CommTexts::kTimingMustSaveCaption,
                                                              MessageButtons::YesNo, MessageIcon::Question);
            if (answer != MessageAnswer::Yes) return;
            const bool saved = child->Files().SaveDoc();
            child->UpdateTitle();
            if (!saved) return;
        }
        CQtFileDialogs dialogs(&m_frame);
        CTimingSendDlg dlg(m_app, m_profile, messages, dialogs, &m_frame);
        if (dlg.exec() == QDialog::Accepted) m_pController->StartTiming();
    }

private:
    CMainFrame& m_frame;
    CVemtApp& m_app;
    IProfile& m_profile;
    CFrameDocuments m_documents;
    CTimingSendController* m_pController;  // goes before the documents it uses
};

}  // namespace

void InstallTimingSendCommands(CMainFrame& frame, CVemtApp& app, IProfile& profile)
{
    QMenu* send = FindMenu(frame.menuBar(), QStringLiteral("Send(&S)"));
    if (!send) return;
    auto* command = new CTimingSendCommand(frame, app, profile);
    send->addSeparator();
    QAction* item = send->addAction(QString::fromUtf8(CommTexts::kTimingDlgTitle));
    item->setStatusTip(QStringLiteral("Send content according user schedule"));
    item->setEnabled(false);
    WireMenuCommand(frame.menuBar(), item->text(), [command] { command->Run(); });
}
