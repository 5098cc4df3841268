#pragma once
// The editor's device commands ("Adjust Time", "Open Lextrel", "Timer", ...): the
// command's own dialogs, the address dialog and the port probe on the GUI thread, then
// the frames on a worker thread behind the progress window, as "Send file" does.

#include "comm/CComPortMap.h"
#include "comm/CDeviceCommand.h"

#include <ctime>
#include <functional>

class CProgressDlg;
class CVemtApp;
class CVemtDoc;
class CVirtualSign;
class IMessageSink;
class IProfile;
class QDialog;
class QWidget;

class CDeviceCommandRunner {
public:
    CDeviceCommandRunner(QWidget* parent, CVemtApp& app, IProfile& profile, IMessageSink& messages,
                         CVirtualSign& virtualSign);

    // The whole command with message boxes owned by parent and the process's built-in sign.
    static int Run(EDeviceCommand command, QWidget* parent, CVemtApp& app, IProfile& profile, CVemtDoc& doc);

    // One of the kDevice... codes of CDeviceCommand.h. doc is the document of the view the
    // command came from: "Timer" needs its content and screen count, and an edit of the
    // timer table or the clock position marks it modified (both are saved with it).
    int Run(EDeviceCommand command, CVemtDoc& doc);

    CComPortMap& Ports() { return m_ports; }
    // The frames that went out in the last run.
    const CDeviceOutcome& Outcome() const { return m_outcome; }

    // Where the box of a failed frame goes; none: a message box without owner.
    IMessageSink* m_pFrameMessages = nullptr;
    // Test seams: the beep for every sign that took its frame (default: the system beep),
    // the clock a clock frame reads, and a look at the progress window once it is up.
    std::function<void()> m_fnBeep;
    std::function<std::tm()> m_fnLocalTime;
    std::function<void(CProgressDlg&)> m_fnOnProgressShown;

private:
    int SendFrames(EDeviceCommand command, const CComPortMap& ports);

    QWidget* m_pParent;
    CVemtApp& m_app;
    IProfile& m_profile;
    IMessageSink& m_messages;
    CVirtualSign& m_virtualSign;
    CComPortMap m_ports;
    CDeviceOutcome m_outcome;
};
