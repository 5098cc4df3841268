#include "programme/ui/SettingsEdit.h"

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"

void ApplySettingsEdit(CVemtDoc& doc, const SettingsChange& change)
{
    if (!doc.m_pApp) return;
    change(doc.m_pApp->m_aScreenInfo);
    doc.SetModifiedFlag();
}
