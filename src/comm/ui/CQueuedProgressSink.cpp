#include "comm/ui/CQueuedProgressSink.h"

#include "comm/ui/CProgressDlg.h"

#include <QMetaObject>

void CQueuedProgressSink::SetText(const std::string& text)
{
    {
        std::lock_guard lock(m_mutex);
        m_szText = text;
        m_bTextChanged = true;
    }
    Post();
}

void CQueuedProgressSink::SetRange(int low, int high)
{
    {
        std::lock_guard lock(m_mutex);
        m_nLow = low;
        m_nHigh = high;
        m_bRangeChanged = true;
    }
    Post();
}

void CQueuedProgressSink::SetPos(int pos)
{
    {
        std::lock_guard lock(m_mutex);
        m_nPos = pos;
        m_bPosChanged = true;
    }
    Post();
}

void CQueuedProgressSink::SetStep(int step)
{
    std::lock_guard lock(m_mutex);
    m_nStep = step;
}

void CQueuedProgressSink::StepIt()
{
    {
        std::lock_guard lock(m_mutex);
        m_nPos += m_nStep;
        if (m_nPos > m_nHigh) m_nPos = m_nLow + (m_nPos - m_nHigh);
        m_bPosChanged = true;
    }
    Post();
}

void CQueuedProgressSink::Post()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_bPosted) return;
        m_bPosted = true;
    }
    CProgressDlg* dialog = m_pDialog.data();
    if (!dialog) return;
    QMetaObject::invokeMethod(dialog, [this] { Apply(); }, Qt::QueuedConnection);
}

void CQueuedProgressSink::Apply()
{
    std::string text;
    int low, high, pos;
    bool textChanged, rangeChanged, posChanged;
    {
        std::lock_guard lock(m_mutex);
        text = m_szText;
        low = m_nLow, high = m_nHigh, pos = m_nPos;
        textChanged = m_bTextChanged, rangeChanged = m_bRangeChanged, posChanged = m_bPosChanged;
        m_bTextChanged = m_bRangeChanged = m_bPosChanged = false;
        m_bPosted = false;
    }
    CProgressDlg* dialog = m_pDialog.data();
    if (!dialog) return;
    if (textChanged) dialog->SetText(text);
    if (rangeChanged) dialog->SetRange(low, high);
    if (posChanged || rangeChanged) dialog->SetPos(pos);
}
