#pragma once
// "vemtctl info": each sign's firmware version, motherboard version, crystal frequency
// and memory size, as text or as one JSON object per address.

#include "cli/CCliContext.h"
#include "cli/ICliCommand.h"

#include <iosfwd>
#include <string>

struct CSignInfoAnswer;

class CInfoCommand : public ICliCommand {
public:
    explicit CInfoCommand(const CCliContext& context) : m_context(context) {}

    const char* Name() const override { return "info"; }
    const char* Synopsis() const override;
    const char* Description() const override;
    void AddOptions(CLI::App& command) override;
    int Run() override;

    static void WriteText(const CSignInfoAnswer& answer, std::ostream& out);
    // One line: {"address":N,"result":"ok"|"no-reply"|"short-reply"|"bad-reply", the four
    // fields when ok, "log": the log line}.
    static void WriteJson(const CSignInfoAnswer& answer, std::ostream& out);

private:
    const CCliContext& m_context;
    std::string m_szPort;
    std::string m_szAddresses;
    bool m_bJson = false;
};
