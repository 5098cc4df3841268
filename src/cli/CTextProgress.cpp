#include "cli/CTextProgress.h"

#include <ostream>

void CTextProgress::SetText(const std::string& text)
{
    if (text == m_szLast) return;
    m_szLast = text;
    m_out << text << "\n";
}
