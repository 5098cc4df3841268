#include "comm/ui/CTimingSendController.h"

#include "app/CVemtApp.h"
#include "comm/CSendFileCommand.h"
#include "comm/CVirtualSign.h"
#include "comm/CommTexts.h"
#include "comm/TimingSchedule.h"
#include "comm/ui/CProgressDlg.h"
#include "comm/ui/CQueuedProgressSink.h"
#include "comm/ui/CTimingSendWnd.h"
#include "comm/ui/ITimingDocuments.h"
#include "document/CDocumentFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>
#include <QThread>

CTimingSendController::CTimingSendController(CVemtApp& app, IProfile& profile, ITimingDocuments& documents,
                                             QObject* parent)
    : QObject(parent), m_app(app), m_profile(profile), m_documents(documents)
{
}

CTimingSendController::~CTimingSendController()
{
    StopWorker();
    delete m_pProgress.data();
    delete m_pWindow.data();
}

CTimingSendWnd* CTimingSendController::Window() const
{
    return m_pWindow.data();
}

CProgressDlg* CTimingSendController::Progress() const
{
    return m_pProgress.data();
}

template <typename Fn>
void CTimingSendController::OnGuiThread(Fn&& fn)
{
    if (QThread::currentThread() == thread()) fn();
    else QMetaObject::invokeMethod(this, std::forward<Fn>(fn), Qt::BlockingQueuedConnection);
}

void CTimingSendController::StartTiming()
{
    if (m_pWorker || m_bEnding) return;
    // A document that was never saved carries the placeholder name: nothing to reopen.
    const std::string path = m_documents.CurrentPath();
    const QString name = QFileInfo(QString::fromStdString(path)).fileName().toUpper();
    m_szRemembered = (path.empty() || name == QString::fromLatin1(CDocumentFiles::kPlaceholderName)) ? "" : path;
    ResetSentFlags(m_app.m_listTimingSend);

    delete m_pProgress.data();
    delete m_pWindow.data();
    m_pProgressSink.reset();
    m_pWindow = new CTimingSendWnd();
    connect(m_pWindow, &CTimingSendWnd::StopRequested, this, &CTimingSendController::EndTiming);
    m_pProgress = new CProgressDlg(m_pWindow);
    m_pProgress->setModal(false);
    m_pProgress->CancelButton()->hide();  // only F12 stops timing
    m_pProgressSink = std::make_unique<CQueuedProgressSink>(m_pProgress.data());
    // The whole screen also without a window manager to honour the full-screen state.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) m_pWindow->setGeometry(screen->geometry());
    m_pWindow->showFullScreen();
    m_pWindow->activateWindow();
    m_pWindow->setFocus();

    m_pWorker = std::make_unique<CTimingSendWorker>(m_app.m_listTimingSend, *this, m_log, m_fnClock);
    m_pWorker->SetCheckInterval(m_interval);
    // Wakes the GUI thread that waits for the worker's end.
    m_pWorker->m_fnOnFinished = [this] { QMetaObject::invokeMethod(this, [] {}, Qt::QueuedConnection); };
    m_pWorker->Start();
    emit TimingStarted();
}

void CTimingSendController::StopWorker()
{
    if (!m_pWorker) return;
    m_pWorker->RequestStop();
    // The worker may be waiting for one of its requests: keep serving them until it ends.
    while (!m_pWorker->Finished()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_pWorker->Join();
    // The run's sent flags go back to the list (it cannot have changed meanwhile).
    const auto& entries = m_pWorker->Entries();
    if (entries.size() == m_app.m_listTimingSend.size())
        for (std::size_t i = 0; i < entries.size(); ++i) m_app.m_listTimingSend[i].m_nSent = entries[i].m_nSent;
    m_pWorker.reset();
}

void CTimingSendController::EndTiming()
{
    if (!m_pWorker || m_bEnding) return;
    m_bEnding = true;
    if (m_pWindow) m_pWindow->StopAnimation();
    StopWorker();
    // The progress window goes first, and its queued updates with it, so that none reaches
    // the sink after it is gone.
    delete m_pProgress.data();
    m_pProgressSink.reset();
    // F12 arrives in the window's own key handler: it is deleted once that has returned.
    if (m_pWindow) {
        m_pWindow->AllowClose();
        m_pWindow->hide();
        m_pWindow->deleteLater();
        m_pWindow = nullptr;
    }
    m_documents.RestoreDocument(m_szRemembered);
    m_bEnding = false;
    emit TimingEnded();
}

bool CTimingSendController::LoadTimingFile(const std::string& path, IMessageSink& messages)
{
    bool ok = false;
    OnGuiThread([&] { ok = m_documents.OpenTimingFile(path, messages); });
    return ok;
}

bool CTimingSendController::PrepareTimingSend(const std::string& address, CTimedSend& send, IMessageSink& messages)
{
    bool ok = false;
    OnGuiThread([&] {
        const CVemtDoc* doc = m_documents.CurrentDocument();
        if (!doc || !PrepareSend(*doc, m_app, send.m_prepared, messages)) return;
        send.m_app = m_app;
        send.m_app.m_szAddress = address;
        send.m_ports = ResolvePortChoices(LoadPortChoices(m_profile), CVirtualSign::Instance());
        if (m_pProgress) {
            m_pProgress->SetText(CommTexts::kScanning);
            m_pProgress->show();
        }
        ok = true;
    });
    return ok;
}

IProgressSink* CTimingSendController::TimingProgress()
{
    return m_pProgressSink.get();
}

void CTimingSendController::TimingSendDone()
{
    OnGuiThread([&] {
        if (m_pProgress) m_pProgress->hide();
        if (m_pWindow) {
            m_pWindow->activateWindow();
            m_pWindow->setFocus();
            m_pWindow->setCursor(Qt::ArrowCursor);
        }
    });
}
