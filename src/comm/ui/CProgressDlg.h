#pragma once
// The one progress window of the sign commands: a text line, a bar and "Cancel". Shown
// modal while a send runs on its worker, so the editor keeps repainting but takes no
// other command. Cancel stops the send after the frame on the wire.

#include "comm/IProgressSink.h"

#include <QDialog>

#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressDlg : public QDialog, public IProgressSink {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent = nullptr);

    // Set by Cancel (and by closing the window); the worker looks at it between frames.
    void SetCancelFlag(std::atomic<bool>* cancel) { m_pCancel = cancel; }
    bool CancelRequested() const { return m_pCancel && m_pCancel->load(); }
    // The worker is done: the window goes.
    void Finish();

    // On the GUI thread only; a worker goes through CQueuedProgressSink.
    void SetText(const std::string& text) override;
    void SetRange(int low, int high) override;
    void SetPos(int pos) override;
    void SetStep(int step) override;
    void StepIt() override;

    QLabel* TextLabel() const { return m_pText; }
    QProgressBar* Bar() const { return m_pBar; }
    QPushButton* CancelButton() const { return m_pCancelButton; }

public slots:
    // Escape and the window's close button ask for a stop; the window stays until the
    // worker has put the line down.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RequestCancel();

    QLabel* m_pText = nullptr;
    QProgressBar* m_pBar = nullptr;
    QPushButton* m_pCancelButton = nullptr;
    std::atomic<bool>* m_pCancel = nullptr;
    int m_nStep = 1;
    bool m_bFinished = false;
};
