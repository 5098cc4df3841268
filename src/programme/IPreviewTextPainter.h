#pragma once
// How the preview's clock gets its text onto the display: the font engine lives
// elsewhere, the preview only asks for sizes and transparent text output.

#include "raster/CRasterSurface.h"
#include "raster/Geometry.h"

#include <string_view>

// The clock's two fonts: face "System", character set GB2312 (134), weight 400,
// escapement and orientation 1 (a tenth of a degree, nothing visible at these sizes).
struct CPreviewFont {
    int m_nHeight = 8;
    int m_nWidth = 4;
};
inline constexpr std::string_view kPreviewFontFace = "System";
inline constexpr int kPreviewFontCharset = 134;
inline constexpr int kPreviewFontWeight = 400;

class IPreviewTextPainter {
public:
    virtual ~IPreviewTextPainter() = default;
    // Extent of text (bytes in the GB2312 code page) in that font, in dots.
    virtual CSize MeasureText(const CPreviewFont& font, std::string_view text) = 0;
    // Draws text with its cell's top-left at topLeft, background left as it is.
    virtual void DrawText(CRasterSurface& surface, CPoint topLeft, const CPreviewFont& font,
                          std::string_view text, COLORREF color) = 0;
};
