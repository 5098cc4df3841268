#pragma once
// "vemtctl timer": the on/off timer table stored in a document, sent to signs or shown.

#include "cli/CCliContext.h"
#include "cli/ICliCommand.h"
#include "comm/TIMERINFO.h"

#include <iosfwd>
#include <string>
#include <vector>

class CTimerCommand : public ICliCommand {
public:
    explicit CTimerCommand(const CCliContext& context) : m_context(context) {}

    const char* Name() const override { return "timer"; }
    const char* Synopsis() const override;
    const char* Description() const override;
    void AddOptions(CLI::App& command) override;
    int Run() override;

    // The table in words, one line per entry.
    static void WriteTable(const TimerTable& timers, std::ostream& out);

private:
    const CCliContext& m_context;
    std::vector<std::string> m_aFiles;  // FILE.KVX
    std::string m_szPort;
    std::string m_szAddresses;
    bool m_bShow = false;
};
