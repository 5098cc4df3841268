#include "comm/CTimingSendWorker.h"

#include "comm/CSendFileCommand.h"
#include "comm/CTimedMessageSink.h"
#include "comm/ITimingSendHost.h"
#include "comm/TimingSchedule.h"

CTimingSendWorker::CTimingSendWorker(std::vector<CTimingSendItem> entries, ITimingSendHost& host,
                                     CTimingSendLog log, Clock clock)
    : m_aEntries(std::move(entries)), m_host(host), m_log(std::move(log)), m_fnClock(std::move(clock))
{
}

CTimingSendWorker::~CTimingSendWorker()
{
    RequestStop();
    Join();
}

std::time_t CTimingSendWorker::Now() const
{
    return m_fnClock ? m_fnClock() : std::time(nullptr);
}

int CTimingSendWorker::CheckOnce()
{
    int sent = 0;
    for (CTimingSendItem& entry : m_aEntries) {
        // The clock is read for each entry: a long send may carry the pass into the
        // next minute, and entries of that minute are then due.
        if (entry.m_nSent || LocalSendTime(Now()) != entry.m_szTime) continue;
        entry.m_nSent = 1;
        SendEntry(entry);
        ++sent;
    }
    return sent;
}

void CTimingSendWorker::SendEntry(const CTimingSendItem& entry)
{
    std::vector<CSendErrorItem> errors;
    CTimedMessageSink messages(errors, m_fnClock);
    // A file that did not open is not sent: the document it left behind is empty, and an
    // empty message would wipe what the signs show.
    if (m_host.LoadTimingFile(entry.m_szFileName, messages)) {
        CTimedSend send;
        if (m_host.PrepareTimingSend(entry.m_szAddress, send, messages))
            ScanAndSend(send.m_prepared, send.m_app, send.m_ports, messages, m_host.TimingProgress());
    }
    m_host.TimingSendDone();
    const bool logged = m_log.Append(CTimingSendLog::FormatReport(entry.m_szFileName, errors, Now()));
    if (m_fnOnReport) m_fnOnReport(entry, errors, logged);
}

int CTimingSendWorker::Run()
{
    while (!m_bStop.load()) {
        CheckOnce();
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, m_interval, [this] { return m_bStop.load(); });
    }
    m_bFinished = true;
    if (m_fnOnFinished) m_fnOnFinished();
    return kExitCode;
}

void CTimingSendWorker::Start()
{
    m_thread = std::thread([this] { Run(); });
}

void CTimingSendWorker::RequestStop()
{
    {
        // Set under the lock so that a worker about to wait cannot miss the wake-up.
        std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_wake.notify_all();
}

void CTimingSendWorker::Join()
{
    if (m_thread.joinable()) m_thread.join();
}
