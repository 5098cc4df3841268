#include "cli/COnOffCommand.h"

#include "cli/CliDeviceRun.h"
#include "cli/CliPort.h"

#include <CLI/App.hpp>

#include <ostream>

COnOffCommand::COnOffCommand(const CCliContext& context, const char* name, const char* synopsis,
                             const char* description, EDeviceCommand on, EDeviceCommand off, bool takesAddresses)
    : m_context(context), m_szName(name), m_szSynopsis(synopsis), m_szDescription(description), m_eOn(on),
      m_eOff(off), m_bTakesAddresses(takesAddresses)
{
}

COnOffCommand COnOffCommand::Power(const CCliContext& context)
{
    return COnOffCommand(context, "power", "power on|off --port DEV --address LIST",
                         "Switches the signs of LIST (0 for all in one broadcast) on or off. Exit status 0\n"
                         "    only when every sign took the command.",
                         EDeviceCommand::OpenSign, EDeviceCommand::CloseSign, true);
}

COnOffCommand COnOffCommand::ShowAddress(const CCliContext& context)
{
    return COnOffCommand(context, "show-address", "show-address on|off --port DEV",
                         "Makes every sign on the line show its own address always (on), or stop (off).\n"
                         "    Always one broadcast to address 0.",
                         EDeviceCommand::ShowAddress, EDeviceCommand::HideAddress, false);
}

void COnOffCommand::AddOptions(CLI::App& command)
{
    command.add_option("switch", m_szSwitch, "on or off")->type_name("on|off");
    command.add_option("--port", m_szPort, kPortOptionHelp)
        ->type_name("DEV");
    if (m_bTakesAddresses)
        command.add_option("--address", m_szAddresses, "sign addresses: 3 or 1,2,7 or 0 for all")
            ->type_name("LIST");
}

int COnOffCommand::Run()
{
    const bool on = m_szSwitch == "on";
    if ((!on && m_szSwitch != "off") || m_szPort.empty() || (m_bTakesAddresses && m_szAddresses.empty())) {
        m_context.m_err << "vemtctl " << m_szName << ": needs on or off, --port"
                        << (m_bTakesAddresses ? " and --address" : "") << "; usage: " << m_szSynopsis << "\n";
        return kCliExitUsage;
    }
    return RunDeviceFromCli(m_context, on ? m_eOn : m_eOff, CDeviceFrameData {}, m_szPort, m_szAddresses,
                            std::string(m_szName) + " " + m_szSwitch);
}
