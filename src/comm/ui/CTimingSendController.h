#pragma once
// Timed sending in the editor: "start timing" puts up the full-screen window and starts
// the worker; the worker's load and prepare requests are carried out here on the GUI
// thread while the worker waits (a mailbox under our own mutex), and the worker puts the
// picture on the line, so the window keeps moving and hears F12 during a long send.
// F12 ("end timing") stops the worker after the send in progress, takes the window
// down and reopens the document shown before.

#include "comm/CTimingSendLog.h"
#include "comm/CTimingSendWorker.h"
#include "comm/ITimingSendHost.h"

#include <QObject>
#include <QPointer>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class CProgressDlg;
class CQueuedProgressSink;
class CTimingSendWnd;
class CVemtApp;
class IProfile;
class ITimingDocuments;

class CTimingSendController : public QObject, public ITimingSendHost {
    Q_OBJECT
public:
    CTimingSendController(CVemtApp& app, IProfile& profile, ITimingDocuments& documents, QObject* parent = nullptr);
    ~CTimingSendController() override;

    // For tests and special set-ups; take effect at the next start.
    void SetClock(CTimingSendWorker::Clock clock) { m_fnClock = std::move(clock); }
    void SetLog(CTimingSendLog log) { m_log = std::move(log); }
    void SetCheckInterval(std::chrono::milliseconds interval) { m_interval = interval; }

    // "start timing": remembers the document shown now, resets every entry's sent flag,
    // replaces any old window by a new full-screen one and starts the worker.
    void StartTiming();
    // What F12 does: waits for the worker (serving its requests meanwhile), takes the
    // window down and reopens the remembered document (or a new one).
    void EndTiming();

    bool IsTiming() const { return m_pWorker != nullptr; }
    CTimingSendWnd* Window() const;
    CProgressDlg* Progress() const;
    // Empty when the document shown at the start had never been saved.
    const std::string& RememberedPath() const { return m_szRemembered; }

    // The worker's requests (called on its thread).
    bool LoadTimingFile(const std::string& path, IMessageSink& messages) override;
    bool PrepareTimingSend(const std::string& address, CTimedSend& send, IMessageSink& messages) override;
    IProgressSink* TimingProgress() override;
    void TimingSendDone() override;

signals:
    void TimingStarted();
    void TimingEnded();

private:
    // Runs fn on the GUI thread and waits for it. The request is handed over under a
    // mutex of our own (the queued call only wakes the GUI thread), so the hand-over is
    // visible to thread checkers that cannot see into the toolkit.
    void OnGuiThread(std::function<void()> fn);
    Q_INVOKABLE void ServeRequest();
    Q_INVOKABLE void WakeUp() {}
    void StopWorker();

    CVemtApp& m_app;
    IProfile& m_profile;
    ITimingDocuments& m_documents;
    CTimingSendWorker::Clock m_fnClock;
    CTimingSendLog m_log;
    std::chrono::milliseconds m_interval {1000};
    std::unique_ptr<CTimingSendWorker> m_pWorker;
    QPointer<CTimingSendWnd> m_pWindow;
    QPointer<CProgressDlg> m_pProgress;
    std::unique_ptr<CQueuedProgressSink> m_pProgressSink;
    std::string m_szRemembered;
    bool m_bEnding = false;

    std::mutex m_requestMutex;
    std::condition_variable m_requestDone;
    std::function<void()> m_fnRequest;
    bool m_bRequestDone = false;
};
