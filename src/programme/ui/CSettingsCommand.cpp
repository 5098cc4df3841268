#include "programme/ui/CSettingsCommand.h"

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"

#include <cstring>

CSettingsCommand::CSettingsCommand(CVemtDoc& doc, std::vector<SCREENINFO> before, std::vector<SCREENINFO> after)
    : QUndoCommand(QString::fromLatin1(kStepMovingMethod)), m_doc(doc), m_before(std::move(before)),
      m_after(std::move(after))
{
}

bool CSettingsCommand::SameTable(const std::vector<SCREENINFO>& a, const std::vector<SCREENINFO>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(SCREENINFO)) == 0);
}

void CSettingsCommand::undo() { Apply(m_before); }
void CSettingsCommand::redo() { Apply(m_after); }

void CSettingsCommand::Apply(const std::vector<SCREENINFO>& side)
{
    if (m_doc.m_pApp) m_doc.m_pApp->m_aScreenInfo = side;
}
