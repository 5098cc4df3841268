#include "programme/ui/CPreviewPacer.h"

#include "programme/CPreviewSchedule.h"

#include <QSocketNotifier>
#include <QTimer>

#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

namespace {

std::int64_t MonotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

}  // namespace

CPreviewPacer::CPreviewPacer(CPreviewPlayer& player, QObject* parent)
    : QObject(parent), m_pSchedule(std::make_unique<CPreviewSchedule>(player))
{
    m_nTimerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_nTimerFd >= 0) {
        m_pNotifier = new QSocketNotifier(m_nTimerFd, QSocketNotifier::Read, this);
        connect(m_pNotifier, &QSocketNotifier::activated, this, [this] {
            std::uint64_t expirations = 0;
            // Non-blocking: nothing to read only if the timer was re-armed meanwhile.
            if (read(m_nTimerFd, &expirations, sizeof expirations) == sizeof expirations) Tick();
        });
    } else {
        m_pFallback = new QTimer(this);
        m_pFallback->setSingleShot(true);
        m_pFallback->setTimerType(Qt::PreciseTimer);
        connect(m_pFallback, &QTimer::timeout, this, &CPreviewPacer::Tick);
    }
}

CPreviewPacer::~CPreviewPacer()
{
    Stop();
    delete m_pNotifier;
    if (m_nTimerFd >= 0) close(m_nTimerFd);
}

const CRasterSurface* CPreviewPacer::Picture() const { return m_pSchedule->Picture(); }

std::int64_t CPreviewPacer::NowUs() const { return (MonotonicNs() - m_nStartNs) / 1000; }

void CPreviewPacer::Start()
{
    m_bRunning = true;
    m_nStartNs = MonotonicNs();
    Tick();
}

void CPreviewPacer::Stop()
{
    m_bRunning = false;
    if (m_nTimerFd >= 0) {
        const itimerspec off {};
        timerfd_settime(m_nTimerFd, 0, &off, nullptr);
    }
    if (m_pFallback) m_pFallback->stop();
}

void CPreviewPacer::ArmAt(std::int64_t dueUs)
{
    if (m_nTimerFd >= 0) {
        // An absolute deadline: however late this call comes, the wake-up is not.
        // (A deadline of zero would disarm the timer; the start is never at zero.)
        const std::int64_t at = std::max<std::int64_t>(1, m_nStartNs + dueUs * 1000);
        itimerspec spec {};
        spec.it_value.tv_sec = time_t(at / 1'000'000'000);
        spec.it_value.tv_nsec = long(at % 1'000'000'000);
        timerfd_settime(m_nTimerFd, TFD_TIMER_ABSTIME, &spec, nullptr);
        return;
    }
    // Rounded up to whole milliseconds, the Qt timer's unit, so that it never fires early.
    const std::int64_t leftUs = dueUs - NowUs();
    m_pFallback->start(int(std::max<std::int64_t>(0, (leftUs + 999) / 1000)));
}

void CPreviewPacer::Tick()
{
    if (!m_bRunning) return;
    const std::int64_t nowUs = NowUs();
    const CPreviewSchedule::Step step = m_pSchedule->Advance(nowUs);
    if (step.m_bNewFrame && m_pSchedule->Picture()) {
        if (m_fnOnFrame) m_fnOnFrame(step.m_nDueUs, nowUs);
        emit FrameShown(*m_pSchedule->Picture());
    }
    if (m_bRunning && step.m_nNextDueUs >= 0) ArmAt(step.m_nNextDueUs);
}
