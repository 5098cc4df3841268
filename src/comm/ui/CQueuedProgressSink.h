#pragma once
// Progress from a worker thread to the progress window on the GUI thread. Updates are
// merged: however fast the worker reports, at most one update waits in the GUI queue,
// and it shows the latest text and position.

#include "comm/IProgressSink.h"

#include <QPointer>

#include <mutex>
#include <string>

class CProgressDlg;

class CQueuedProgressSink : public IProgressSink {
public:
    // The sink must outlive the window, or go before any update is pending.
    explicit CQueuedProgressSink(CProgressDlg* dialog) : m_pDialog(dialog) {}

    void SetText(const std::string& text) override;
    void SetRange(int low, int high) override;
    void SetPos(int pos) override;
    void SetStep(int step) override;
    void StepIt() override;

private:
    void Post();
    void Apply();

    QPointer<CProgressDlg> m_pDialog;
    std::mutex m_mutex;
    std::string m_szText;
    int m_nLow = 0, m_nHigh = 100, m_nPos = 0, m_nStep = 1;
    bool m_bTextChanged = false, m_bRangeChanged = false, m_bPosChanged = false;
    bool m_bPosted = false;
};
