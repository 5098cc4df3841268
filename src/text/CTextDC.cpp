#include "text/CTextDC.h"

std::shared_ptr<CMonoFont> CTextDC::StockFont()
{
    CLogFont logFont;
    logFont.m_nHeight = 16;
    logFont.m_nWeight = 700;
    logFont.m_szFaceName = "System";
    static const std::shared_ptr<CMonoFont> font = CMonoFont::Create(logFont);
    return font;
}

std::shared_ptr<CMonoFont> CTextDC::SelectFont(std::shared_ptr<CMonoFont> font)
{
    std::shared_ptr<CMonoFont> previous = GetFont();
    m_pFont = std::move(font);
    return previous;
}

const std::shared_ptr<CMonoFont>& CTextDC::GetFont()
{
    if (!m_pFont) m_pFont = StockFont();
    return m_pFont;
}

int CTextDC::SetBkMode(int mode)
{
    int previous = m_nBkMode;
    m_nBkMode = mode;
    return previous;
}

COLORREF CTextDC::SetTextColor(COLORREF color)
{
    COLORREF previous = m_crText;
    m_crText = color;
    return previous;
}

COLORREF CTextDC::SetBkColor(COLORREF color)
{
    COLORREF previous = m_crBack;
    m_crBack = color;
    return previous;
}

CSize CTextDC::GetTextExtent(const char* text, int length)
{
    const auto& font = GetFont();
    return font ? font->GetTextExtent(text, length) : CSize();
}

void CTextDC::ExtTextOut(int x, int y, const CRect* clip, const char* text, int length)
{
    const auto& font = GetFont();
    if (font) font->TextOut(m_dc, x, y, text, length, m_crText, m_nBkMode == OPAQUE, m_crBack, clip);
}
