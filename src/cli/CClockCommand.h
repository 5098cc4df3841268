#pragma once
// "vemtctl clock": sets the signs' clocks to this computer's local time.

#include "cli/CCliContext.h"
#include "cli/ICliCommand.h"

#include <string>

class CClockCommand : public ICliCommand {
public:
    explicit CClockCommand(const CCliContext& context) : m_context(context) {}

    const char* Name() const override { return "clock"; }
    const char* Synopsis() const override;
    const char* Description() const override;
    void AddOptions(CLI::App& command) override;
    int Run() override;

private:
    const CCliContext& m_context;
    std::string m_szPort;
    std::string m_szAddresses;
    std::string m_szX = "0";
    std::string m_szY = "0";
    bool m_bNoSeconds = false;
};
