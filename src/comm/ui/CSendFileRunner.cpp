#include "comm/ui/CSendFileRunner.h"

#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "app/ui/CQtMessageSink.h"
#include "comm/CSendFileCommand.h"
#include "comm/CSerialLink.h"
#include "comm/CDeviceTransport.h"
#include "comm/CVirtualSign.h"
#include "comm/CommTexts.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CGuiThreadMessageSink.h"
#include "comm/ui/CProgressDlg.h"
#include "comm/ui/CQueuedProgressSink.h"
#include "comm/ui/CVirtualSignWindow.h"

#include <QApplication>
#include <QCursor>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>

CSendFileRunner::CSendFileRunner(QWidget* parent, CVemtApp& app, IProfile& profile, IMessageSink& messages,
                                 CVirtualSign& virtualSign)
    : m_pParent(parent), m_app(app), m_profile(profile), m_messages(messages), m_virtualSign(virtualSign),
      m_ports(LoadPortChoices(profile))
{
}

int CSendFileRunner::Run(QWidget* parent, CVemtApp& app, IProfile& profile, const CVemtDoc& doc)
{
    CQtMessageSink messages(parent);
    CSendFileRunner runner(parent, app, profile, messages, CVirtualSign::Instance());
    const int result = runner.Run(doc);
    // A user sending to the built-in sign wants to see what it shows now; a send that
    // reached no sign changed nothing there worth showing.
    if (runner.UsedVirtualSign() && runner.ReachedASign()) ShowVirtualSignWindow(parent);
    return result;
}

int CSendFileRunner::Run(const CVemtDoc& doc)
{
    if (!AskAddress()) return kSendNothingSent;
    return Send(doc);
}

bool CSendFileRunner::AskAddress()
{
    CAddressDlg dlg(m_app, m_profile, m_ports, m_messages, true, m_pParent);
    return dlg.exec() == QDialog::Accepted;
}

int CSendFileRunner::Send(const CVemtDoc& doc)
{
    m_bUsedVirtualSign = m_ports.DevicePath(m_app.m_nComPort) == CVirtualSign::kDeviceName;
    m_bReachedASign = false;
    const CComPortMap ports = ResolvePortChoices(m_ports, m_virtualSign);
    {
        CDeviceTransport tty;
        CSerialLink probe(tty, ports);
        if (!probe.ConfirmComPortUsable(m_app.m_nComPort, m_messages)) return kSendNothingSent;
    }
    CPreparedSend prepared;
    if (!PrepareSend(doc, m_app, prepared, m_messages)) return kSendNothingSent;
    const CVemtApp sendApp = m_app;

    std::atomic<bool> cancel {false};
    std::atomic<bool> finished {false};
    CSendOutcome outcome;
    // The window goes before the sinks that post to it.
    CProgressDlg dialog(m_pParent);
    CQueuedProgressSink progress(&dialog);
    CGuiThreadMessageSink messages(m_messages, &dialog);
    dialog.SetCancelFlag(&cancel);
    dialog.SetText(CommTexts::kScanning);

    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::thread worker([&] {
        outcome = ScanAndSend(prepared, sendApp, ports, messages, &progress, &cancel);
        finished = true;
        QMetaObject::invokeMethod(&dialog, [&dialog] { dialog.Finish(); }, Qt::QueuedConnection);
    });
    if (m_fnOnProgressShown) QTimer::singleShot(0, &dialog, [this, &dialog] { m_fnOnProgressShown(dialog); });
    dialog.exec();
    // The dialog only ends early when the whole application is asked to quit: stop after
    // the current frame, and keep answering the worker's messages until it is done.
    if (!finished) cancel = true;
    // The worker's last act posts to the dialog, so this wait always wakes.
    while (!finished) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    worker.join();
    QApplication::restoreOverrideCursor();

    if (!outcome.m_bScanned || outcome.m_nSendFile != 0) return kSendNothingSent;
    m_bReachedASign = std::any_of(outcome.m_aResults.begin(), outcome.m_aResults.end(),
                                  [](const CSendOperation::CAddressResult& r) { return r.m_nResult == 1; });
    return outcome.AllDelivered() ? kSendAllDelivered : kSendSomeFailed;
}
