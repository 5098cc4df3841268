#include "programme/CPreviewClockPainter.h"

#include "raster/CRasterDC.h"
#include "text/CMonoFont.h"

namespace {

// 3 x 6 glyphs at rows 1 .. 6 of a 4 x 8 cell, '#' lit.
struct CSmallGlyph {
    char m_ch;
    const char* m_rows[6];
};
constexpr CSmallGlyph kSmallGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "#.#", "###"}},
    {'1', {".#.", "##.", ".#.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "..#", "###", "#..", "###"}},
    {'3', {"###", "..#", "###", "..#", "..#", "###"}},
    {'4', {"#.#", "#.#", "#.#", "###", "..#", "..#"}},
    {'5', {"###", "#..", "###", "..#", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "#.#", "###"}},
    {'7', {"###", "..#", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "#.#", "###"}},
    {'9', {"###", "#.#", "###", "..#", "..#", "###"}},
    {'/', {"..#", "..#", ".#.", ".#.", "#..", "#.."}},
};
constexpr int kSmallCellWidth = 4;
constexpr int kSmallCellHeight = 8;

const CSmallGlyph* SmallGlyph(char c)
{
    for (const CSmallGlyph& g : kSmallGlyphs)
        if (g.m_ch == c) return &g;
    return nullptr;
}

}  // namespace

CPreviewClockPainter::CPreviewClockPainter() = default;
CPreviewClockPainter::~CPreviewClockPainter() = default;

CMonoFont* CPreviewClockPainter::FontFor(const CPreviewFont& font)
{
    auto it = m_fonts.find(font.m_nHeight);
    if (it == m_fonts.end()) {
        CLogFont logFont;
        logFont.m_nHeight = font.m_nHeight;  // positive: the cell height
        logFont.m_nWeight = kPreviewFontWeight;
        logFont.m_nCharSet = std::uint8_t(kPreviewFontCharset);
        logFont.m_szFaceName = std::string(kPreviewFontFace);
        it = m_fonts.emplace(font.m_nHeight, CMonoFont::Create(logFont)).first;
    }
    return it->second.get();
}

bool CPreviewClockPainter::IsSmallCellText(const CPreviewFont& font, std::string_view text)
{
    if (font.m_nHeight != kSmallCellHeight || font.m_nWidth != kSmallCellWidth) return false;
    for (char c : text)
        if (!SmallGlyph(c)) return false;
    return true;
}

CSize CPreviewClockPainter::MeasureText(const CPreviewFont& font, std::string_view text)
{
    if (IsSmallCellText(font, text)) return {kSmallCellWidth * int(text.size()), kSmallCellHeight};
    CMonoFont* f = FontFor(font);
    if (!f) return {0, 0};
    return f->GetTextExtent(text.data(), int(text.size()));
}

void CPreviewClockPainter::DrawText(CRasterSurface& surface, CPoint topLeft, const CPreviewFont& font,
                                    std::string_view text, COLORREF color)
{
    if (IsSmallCellText(font, text)) {
        int x = topLeft.x;
        for (char c : text) {
            const CSmallGlyph* g = SmallGlyph(c);
            for (int row = 0; row < 6; ++row)
                for (int col = 0; col < 3; ++col)
                    if (g->m_rows[row][col] == '#') surface.SetPixel(x + col, topLeft.y + 1 + row, color);
            x += kSmallCellWidth;
        }
        return;
    }
    CMonoFont* f = FontFor(font);
    if (!f) return;
    CRasterDC dc(surface);
    f->TextOut(dc, topLeft.x, topLeft.y, text.data(), int(text.size()), color, false, 0, nullptr);
}
