#pragma once
// Start-up and end of the editor, in their fixed order: profile, timed-send list, sign
// parameters (the run ends here when they are not confirmed), address and port, main
// window with one document, shown maximised.

#include <QStringList>

#include <functional>
#include <memory>
#include <string>

class CMainFrame;
class CSignParamDlg;
class CVemtApp;
class IMessageSink;
class IProfile;

class CVemtStartup {
public:
    CVemtStartup(CVemtApp& app, IProfile& profile, IMessageSink& messages, std::string vemtIniPath);
    ~CVemtStartup();

    // Called with the sign-parameters dialog before it runs (the widget tests answer it).
    void SetDialogHook(std::function<void(CSignParamDlg&)> hook) { m_dialogHook = std::move(hook); }

    // False: the application ends without a window.
    bool InitInstance(const QStringList& documents);
    // Frees what the application holds; writes nothing.
    void ExitInstance();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

private:

    CVemtApp& m_app;
    IProfile& m_profile;
    IMessageSink& m_messages;
    std::string m_szVemtIniPath;
    std::function<void(CSignParamDlg&)> m_dialogHook;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
