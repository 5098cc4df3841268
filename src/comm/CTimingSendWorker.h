#pragma once
// The timed-send worker: looks at the clock once a second and sends every entry whose
// time ("%02d:%02d") has come and that was not sent yet in this run, in list order,
// each through the host's load and prepare requests and then onto the line from this
// thread. Every send gets its report in the log. A stop request is seen between checks
// and after the pass in progress; a send that has begun always finishes.

#include "app/CTimingSendItem.h"
#include "comm/CTimingSendLog.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class ITimingSendHost;

class CTimingSendWorker {
public:
    using Clock = std::function<std::time_t()>;
    // The exit code the worker ends with.
    static constexpr int kExitCode = 100;

    // entries: the run's list (sent flags as they are; a new run resets them first).
    // clock: the time now (default: the system clock).
    CTimingSendWorker(std::vector<CTimingSendItem> entries, ITimingSendHost& host, CTimingSendLog log,
                      Clock clock = nullptr);
    // Stops and waits for the thread, if one was started.
    ~CTimingSendWorker();
    CTimingSendWorker(const CTimingSendWorker&) = delete;
    CTimingSendWorker& operator=(const CTimingSendWorker&) = delete;

    void SetCheckInterval(std::chrono::milliseconds interval) { m_interval = interval; }

    // One look at the clock: every due entry not yet sent is sent. Returns how many.
    int CheckOnce();
    // Checks until a stop is requested, on the calling thread. Returns kExitCode.
    int Run();
    // Run on a thread of its own.
    void Start();
    // Safe from any thread and from a signal-handling thread; wakes a waiting worker.
    void RequestStop();
    bool StopRequested() const { return m_bStop.load(); }
    // True once Run has returned (or is about to).
    bool Finished() const { return m_bFinished.load(); }
    // Waits for the thread started by Start.
    void Join();

    // Called on the worker's thread as its last act.
    std::function<void()> m_fnOnFinished;
    // Called on the worker's thread after each report has been written (or dropped),
    // with the messages the report holds (none for a success).
    std::function<void(const CTimingSendItem&, const std::vector<CSendErrorItem>& errors, bool logged)> m_fnOnReport;

    // The entries with their sent flags; read them only while the worker is not running.
    const std::vector<CTimingSendItem>& Entries() const { return m_aEntries; }

private:
    std::time_t Now() const;
    void SendEntry(const CTimingSendItem& entry);

    std::vector<CTimingSendItem> m_aEntries;
    ITimingSendHost& m_host;
    CTimingSendLog m_log;
    Clock m_fnClock;
    std::chrono::milliseconds m_interval {1000};
    std::atomic<bool> m_bStop {false};
    std::atomic<bool> m_bFinished {false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
};
