#pragma once
// The preview clock's text. The small font (8 high, 4 wide) only ever shows the year
// and the date, and no outline face is legible at 8 dots, so its digits and '/' come
// from a built-in 4 x 8 cell font; everything else is drawn by the program's own font
// engine, with the same dots as every other text on the canvas.

#include "programme/IPreviewTextPainter.h"

#include <map>
#include <memory>

class CMonoFont;

class CPreviewClockPainter : public IPreviewTextPainter {
public:
    CPreviewClockPainter();
    ~CPreviewClockPainter() override;

    CSize MeasureText(const CPreviewFont& font, std::string_view text) override;
    void DrawText(CRasterSurface& surface, CPoint topLeft, const CPreviewFont& font,
                  std::string_view text, COLORREF color) override;

private:
    // True when every byte of text has a cell in the built-in small font.
    static bool IsSmallCellText(const CPreviewFont& font, std::string_view text);

    // nullptr when no face is installed at all; the clock then stays empty.
    CMonoFont* FontFor(const CPreviewFont& font);

    // By cell height. The engine makes fonts by height alone, so the narrow widths of
    // the clock's fonts come from the face's own proportions.
    std::map<int, std::shared_ptr<CMonoFont>> m_fonts;
};
