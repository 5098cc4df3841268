#include "programme/ui/ProgrammeCommands.h"

#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/MenuCommands.h"
#include "programme/ui/CPreviewDlg.h"
#include "programme/ui/CSettingListDlg.h"

#include <QMenuBar>

void InstallProgrammeCommands(CMainFrame& frame, CVemtApp& app, IProfile& profile)
{
    auto hasContent = [&frame] {
        CChildFrame* child = frame.ActiveChild();
        return child && child->Document().GetUsedHeight() != 0;
    };
    WireMenuCommand(frame.menuBar(), QStringLiteral("Set Moving Method..."), [&frame] {
        CChildFrame* child = frame.ActiveChild();
        if (!child) return;
        CSettingListDlg dlg(child->Document(), &frame);
        dlg.exec();
    }, hasContent);
    WireMenuCommand(frame.menuBar(), QStringLiteral("Preview..."), [&frame, &app, &profile] {
        CChildFrame* child = frame.ActiveChild();
        if (!child) return;
        CPreviewDlg dlg(app, child->Document(), profile, &frame);
        dlg.exec();
    }, hasContent);
}
