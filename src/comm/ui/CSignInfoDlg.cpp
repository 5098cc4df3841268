#include "comm/ui/CSignInfoDlg.h"

#include "comm/CSerialLink.h"
#include "comm/CDeviceTransport.h"
#include "comm/ui/CGuiThreadMessageSink.h"
#include "comm/ui/CQueryResultDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CSignInfoDlg::CSignInfoDlg(const CAddressList& list, const CComPortMap& ports, int port, IMessageSink* messages,
                           QWidget* parent)
    : QDialog(parent), m_list(list), m_ports(ports), m_nPort(port), m_ownMessages(this),
      m_messages(messages ? *messages : m_ownMessages)
{
    setWindowTitle(QStringLiteral("Moving-Sing Information"));
    m_fnBeep = [] { QApplication::beep(); };
    auto* layout = new QVBoxLayout(this);
    for (QLabel*& line : m_apLine) {
        line = new QLabel;
        line->setTextFormat(Qt::PlainText);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(line);
    }
    layout->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_pClose = new QPushButton(QStringLiteral("Close"));
    m_pViewLog = new QPushButton(QStringLiteral("View Log..."));
    buttons->addWidget(m_pClose);
    buttons->addWidget(m_pViewLog);
    layout->addLayout(buttons);
    connect(m_pClose, &QPushButton::clicked, this, &CSignInfoDlg::reject);
    connect(m_pViewLog, &QPushButton::clicked, this, &CSignInfoDlg::ViewLog);
    setMinimumWidth(520);

    SetLines(SignInfoLinesWaiting(m_list.m_nAddressCount > 0 ? m_list.m_abyAddress[0] : 0));
}

CSignInfoDlg::~CSignInfoDlg()
{
    // Only when the whole application goes while signs are being asked: stop after the
    // sign being asked, and keep answering the worker's boxes until it is done.
    m_bStop = true;
    while (m_bQuerying) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (m_worker.joinable()) m_worker.join();
}

void CSignInfoDlg::SetLines(const CSignInfoLines& lines)
{
    // The sign's texts are bytes of its own code page, not UTF-8.
    for (std::size_t i = 0; i < lines.size(); ++i) m_apLine[i]->setText(QString::fromLatin1(lines[i]));
}

std::string CSignInfoDlg::LogText() const
{
    return JoinInfoLog(m_aAnswers);
}

void CSignInfoDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The window is drawn before the line is used.
    if (!m_bStarted) {
        m_bStarted = true;
        QTimer::singleShot(m_nStartDelayMs, this, &CSignInfoDlg::StartQuery);
    }
}

void CSignInfoDlg::StartQuery()
{
    m_bQuerying = true;
    m_pClose->setEnabled(false);
    m_pViewLog->setEnabled(false);
    m_aAnswers.clear();
    m_worker = std::thread([this] {
        // Boxes of the worker are shown on this window's thread while the worker waits.
        CGuiThreadMessageSink messages(m_messages, this);
        CDeviceTransport tty;
        CSerialLink link(tty, m_ports, &messages);
        CSignInfoQuery query(
            link, messages,
            [this] { QMetaObject::invokeMethod(this, [this] { if (m_fnBeep) m_fnBeep(); }, Qt::QueuedConnection); },
            [this](const CSignInfoAnswer& answer) {
                QMetaObject::invokeMethod(this, [this, answer] { OnAnswer(answer); }, Qt::QueuedConnection);
            });
        query.Run(m_list, m_nPort, &m_bStop);
        QMetaObject::invokeMethod(this, [this] { OnFinished(); }, Qt::QueuedConnection);
    });
}

void CSignInfoDlg::OnAnswer(const CSignInfoAnswer& answer)
{
    m_aAnswers.push_back(answer);
    SetLines(SignInfoLinesFor(answer));
}

void CSignInfoDlg::OnFinished()
{
    if (m_worker.joinable()) m_worker.join();
    m_bQuerying = false;
    m_pClose->setEnabled(true);
    m_pViewLog->setEnabled(true);
    m_pClose->setFocus();
    emit QueryFinished();
}

void CSignInfoDlg::reject()
{
    // The line is in use until the last sign has answered.
    if (m_bQuerying) return;
    QDialog::reject();
}

void CSignInfoDlg::ViewLog()
{
    CQueryResultDlg result(QString::fromLatin1(LogText()), this);
    result.exec();
}
