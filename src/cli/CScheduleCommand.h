#pragma once
// "vemtctl schedule": the editor's timed-send list (profile section "TimingSend") worked
// off without a window, for a machine that only drives signs. Each due entry is sent
// once per run and reported in the same log as the editor's timed sending. It runs until
// SIGINT or SIGTERM (a send in progress is finished first); --once looks at the clock
// once and ends; --list prints the entries.

#include "cli/CCliContext.h"
#include "cli/CSignOptions.h"
#include "cli/ICliCommand.h"
#include "comm/CTimingSendLog.h"
#include "comm/CTimingSendWorker.h"

#include <chrono>
#include <functional>
#include <string>

class CScheduleCommand : public ICliCommand {
public:
    explicit CScheduleCommand(const CCliContext& context) : m_context(context) {}

    const char* Name() const override { return "schedule"; }
    const char* Synopsis() const override;
    const char* Description() const override;
    void AddOptions(CLI::App& command) override;
    int Run() override;

    // The run's surroundings, replaceable for tests: the clock, the log, how often the
    // clock is read, and what waits for the end (by default SIGINT or SIGTERM; it is
    // given the running worker and returns once that should stop).
    CTimingSendWorker::Clock m_fnClock;
    CTimingSendLog m_log;
    std::chrono::milliseconds m_interval {1000};
    std::function<void(CTimingSendWorker&)> m_fnWaitForStop;

private:
    int List();

    const CCliContext& m_context;
    bool m_bOnce = false;
    bool m_bList = false;
    std::string m_szPort;
    CSignOptions m_signOptions;
};
