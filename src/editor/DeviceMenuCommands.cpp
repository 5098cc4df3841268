#include "editor/DeviceMenuCommands.h"

#include "comm/CDeviceCommand.h"
#include "comm/ui/CDeviceCommandRunner.h"
#include "comm/ui/CSignInfoRunner.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/MenuCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void InstallDeviceCommands(CMainFrame& frame, CVemtApp& app, IProfile& profile)
{
    QMenuBar* bar = frame.menuBar();
    CMainFrame* owner = &frame;
    // The commands belong to a document window, as its view's commands.
    const auto hasDocument = [owner] { return owner->ActiveChild() != nullptr; };
    for (const EDeviceCommand command :
         {EDeviceCommand::AdjustTime, EDeviceCommand::OpenSign, EDeviceCommand::CloseSign, EDeviceCommand::Timer,
          EDeviceCommand::ShowAddress, EDeviceCommand::HideAddress}) {
        WireMenuCommand(
            bar, QString::fromLatin1(DeviceCommandTexts(command).m_szMenuText),
            [owner, command, &app, &profile] {
                if (CChildFrame* child = owner->ActiveChild())
                    CDeviceCommandRunner::Run(command, owner, app, profile, child->Document());
            },
            hasDocument);
    }
    // "Test" and "Set the address of Lextrel" have no action and stay disabled.

    QMenu* send = FindMenu(bar, QStringLiteral("Send(&S)"));
    if (!send) return;
    send->addSeparator();
    QAction* info = send->addAction(QString::fromLatin1(kSignInformationMenuText));
    info->setStatusTip(QStringLiteral("Get moving-sign information such as version,memory size"));
    info->setEnabled(false);
    WireMenuCommand(bar, info->text(), [owner, &app, &profile] { CSignInfoRunner::Run(owner, app, profile); },
                    hasDocument);
}
