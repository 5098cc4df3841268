#include "cli/CInfoCommand.h"

#include "cli/CStreamMessageSink.h"
#include "cli/CliPort.h"
#include "comm/CDeviceCommand.h"
#include "comm/CSignInfoQuery.h"

#include <CLI/App.hpp>

#include <cstdio>
#include <ostream>

namespace {

const char* ResultName(EQueryResult result)
{
    switch (result) {
    case EQueryResult::Ok: return "ok";
    case EQueryResult::NoReply: return "no-reply";
    case EQueryResult::Short: return "short-reply";
    case EQueryResult::BadFormat: return "bad-reply";
    }
    return "?";
}

// A JSON string. The sign's texts are bytes of its own code page: bytes above 127 are
// written as the Latin-1 characters they would be, so the output is always valid JSON.
std::string JsonString(const std::string& text)
{
    std::string json = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\') {
            json += '\\';
            json += c;
        } else if (b < 0x20 || b >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(b));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

}  // namespace

const char* CInfoCommand::Synopsis() const
{
    return "info --port DEV --address LIST [--json]";
}

const char* CInfoCommand::Description() const
{
    return "Asks each sign of LIST (not 0) for its firmware version, motherboard version,\n"
           "    crystal frequency and memory size; prints one line per address, or with --json\n"
           "    one JSON object per line. Exit status 0 only when every sign answered.";
}

void CInfoCommand::AddOptions(CLI::App& command)
{
    command.add_option("--port", m_szPort, kPortOptionHelp)
        ->type_name("DEV");
    command.add_option("--address", m_szAddresses, "sign addresses: 3 or 1,2,7 (0 is refused)")->type_name("LIST");
    command.add_flag("--json", m_bJson, "one JSON object per address, for monitoring scripts");
}

void CInfoCommand::WriteText(const CSignInfoAnswer& a, std::ostream& out)
{
    out << int(a.m_byAddress) << ": ";
    if (a.m_eResult == EQueryResult::Ok)
        out << "version " << a.m_info.m_szVersion << ", motherboard " << a.m_info.m_szMotherboard << ", crystal "
            << a.m_info.m_szCrystal << ", memory " << a.m_info.m_szMemory << "\n";
    else
        out << ResultName(a.m_eResult) << ": " << a.LogLine() << "\n";
}

void CInfoCommand::WriteJson(const CSignInfoAnswer& a, std::ostream& out)
{
    out << "{\"address\":" << int(a.m_byAddress) << ",\"result\":\"" << ResultName(a.m_eResult) << "\"";
    if (a.m_eResult == EQueryResult::Ok)
        out << ",\"version\":" << JsonString(a.m_info.m_szVersion)
            << ",\"motherboard\":" << JsonString(a.m_info.m_szMotherboard)
            << ",\"crystal\":" << JsonString(a.m_info.m_szCrystal) << ",\"memory\":" << JsonString(a.m_info.m_szMemory);
    out << ",\"log\":" << JsonString(a.LogLine()) << "}\n";
}

int CInfoCommand::Run()
{
    if (m_szPort.empty() || m_szAddresses.empty()) {
        m_context.m_err << "vemtctl info: needs --port and --address; usage: " << Synopsis() << "\n";
        return kCliExitUsage;
    }
    CStreamMessageSink messages(m_context.m_err);
    std::vector<CSignInfoAnswer> answers;
    const int status = RunSignInfoQuery(ResolvePortDevice(m_context, m_szPort), m_szAddresses, messages, answers);
    for (const CSignInfoAnswer& a : answers) (m_bJson ? WriteJson : WriteText)(a, m_context.m_out);
    if (status == kDeviceAllDelivered) return kCliExitOk;
    return status == kDeviceNothingSent ? kCliExitUsage : kCliExitFailed;
}
