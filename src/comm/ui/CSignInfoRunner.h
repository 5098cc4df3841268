#pragma once
// The editor's "Sign information...": address dialog, port probe, the list checked for
// address 0, then the information window, which runs the query itself.

#include "comm/CComPortMap.h"

#include <functional>

class CSignInfoDlg;
class CVemtApp;
class CVirtualSign;
class IMessageSink;
class IProfile;
class QWidget;

class CSignInfoRunner {
public:
    CSignInfoRunner(QWidget* parent, CVemtApp& app, IProfile& profile, IMessageSink& messages,
                    CVirtualSign& virtualSign);

    // The whole command with message boxes owned by parent and the process's built-in sign.
    static void Run(QWidget* parent, CVemtApp& app, IProfile& profile);
    // True when the information window was shown.
    bool Run();

    // Where the information window's boxes go; none: boxes owned by that window.
    IMessageSink* m_pQueryMessages = nullptr;
    // Called once the information window is up (tests drive it from here).
    std::function<void(CSignInfoDlg&)> m_fnOnDialogShown;

private:
    QWidget* m_pParent;
    CVemtApp& m_app;
    IProfile& m_profile;
    IMessageSink& m_messages;
    CVirtualSign& m_virtualSign;
    CComPortMap m_ports;
};
