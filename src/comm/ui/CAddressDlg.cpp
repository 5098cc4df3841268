#include "comm/ui/CAddressDlg.h"

#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "app/IProfile.h"
#include "comm/CAddressList.h"
#include "comm/CComPortMap.h"
#include "comm/CRfc2217Transport.h"
#include "comm/CVirtualSign.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractItemView>
#include <QVBoxLayout>

CAddressDlg::CAddressDlg(CVemtApp& app, IProfile& profile, CComPortMap& ports, IMessageSink& messages,
                         bool allowEdit, QWidget* parent)
    : CAddressDlg(app, profile, ports, messages, allowEdit, CComPortMap::ListSerialPorts(), parent)
{
}

CAddressDlg::CAddressDlg(CVemtApp& app, IProfile& profile, CComPortMap& ports, IMessageSink& messages,
                         bool allowEdit, const std::vector<std::string>& machinePorts, QWidget* parent)
    : QDialog(parent), m_app(app), m_profile(profile), m_ports(ports), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Please confirm"));
    BuildControls(machinePorts);

    // On an RS-422 line the port is not the user's choice: both stay unmarked and the
    // stored number is used as it is.
    if (m_app.m_nIs232 == 0) {
        m_pCom1->setEnabled(false);
        m_pCom2->setEnabled(false);
    } else {
        m_pCom1->setChecked(m_app.m_nComPort == 1);
        m_pCom2->setChecked(m_app.m_nComPort == 2);
    }
    ShowDevice(m_pDevice1, m_ports.DevicePath(1));
    ShowDevice(m_pDevice2, m_ports.DevicePath(2));

    m_pAddress->setText(QString::fromStdString(m_app.m_szAddress));
    m_pAddress->setEnabled(allowEdit);
    m_pOk->setEnabled(!m_pAddress->text().isEmpty());
}

QString CAddressDlg::VirtualSignText()
{
    return QStringLiteral("Built-in virtual sign (address %1)").arg(int(CVirtualSign::kAddress));
}

void CAddressDlg::BuildControls(const std::vector<std::string>& machinePorts)
{
    m_pPrompt = new QLabel(QStringLiteral("Please input the address of Moving-Sign that will receive message"), this);
    m_pAddress = new QLineEdit(this);
    m_pAddress->setMaxLength(kMaxAddressChars);
    m_pHint = new QLabel(QStringLiteral("(If have more than one address,please seperate by comma)"), this);

    auto* portBox = new QGroupBox(QStringLiteral("Please confirm the COM port"), this);
    m_pCom1 = new QRadioButton(QStringLiteral("COM1"), portBox);
    m_pCom2 = new QRadioButton(QStringLiteral("COM2"), portBox);
    auto* group = new QButtonGroup(this);
    group->addButton(m_pCom1);
    group->addButton(m_pCom2);
    auto makeCombo = [&]() {
        auto* combo = new QComboBox(portBox);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setMinimumContentsLength(28);
        combo->addItem(VirtualSignText(), QString::fromLatin1(CVirtualSign::kDeviceName));
        for (const std::string& p : machinePorts) combo->addItem(QString::fromStdString(p), QString::fromStdString(p));
        // Stable device names (/dev/serial/by-id/...) are long: the list shows them whole.
        combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 24);
        // The field also takes a serial device server in the network.
        combo->lineEdit()->setPlaceholderText(QStringLiteral("device path or rfc2217://HOST:PORT"));
        combo->setToolTip(QStringLiteral("A serial device, or a serial device server as rfc2217://HOST:PORT"));
        return combo;
    };
    m_pDevice1 = makeCombo();
    m_pDevice2 = makeCombo();
    auto* portLayout = new QGridLayout(portBox);
    portLayout->addWidget(m_pCom1, 0, 0);
    portLayout->addWidget(m_pDevice1, 0, 1);
    portLayout->addWidget(m_pCom2, 1, 0);
    portLayout->addWidget(m_pDevice2, 1, 1);
    portLayout->setColumnStretch(1, 1);

    m_pOk = new QPushButton(QStringLiteral("Ok"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pOk->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);

    auto* top = new QVBoxLayout(this);
    top->addWidget(m_pPrompt);
    top->addWidget(m_pAddress);
    top->addWidget(m_pHint);
    top->addWidget(portBox);
    top->addLayout(buttons);

    connect(m_pAddress, &QLineEdit::textChanged, this, [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
    // The choice takes effect at once; only "Ok" makes it last beyond this run.
    connect(m_pCom1, &QRadioButton::clicked, this, [this] { m_app.m_nComPort = 1; });
    connect(m_pCom2, &QRadioButton::clicked, this, [this] { m_app.m_nComPort = 2; });
    connect(m_pOk, &QPushButton::clicked, this, &CAddressDlg::OnOk);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CAddressDlg::ShowDevice(QComboBox* combo, const std::string& device)
{
    const int index = combo->findData(QString::fromStdString(device));
    if (index >= 0) {
        combo->setCurrentIndex(index);
        return;
    }
    // A device that is not plugged in now (or a path typed earlier) is still shown.
    combo->addItem(QString::fromStdString(device), QString::fromStdString(device));
    combo->setCurrentIndex(combo->count() - 1);
}

std::string CAddressDlg::ChosenDevice(const QComboBox* combo) const
{
    const QString text = combo->currentText().trimmed();
    if (text == VirtualSignText()) return CVirtualSign::kDeviceName;
    const int index = combo->findText(text);
    if (index >= 0) return combo->itemData(index).toString().toStdString();
    return text.toStdString();
}

void CAddressDlg::OnOk()
{
    const std::string text = m_pAddress->text().toStdString();
    const CAddressCheck check = CheckAddressString(text);
    if (!check.Ok()) {
        m_messages.ShowMessage(check.m_szMessage, check.m_szCaption);
        m_pAddress->setFocus();
        m_pAddress->selectAll();
        return;
    }
    for (QComboBox* combo : {m_pDevice1, m_pDevice2}) {
        // A device server address that cannot be read would only fail at the next send.
        const std::string device = ChosenDevice(combo);
        std::string host, port, error;
        if (CRfc2217Transport::IsUrl(device) && !CRfc2217Transport::ParseUrl(device, host, port, error)) {
            const std::string name = CComPortMap::PortName(combo == m_pDevice1 ? 1 : 2);
            m_messages.ShowMessage(name + " (" + device + "): " + error, "Error");
            combo->setFocus();
            combo->lineEdit()->selectAll();
            return;
        }
    }
    m_app.m_szAddress = text;
    m_profile.WriteProfileString("SendOption", "PingHao", text);
    m_profile.WriteProfileInt("SendOption", "Comport", m_app.m_nComPort);
    for (int port = 1; port <= 2; ++port) {
        const std::string device = ChosenDevice(port == 1 ? m_pDevice1 : m_pDevice2);
        // An emptied list keeps the device it had.
        if (!device.empty()) m_ports.SetDevicePath(port, device);
    }
    m_ports.Save(m_profile);
    accept();
}
