#include "programme/ui/CPreviewPacer.h"

#include "programme/CPreviewSchedule.h"

CPreviewPacer::CPreviewPacer(CPreviewPlayer& player, QObject* parent) : QObject(parent), m_pSchedule(std::make_unique<CPreviewSchedule>(player))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CPreviewPacer::Tick);
}

CPreviewPacer::~CPreviewPacer() = default;

const CRasterSurface* CPreviewPacer::Picture() const { return m_pSchedule->Picture(); }

void CPreviewPacer::Start()
{
    m_bRunning = true;
    m_clock.start();
    Tick();
}

void CPreviewPacer::Stop()
{
    m_bRunning = false;
    m_timer.stop();
}

void CPreviewPacer::Tick()
{
    if (!m_bRunning) return;
    const std::int64_t nowUs = m_clock.nsecsElapsed() / 1000;
    const CPreviewSchedule::Step step = m_pSchedule->Advance(nowUs);
    if (step.m_bNewFrame && m_pSchedule->Picture()) {
        if (m_fnOnFrame) m_fnOnFrame(step.m_nDueUs, nowUs);
        emit FrameShown(*m_pSchedule->Picture());
    }
    if (!m_bRunning || step.m_nNextDueUs < 0) return;
    // Rounded up to whole milliseconds, the timer's unit, so that it never fires early;
    // the time a late frame lost is taken off this wait.
    const std::int64_t leftUs = step.m_nNextDueUs - m_clock.nsecsElapsed() / 1000;
    m_timer.start(int(std::max<std::int64_t>(0, (leftUs + 999) / 1000)));
}
