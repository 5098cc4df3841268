#include "cli/CScheduleCommand.h"

#include "app/CVemtApp.h"
#include "app/EditorProfile.h"
#include "app/EditorState.h"
#include "app/IProfile.h"
#include "cli/CliPort.h"
#include "comm/CComPortMap.h"
#include "comm/CHeadlessTimingHost.h"
#include "comm/TimingSchedule.h"
#include "text/CCodePage.h"

#include <CLI/App.hpp>

#include <ostream>

#include <csignal>
#include <ctime>
#include <pthread.h>

namespace {

// Blocks SIGINT and SIGTERM in this thread (and the threads it starts) while it lives,
// so that they can be waited for instead of ending the process.
class CStopSignals {
public:
    CStopSignals()
    {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGINT);
        sigaddset(&m_set, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &m_set, &m_old);
    }
    ~CStopSignals() { pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }
    // Waits up to one second; true when a stop signal came.
    bool Wait()
    {
        const timespec second {1, 0};
        return sigtimedwait(&m_set, nullptr, &second) > 0;
    }

private:
    sigset_t m_set;
    sigset_t m_old;
};

} // namespace

const char* CScheduleCommand::Synopsis() const
{
    return "schedule [--once] [--list] [--port DEV] [sign options]";
}

const char* CScheduleCommand::Description() const
{
    return "Works off the editor's timed-send list (\"Timing send...\"): each entry is sent to its\n"
           "    signs when the clock shows its time, once a run, and reported in the log\n"
           "    $XDG_DATA_HOME/Vemt/TimingSendErrorLog.ini. Runs until SIGINT or SIGTERM, finishing\n"
           "    a send in progress; --once sends what is due now and ends; --list prints the entries.\n"
           "    The port is the editor's COM choice, or DEV.";
}

void CScheduleCommand::AddOptions(CLI::App& command)
{
    command.add_flag("--once", m_bOnce, "send the entries due now, then end");
    command.add_flag("--list", m_bList, "print the entries and end");
    command.add_option("--port", m_szPort, "serial device path, or COM1 / COM2 (default: the editor's choice)")
        ->type_name("DEV");
    m_signOptions.AddTo(command);
}

int CScheduleCommand::List()
{
    CVemtApp app;
    app.LoadTimingSendList(m_context.m_profile);
    for (const CTimingSendItem& item : app.m_listTimingSend) m_context.m_out << TimingSendListLine(item) << "\n";
    return kCliExitOk;
}

int CScheduleCommand::Run()
{
    if (m_bList) return List();
    std::ostream& err = m_context.m_err;

    CVemtApp app;
    if (!m_signOptions.Resolve(m_context, app)) return kCliExitUsage;
    app.LoadSendOption(m_context.m_profile);
    app.LoadTimingSendList(m_context.m_profile);
    if (app.m_listTimingSend.empty()) {
        err << "vemtctl schedule: the schedule is empty; entries are made in the editor's \"Timing send...\"\n";
        return kCliExitUsage;
    }
    CComPortMap ports;
    ports.Load(m_context.m_profile);
    if (!m_szPort.empty()) ports.SetDevicePath(app.m_nComPort, ResolvePortDevice(m_context, m_szPort));

    // Text layout follows the same profile values the editor reads.
    ResetEditorState();
    LoadRowPitchSettings(m_context.m_profile);
    CCodePage::LoadAnsiCodePage(m_context.m_profile);

    CHeadlessTimingHost host(app, ports);
    CTimingSendWorker worker(app.m_listTimingSend, host, m_log, m_fnClock);
    worker.SetCheckInterval(m_interval);
    bool anyFailed = false;
    std::ostream& out = m_context.m_out;
    worker.m_fnOnReport = [&](const CTimingSendItem& entry, const std::vector<CSendErrorItem>& errors, bool logged) {
        // One line a send for the journal; the details are in the log.
        anyFailed = anyFailed || !errors.empty();
        out << entry.m_szTime << " " << entry.m_szFileName << (errors.empty() ? ": sent to " : ": failed for ")
            << entry.m_szAddress;
        if (!errors.empty()) out << " (" << errors.size() << (errors.size() == 1 ? " error" : " errors") << ")";
        if (!logged) out << "; the log " << m_log.Path() << " cannot be written";
        out << "\n";
        out.flush();
    };

    if (m_bOnce) {
        worker.CheckOnce();
        return anyFailed ? kCliExitFailed : kCliExitOk;
    }

    out << "vemtctl schedule: " << app.m_listTimingSend.size() << " entries, log " << m_log.Path() << "\n";
    out.flush();
    if (m_fnWaitForStop) {
        worker.Start();
        m_fnWaitForStop(worker);
    } else {
        // Blocked before the worker starts, so that it inherits the mask and the signals
        // reach this thread's wait.
        CStopSignals signals;
        worker.Start();
        while (!signals.Wait() && !worker.Finished()) {
        }
    }
    worker.RequestStop();
    worker.Join();
    out << "vemtctl schedule: stopped\n";
    return kCliExitOk;
}
