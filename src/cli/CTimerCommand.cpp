#include "cli/CTimerCommand.h"

#include "app/CVemtApp.h"
#include "cli/CliDeviceRun.h"
#include "cli/CliPort.h"
#include "cli/CliDocument.h"
#include "comm/TimerDays.h"
#include "document/CVemtDoc.h"

#include <CLI/App.hpp>

#include <cstdio>
#include <ostream>

const char* CTimerCommand::Synopsis() const
{
    return "timer FILE.KVX --port DEV --address LIST | timer FILE.KVX --show";
}

const char* CTimerCommand::Description() const
{
    return "Sends the on/off timer table stored in the document to the signs of LIST (0 for all\n"
           "    in one broadcast), or with --show prints the table in words.";
}

void CTimerCommand::AddOptions(CLI::App& command)
{
    command.add_option("file", m_aFiles, "the document holding the timer table")->type_name("FILE.KVX");
    command.add_option("--port", m_szPort, kPortOptionHelp)
        ->type_name("DEV");
    command.add_option("--address", m_szAddresses, "sign addresses: 3 or 1,2,7 or 0 for all")->type_name("LIST");
    command.add_flag("--show", m_bShow, "print the table instead of sending it");
}

void CTimerCommand::WriteTable(const TimerTable& timers, std::ostream& out)
{
    for (std::size_t k = 0; k < timers.size(); ++k) {
        const TIMERINFO& t = timers[k];
        const char* day = t.byDay < kTimerDayNames.size() ? kTimerDayNames[t.byDay] : "?";
        char line[160];
        std::snprintf(line, sizeof line, "%zu %-8s %-8s %02d:%02d ", k + 1, t.byEnabled ? "enabled" : "disabled",
                      day, int(t.byHour), int(t.byMinute));
        out << line;
        if (t.byClose) {
            out << "close the sign\n";
        } else {
            std::snprintf(line, sizeof line, "show screens %03d to %03d repeatedly\n", int(t.byFirstScreen),
                          int(t.byLastScreen));
            out << line;
        }
    }
}

int CTimerCommand::Run()
{
    std::ostream& err = m_context.m_err;
    const bool send = !m_szPort.empty() || !m_szAddresses.empty();
    if (m_aFiles.size() != 1 || m_bShow == send || (send && (m_szPort.empty() || m_szAddresses.empty()))) {
        err << "vemtctl timer: needs FILE.KVX and either --port and --address or --show; usage: " << Synopsis()
            << "\n";
        return kCliExitUsage;
    }
    CVemtApp app;
    CVemtDoc doc(&app);
    if (!LoadDocumentFile(m_context, m_aFiles[0], doc, app)) return kCliExitFailed;
    if (m_bShow) {
        WriteTable(app.m_aTimer, m_context.m_out);
        return kCliExitOk;
    }
    return RunDeviceFromCli(m_context, EDeviceCommand::Timer, CDeviceFrameData::From(app), m_szPort,
                            m_szAddresses, "timer");
}
