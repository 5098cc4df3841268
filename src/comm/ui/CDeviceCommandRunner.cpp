#include "comm/ui/CDeviceCommandRunner.h"

#include "app/CVemtApp.h"
#include "app/ui/CQtMessageSink.h"
#include "comm/CSerialLink.h"
#include "comm/CDeviceTransport.h"
#include "comm/CVirtualSign.h"
#include "comm/CommTexts.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CClockPosDlg.h"
#include "comm/ui/CGuiThreadMessageSink.h"
#include "comm/ui/CProgressDlg.h"
#include "comm/ui/CQueuedProgressSink.h"
#include "comm/ui/CTimerDlg.h"
#include "document/CVemtDoc.h"

#include <QApplication>
#include <QCursor>
#include <QMetaObject>
#include <QTimer>

#include <atomic>
#include <cstring>
#include <thread>

CDeviceCommandRunner::CDeviceCommandRunner(QWidget* parent, CVemtApp& app, IProfile& profile,
                                           IMessageSink& messages, CVirtualSign& virtualSign)
    : m_pParent(parent), m_app(app), m_profile(profile), m_messages(messages), m_virtualSign(virtualSign),
      m_ports(LoadPortChoices(profile))
{
    m_fnBeep = [] { QApplication::beep(); };
}

int CDeviceCommandRunner::Run(EDeviceCommand command, QWidget* parent, CVemtApp& app, IProfile& profile,
                              CVemtDoc& doc)
{
    CQtMessageSink messages(parent);
    CDeviceCommandRunner runner(parent, app, profile, messages, CVirtualSign::Instance());
    return runner.Run(command, doc);
}

int CDeviceCommandRunner::Run(EDeviceCommand command, CVemtDoc& doc)
{
    m_outcome = CDeviceOutcome {};
    const CDeviceCommandTexts& texts = DeviceCommandTexts(command);
    if (command == EDeviceCommand::Timer) {
        if (doc.GetUsedHeight() == 0) {
            m_messages.ShowMessage(CommTexts::kEditAreaEmpty, CommTexts::kEditAreaEmptyCaption);
            return kDeviceNothingSent;
        }
        const TimerTable before = m_app.m_aTimer;
        CTimerDlg timer(m_app.m_aTimer, doc.GetScreenCount(), m_messages, m_pParent);
        const bool set = timer.exec() == QDialog::Accepted;
        // Entries stored before a Cancel stay stored, and are saved with the document.
        if (std::memcmp(before.data(), m_app.m_aTimer.data(), sizeof before) != 0) doc.SetModifiedFlag();
        if (!set) return kDeviceNothingSent;
    }

    CAddressDlg address(m_app, m_profile, m_ports, m_messages, texts.m_bAddressEditable, m_pParent);
    if (address.exec() != QDialog::Accepted) return kDeviceNothingSent;

    const CComPortMap ports = ResolvePortChoices(m_ports, m_virtualSign);
    {
        CDeviceTransport tty;
        CSerialLink probe(tty, ports);
        if (!probe.ConfirmComPortUsable(m_app.m_nComPort, m_messages)) return kDeviceNothingSent;
    }

    if (command == EDeviceCommand::AdjustTime) {
        const int x = m_app.m_nClockX, y = m_app.m_nClockY, second = m_app.m_bDisplaySecond;
        CClockPosDlg position(m_app, m_pParent);
        if (position.exec() != QDialog::Accepted) return kDeviceNothingSent;
        if (x != m_app.m_nClockX || y != m_app.m_nClockY || second != m_app.m_bDisplaySecond)
            doc.SetModifiedFlag();
    }
    return SendFrames(command, ports);
}

int CDeviceCommandRunner::SendFrames(EDeviceCommand command, const CComPortMap& ports)
{
    CAddressList list;
    if (!DeviceCommandTexts(command).m_bAlwaysBroadcast) ParseAddressList(m_app.m_szAddress, list);
    CDeviceFrameData data = CDeviceFrameData::From(m_app);
    data.m_fnLocalTime = m_fnLocalTime;
    const int port = m_app.m_nComPort;

    std::atomic<bool> cancel {false};
    std::atomic<bool> finished {false};
    CProgressDlg dialog(m_pParent);
    CQueuedProgressSink progress(&dialog);
    CQtMessageSink unowned(nullptr);
    CGuiThreadMessageSink messages(m_pFrameMessages ? *m_pFrameMessages : unowned, &dialog);
    dialog.SetCancelFlag(&cancel);
    const std::function<void()> beep = [this, &dialog] {
        QMetaObject::invokeMethod(&dialog, [this] { if (m_fnBeep) m_fnBeep(); }, Qt::QueuedConnection);
    };

    QApplication::setOverrideCursor(Qt::BusyCursor);
    std::thread worker([&] {
        CDeviceTransport tty;
        CSerialLink link(tty, ports, &messages);
        CDeviceCommand runner(command, data, link, messages, &progress, beep, &cancel);
        m_outcome = runner.Run(list, port);
        finished = true;
        QMetaObject::invokeMethod(&dialog, [&dialog] { dialog.Finish(); }, Qt::QueuedConnection);
    });
    if (m_fnOnProgressShown) QTimer::singleShot(0, &dialog, [this, &dialog] { m_fnOnProgressShown(dialog); });
    dialog.exec();
    // The window only ends early when the application is asked to quit: stop after the
    // frame on the wire and keep answering the worker until it is done.
    if (!finished) cancel = true;
    while (!finished) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    worker.join();
    QApplication::restoreOverrideCursor();
    return m_outcome.AllDelivered() ? kDeviceAllDelivered : kDeviceSomeFailed;
}
