#pragma once
// The text side of a drawing context: the selected font, background mode and the text
// and background colours, over a CRasterDC that does the pixel work. Until a font is
// selected the context has the stock system font.

#include "raster/Geometry.h"
#include "text/CMonoFont.h"

#include <memory>
#include <string>

class CRasterDC;

class CTextDC {
public:
    enum BkMode { TRANSPARENT = 1, OPAQUE = 2 };

    explicit CTextDC(CRasterDC& dc) : m_dc(dc) {}

    CRasterDC& RasterDC() { return m_dc; }

    // The previous font comes back so that it can be restored.
    std::shared_ptr<CMonoFont> SelectFont(std::shared_ptr<CMonoFont> font);
    const std::shared_ptr<CMonoFont>& GetFont();

    int SetBkMode(int mode);  // TRANSPARENT or OPAQUE; the previous mode comes back
    int GetBkMode() const { return m_nBkMode; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_crBack; }

    CSize GetTextExtent(const char* text, int length);
    CSize GetTextExtent(const std::string& text) { return GetTextExtent(text.data(), int(text.size())); }

    // The string's cell with its top-left at (x, y), clipped to `clip` (logical) when given.
    void ExtTextOut(int x, int y, const CRect* clip, const char* text, int length);
    void ExtTextOut(int x, int y, const CRect* clip, const std::string& text)
    {
        ExtTextOut(x, y, clip, text.data(), int(text.size()));
    }

    // The stock font a context starts with (the platform's 16-dot system font).
    static std::shared_ptr<CMonoFont> StockFont();

private:
    CRasterDC& m_dc;
    std::shared_ptr<CMonoFont> m_pFont;
    int m_nBkMode = OPAQUE;
    COLORREF m_crText = 0x000000;
    COLORREF m_crBack = 0xFFFFFF;
};
