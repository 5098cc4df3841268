#pragma once
// A created font: one face at one pixel size, every dot on or off. Glyphs are rendered
// once with FreeType's monochrome rasteriser and hinting, then kept.
//
// Measuring follows the platform's rules: a string is as wide as the sum of its
// characters' advances and as high as the font's ascent plus descent. The text is
// bytes in the code page of the font's character set.

#include "raster/Geometry.h"
#include "text/CFontEngine.h"
#include "text/CLogFont.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CRasterDC;
struct FT_SizeRec_;

// One rendered character. The bitmap is 1 bit a dot, most significant bit leftmost.
struct CMonoGlyph {
    int m_nAdvance = 0;  // dots the pen moves on
    int m_nLeft = 0;     // bitmap's left edge relative to the pen
    int m_nTop = 0;      // bitmap's top row, dots above the baseline
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nStride = 0;
    std::vector<std::uint8_t> m_aBits;

    bool Dot(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight &&
               (m_aBits[std::size_t(y) * m_nStride + x / 8] & (0x80 >> (x % 8))) != 0;
    }
};

class CMonoFont {
public:
    ~CMonoFont();
    CMonoFont(const CMonoFont&) = delete;
    CMonoFont& operator=(const CMonoFont&) = delete;

    // Through the engine; nullptr when no face can be found.
    static std::shared_ptr<CMonoFont> Create(const CLogFont& logFont)
    {
        return CFontEngine::Instance().CreateFont(logFont);
    }
    static std::shared_ptr<CMonoFont> Open(CFontEngine& engine, const CLogFont& logFont,
                                           const CResolvedFace& face);

    // The logical font as asked for: the face name stays the stored one even when
    // another face draws it.
    const CLogFont& LogFont() const { return m_logFont; }
    const CResolvedFace& Face() const { return m_face; }
    int CodePage() const { return m_nCodePage; }

    int PixelSize() const { return m_nPixelSize; }  // em height in dots
    int Ascent() const { return m_nAscent; }
    int Descent() const { return m_nDescent; }
    int Height() const { return m_nAscent + m_nDescent; }

    // Bytes (1 or 2) of the character at text[i]; pairs exist only in double-byte code pages.
    int CharLength(const char* text, int length, int i) const;

    const CMonoGlyph& Glyph(char32_t codePoint);
    // Width of one character given as its bytes.
    int CharWidth(const char* bytes, int count);
    // Width: sum of the advances; height: ascent + descent (also for an empty string).
    CSize GetTextExtent(const char* text, int length);

    // Draws text with its cell's top-left at logical (x, y). Opaque fills the cell of
    // the string (its extent) with the background colour first. Everything is clipped
    // to `clip` (logical, normalised) when given, and always to the DC's clip.
    void TextOut(CRasterDC& dc, int x, int y, const char* text, int length, COLORREF textColor,
                 bool opaque, COLORREF backColor, const CRect* clip);

private:
    CMonoFont(CFontEngine& engine, const CLogFont& logFont, const CResolvedFace& face);
    bool Load();
    bool RenderWith(FT_FaceRec_* face, FT_SizeRec_* size, char32_t codePoint, bool fallback,
                    CMonoGlyph& glyph);
    FT_SizeRec_* FallbackSize(std::size_t i);

    CFontEngine& m_engine;
    CLogFont m_logFont;
    CResolvedFace m_face;
    int m_nCodePage = 1252;
    FT_FaceRec_* m_pFace = nullptr;
    FT_SizeRec_* m_pSize = nullptr;
    std::vector<FT_SizeRec_*> m_aFallbackSizes;  // one per engine fallback face, made on demand
    std::vector<bool> m_aFallbackTried;
    int m_nPixelSize = 0;
    int m_nAscent = 0;
    int m_nDescent = 0;
    int m_nUnderlineTop = 1;        // the underline's first row, in rows below the baseline
    int m_nUnderlineThickness = 1;
    std::unordered_map<char32_t, CMonoGlyph> m_glyphs;
};
