#include "programme/CPreviewSchedule.h"

void CPreviewSchedule::Fetch()
{
    const bool more = m_player.Next(m_frame);
    m_bEnded = !more || m_frame.m_bForever;
}

CPreviewSchedule::Step CPreviewSchedule::Advance(std::int64_t nowUs)
{
    Step step;
    if (!m_bStarted) {
        m_bStarted = true;
        m_nDueUs = 0;
        Fetch();
        step.m_bNewFrame = true;
    }
    for (int n = 0; !m_bEnded && n < kMaxFramesPerAdvance; ++n) {
        const std::int64_t next = m_nDueUs + m_frame.m_nWaitMs * 1000;
        if (next > nowUs) break;
        m_nDueUs = next;
        Fetch();
        step.m_bNewFrame = true;
    }
    step.m_nDueUs = m_nDueUs;
    step.m_nNextDueUs = m_bEnded ? -1 : m_nDueUs + m_frame.m_nWaitMs * 1000;
    return step;
}
