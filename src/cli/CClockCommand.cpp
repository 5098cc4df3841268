#include "cli/CClockCommand.h"

#include "cli/CliDeviceRun.h"
#include "cli/CliPort.h"
#include "cli/ParseInt.h"

#include <CLI/App.hpp>

#include <ostream>

const char* CClockCommand::Synopsis() const
{
    return "clock --port DEV --address LIST [--x N] [--y N] [--no-seconds]";
}

const char* CClockCommand::Description() const
{
    return "Sets the clock of the signs of LIST (0 for all in one broadcast) to this computer's\n"
           "    local time, shown at column N (in 8-dot bytes) and row N, with seconds unless\n"
           "    --no-seconds. Exit status 0 only when every sign took the time.";
}

void CClockCommand::AddOptions(CLI::App& command)
{
    command.add_option("--port", m_szPort, kPortOptionHelp)
        ->type_name("DEV");
    command.add_option("--address", m_szAddresses, "sign addresses: 3 or 1,2,7 or 0 for all")->type_name("LIST");
    command.add_option("--x", m_szX, "column of the clock in 8-dot bytes, 0 to 255 (default 0)")->type_name("N");
    command.add_option("--y", m_szY, "row of the clock, 0 to 255 (default 0)")->type_name("N");
    command.add_flag("--no-seconds", m_bNoSeconds, "the clock shows hours and minutes only");
}

int CClockCommand::Run()
{
    std::ostream& err = m_context.m_err;
    if (m_szPort.empty() || m_szAddresses.empty()) {
        err << "vemtctl clock: needs --port and --address; usage: " << Synopsis() << "\n";
        return kCliExitUsage;
    }
    CDeviceFrameData data;
    const std::pair<const char*, const std::string*> positions[] = {{"--x", &m_szX}, {"--y", &m_szY}};
    int values[2] = {};
    for (int i = 0; i < 2; ++i) {
        const auto value = ParseInt(*positions[i].second);
        if (!value || *value < 0 || *value > 255) {
            err << "vemtctl clock: " << positions[i].first << " must be a whole number from 0 to 255, not \""
                << *positions[i].second << "\"\n";
            return kCliExitUsage;
        }
        values[i] = *value;
    }
    data.m_nClockX = values[0];
    data.m_nClockY = values[1];
    data.m_bDisplaySecond = !m_bNoSeconds;
    return RunDeviceFromCli(m_context, EDeviceCommand::AdjustTime, data, m_szPort, m_szAddresses, "clock");
}
