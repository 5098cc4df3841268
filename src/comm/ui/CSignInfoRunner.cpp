#include "comm/ui/CSignInfoRunner.h"

#include "app/CVemtApp.h"
#include "app/ui/CQtMessageSink.h"
#include "comm/CAddressList.h"
#include "comm/CSerialLink.h"
#include "comm/CDeviceTransport.h"
#include "comm/CVirtualSign.h"
#include "comm/CommTexts.h"
#include "comm/ui/CAddressDlg.h"
#include "comm/ui/CSignInfoDlg.h"

#include <QTimer>

CSignInfoRunner::CSignInfoRunner(QWidget* parent, CVemtApp& app, IProfile& profile, IMessageSink& messages,
                                 CVirtualSign& virtualSign)
    : m_pParent(parent), m_app(app), m_profile(profile), m_messages(messages), m_virtualSign(virtualSign),
      m_ports(LoadPortChoices(profile))
{
}

void CSignInfoRunner::Run(QWidget* parent, CVemtApp& app, IProfile& profile)
{
    CQtMessageSink messages(parent);
    CSignInfoRunner runner(parent, app, profile, messages, CVirtualSign::Instance());
    runner.Run();
}

bool CSignInfoRunner::Run()
{
    CAddressDlg address(m_app, m_profile, m_ports, m_messages, true, m_pParent);
    if (address.exec() != QDialog::Accepted) return false;

    const CComPortMap ports = ResolvePortChoices(m_ports, m_virtualSign);
    {
        CDeviceTransport tty;
        CSerialLink probe(tty, ports);
        if (!probe.ConfirmComPortUsable(m_app.m_nComPort, m_messages)) return false;
    }
    CAddressList list;
    ParseAddressList(m_app.m_szAddress, list);
    if (HasBroadcastAddress(list)) {
        m_messages.ShowMessage(CommTexts::kInfoNoBroadcast, CommTexts::kInfoNoBroadcastCaption);
        return false;
    }

    CSignInfoDlg dialog(list, ports, m_app.m_nComPort, m_pQueryMessages, m_pParent);
    if (m_fnOnDialogShown) QTimer::singleShot(0, &dialog, [this, &dialog] { m_fnOnDialogShown(dialog); });
    dialog.exec();
    return true;
}
