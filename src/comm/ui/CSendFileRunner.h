#pragma once
// The editor's "Send file": address dialog, port probe, render, then scan and send on a
// worker thread behind the modal progress window. Messages of the worker are shown on
// the GUI thread while the worker waits for the user's answer.

#include "comm/CComPortMap.h"

#include <functional>

class CVemtApp;
class CVemtDoc;
class CVirtualSign;
class IMessageSink;
class IProfile;
class QWidget;

class CSendFileRunner {
public:
    CSendFileRunner(QWidget* parent, CVemtApp& app, IProfile& profile, IMessageSink& messages,
                    CVirtualSign& virtualSign);

    // The whole command with message boxes owned by parent and the process's built-in
    // sign. The result is one of the kSend... codes of CSendFileCommand.
    static int Run(QWidget* parent, CVemtApp& app, IProfile& profile, const CVemtDoc& doc);

    // Step 1: the address dialog (address editing allowed). False on Cancel.
    bool AskAddress();
    // Steps 2 on: probe, render, scan and send with the choices as they are now.
    int Send(const CVemtDoc& doc);
    // Both.
    int Run(const CVemtDoc& doc);

    // The port choices in use (loaded from the profile, changed by the dialog).
    CComPortMap& Ports() { return m_ports; }
    // True when the last send went through the built-in sign.
    bool UsedVirtualSign() const { return m_bUsedVirtualSign; }
    // True when the last send reached at least one sign (a broadcast counts).
    bool ReachedASign() const { return m_bReachedASign; }

    // Called on the GUI thread once the progress window is up (tests drive it from here).
    std::function<void(class CProgressDlg&)> m_fnOnProgressShown;

private:
    QWidget* m_pParent;
    CVemtApp& m_app;
    IProfile& m_profile;
    IMessageSink& m_messages;
    CVirtualSign& m_virtualSign;
    CComPortMap m_ports;
    bool m_bUsedVirtualSign = false;
    bool m_bReachedASign = false;
};
