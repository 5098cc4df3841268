#include "document/CDrawFont.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "raster/CRasterDC.h"
#include "text/CLogFont.h"
#include "text/CMonoFont.h"
#include "text/CTextDC.h"
#include "text/CTextLayout.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char* const kCreateFontFailed = "Create Font failed";

// Without a sign to ask, text is laid out for the widest sign there is.
constexpr int kWidestSign = 320;

void WriteToStandardError(const std::string& text, const std::string& caption)
{
    std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
}

CDrawFont::MessageHandler g_pMessageHandler = &WriteToStandardError;

}  // namespace

CDrawFont::CDrawFont()
{
    m_nKind = kKindText;
}

CDrawFont::CDrawFont(const CRect& position, COLORREF crLine, COLORREF crFill)
    : CDrawRect(position, crLine, crFill, 1, kFillOutline)
{
    m_nKind = kKindText;
}

void CDrawFont::SetMessageHandler(MessageHandler handler)
{
    g_pMessageHandler = handler ? handler : &WriteToStandardError;
}

std::string CDrawFont::GetFaceName() const
{
    return std::string(m_szFaceName, strnlen(m_szFaceName, kFaceNameSize));
}

void CDrawFont::SetFaceName(const std::string& name)
{
    const std::size_t n = std::min<std::size_t>(name.size(), kFaceNameSize - 1);
    std::memcpy(m_szFaceName, name.data(), n);
    m_szFaceName[n] = '\0';
}

CLogFont CDrawFont::MakeLogFont() const
{
    CLogFont lf;
    lf.m_nHeight = CLogFont::HeightFromPointSize(m_nPointSize);
    lf.m_nWeight = m_bBold ? 700 : 400;
    lf.m_bItalic = m_bItalic != 0;
    lf.m_bUnderline = m_bUnderline != 0;
    lf.m_nCharSet = m_nCharSet;
    lf.m_szFaceName = GetFaceName();
    return lf;
}

int CDrawFont::SignWidth() const
{
    if (m_pDocument && m_pDocument->m_pApp) return m_pDocument->m_pApp->m_nTPWidth;
    return kWidestSign;
}

int CDrawFont::SignHeight() const
{
    // 0: no sign known, no screen boundaries to respect.
    return m_pDocument && m_pDocument->m_pApp ? m_pDocument->m_pApp->m_nTPHeight : 0;
}

void CDrawFont::ApplyTextDefaults()
{
    SetFaceName(g_szLastFontName);
    m_nPointSize = g_nLastFontSize;
    m_nCharSet = std::uint8_t(g_nLastFontCharset);
    m_nCurPitch = g_nLastFontCurPitch;
    m_bBold = m_bItalic = m_bUnderline = 0;
    m_nBkMode = CTextDC::TRANSPARENT;
}

void CDrawFont::SetText(const char* text)
{
    if (!text) text = " ";
    m_pszText.assign(text, text + std::strlen(text) + 1);
}

void CDrawFont::PrepareText(const CTextEntryValues& entry, int signWidth)
{
    m_bBold = entry.m_bBold;
    m_bItalic = entry.m_bItalic;
    m_bUnderline = entry.m_bUnderline;
    m_nPointSize = entry.m_nFontSize;
    m_nCharSet = entry.m_nCharSet;
    SetFaceName(entry.m_szFaceName);
    m_nBkMode = entry.m_nBkMode;
    m_nCurPitch = entry.m_nCurPitch;
    m_strRawText = entry.m_strText;
    if (entry.m_strText.empty()) return;

    const std::string expanded = CTextLayout::ExpandTabs(entry.m_strText);
    std::shared_ptr<CMonoFont> font = CMonoFont::Create(MakeLogFont());
    if (!font) font = CTextDC::StockFont();
    const int width = signWidth > 0 ? signWidth : SignWidth();
    const std::string prepared = font ? CTextLayout::InsertBreaks(*font, expanded, width) : expanded;
    m_pszText.assign(prepared.begin(), prepared.end());
    m_pszText.push_back('\0');
    m_nTextSize = int(m_pszText.size());
}

void CDrawFont::Draw(CRasterDC& dc, IDrawView* view)
{
    m_nTextWidth = 0;
    m_nTextHeight = 0;
    m_nDrawnBottom = m_rcPosition.top;
    CRect area;
    if (GetDrawArea(view, area)) {
        CRect overlap;
        if (!overlap.IntersectRect(m_rcPosition.Normalized(), area)) return;
    }
    if (m_nTextSize < 1) return;

    CTextDC text(dc);
    std::shared_ptr<CMonoFont> font = CMonoFont::Create(MakeLogFont());
    if (!font) g_pMessageHandler(kCreateFontFailed, "");
    std::shared_ptr<CMonoFont> oldFont = font ? text.SelectFont(font) : nullptr;
    text.SetBkMode(m_nBkMode);
    text.SetTextColor(m_crLine);
    text.SetBkColor(m_crFill);

    const int length = std::min<int>(m_nTextSize, int(m_pszText.size()));
    const std::vector<std::string> lines = CTextLayout::SplitLines(m_pszText.data(), length);
    const int H = SignHeight();
    const int x = m_rcPosition.left;
    int y = m_rcPosition.top;
    int pitch = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i].empty() ? std::string(" ") : lines[i];
        const CSize extent = text.GetTextExtent(line);
        const int h = extent.cy;
        m_nTextHeight += i == 0 ? h : pitch;
        m_nTextWidth = std::max(m_nTextWidth, extent.cx);
        y = CTextLayout::FitLine(y, h, H, g_bCanSpan != 0);
        text.ExtTextOut(x, y, &m_rcPosition, line);
        m_nDrawnBottom = std::max(m_nDrawnBottom, y + h);
        pitch = CTextLayout::RowPitch(h, m_nRowPitch, g_bFixRowPitch != 0, g_nFixRowPitch);
        y += pitch;
    }
    if (oldFont) text.SelectFont(oldFont);
}

bool CDrawFont::TouchesRect(const CRect& rect)
{
    return CDrawObj::TouchesRect(rect);
}

CDrawObj* CDrawFont::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CDrawFont;
    clone->m_bBold = m_bBold;
    clone->m_bItalic = m_bItalic;
    clone->m_bUnderline = m_bUnderline;
    clone->m_nPointSize = m_nPointSize;
    clone->m_nCharSet = m_nCharSet;
    std::memcpy(clone->m_szFaceName, m_szFaceName, kFaceNameSize);
    clone->m_nCurPitch = m_nCurPitch;
    clone->m_nTextSize = m_nTextSize;
    clone->m_pszText = m_pszText;
    clone->m_nRowPitch = m_nRowPitch;
    clone->m_nBkMode = m_nBkMode;
    CopyBaseInto(clone, doc);
    return clone;
}

void CDrawFont::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteU8(std::uint8_t(m_bBold));
        ar.WriteU8(std::uint8_t(m_bItalic));
        ar.WriteU8(std::uint8_t(m_bUnderline));
        ar.WriteI32(m_nPointSize);
        ar.WriteU8(m_nCharSet);
        ar.WriteBytes(m_szFaceName, kFaceNameSize);
        const std::uint32_t size = std::uint32_t(std::max(0, m_nTextSize));
        ar.WriteU32(size);
        // The buffer may be shorter than the size (a text set without preparing it):
        // the missing bytes are written as zeros, never read from beyond the buffer.
        const std::size_t have = std::min<std::size_t>(size, m_pszText.size());
        ar.WriteBytes(m_pszText.data(), have);
        for (std::size_t i = have; i < size; ++i) ar.WriteU8(0);
        ar.WriteI32(m_nBkMode);
        ar.WriteI32(m_nCurPitch);
        ar.WriteI32(m_nRowPitch);
        ar.WriteString(m_strRawText);
        return;
    }
    if (ar.Failed()) return;
    m_bBold = ar.ReadU8();
    m_bItalic = ar.ReadU8();
    m_bUnderline = ar.ReadU8();
    m_nPointSize = ar.ReadI32();
    m_nCharSet = ar.ReadU8();
    if (!ar.ReadBytes(m_szFaceName, kFaceNameSize)) {
        ar.SetError("a text object ends inside its face name");
        return;
    }
    const std::uint32_t size = ar.ReadU32();
    if (ar.Failed() || !ar.CheckCount(size, 1, "the text of a text object")) return;
    m_nTextSize = int(size);
    // One byte more than stored, so the text ends with a zero even if the file's does not.
    m_pszText.assign(std::size_t(size) + 1, '\0');
    if (size > 0 && !ar.ReadBytes(m_pszText.data(), size)) {
        ar.SetError("a text object ends inside its text");
        return;
    }
    m_nBkMode = ar.ReadI32();
    m_nCurPitch = ar.ReadI32();
    m_nRowPitch = ar.ReadI32();
    if (!ar.ReadString(m_strRawText) && !ar.Failed()) ar.SetError("a text object ends inside its typed text");
}
