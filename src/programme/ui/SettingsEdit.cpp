#include "programme/ui/SettingsEdit.h"

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"
#include "editor/undo/CUndoHistory.h"
#include "programme/ui/CSettingsCommand.h"

void ApplySettingsEdit(CVemtDoc& doc, const SettingsChange& change)
{
    if (!doc.m_pApp) return;
    std::vector<SCREENINFO>& table = doc.m_pApp->m_aScreenInfo;
    std::vector<SCREENINFO> before = table;
    change(table);
    if (!CSettingsCommand::SameTable(before, table))
        CUndoHistory::Of(doc).Push(new CSettingsCommand(doc, std::move(before), table));
    // An edit that changed nothing (a drop-down left with Escape) still counts as one.
    doc.SetModifiedFlag();
}
