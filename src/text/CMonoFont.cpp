#include "text/CMonoFont.h"

#include "raster/CRasterDC.h"
#include "text/CCodePage.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace {

// The largest em height a font is made at; sizes beyond it come only from damaged files.
constexpr int kMaxPixelSize = 1024;
// A height of 0 asks for the default size: a 16-dot cell.
constexpr int kDefaultCellHeight = 16;
// Slant of a synthetic oblique, the same FreeType applies to outlines (about 12 degrees).
constexpr long kObliqueShear = 0x0366A;

int ScaleRounded(long value, int ppem, int unitsPerEm)
{
    if (unitsPerEm <= 0) return 0;
    long long p = static_cast<long long>(value) * ppem;
    long long half = unitsPerEm / 2;
    return static_cast<int>(p >= 0 ? (p + half) / unitsPerEm : -((-p + half) / unitsPerEm));
}

long FloorDiv(long a, long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void CopyBitmap(const FT_Bitmap& bitmap, CMonoGlyph& glyph)
{
    glyph.m_nWidth = int(bitmap.width);
    glyph.m_nHeight = int(bitmap.rows);
    glyph.m_nStride = (glyph.m_nWidth + 7) / 8;
    glyph.m_aBits.assign(std::size_t(glyph.m_nStride) * glyph.m_nHeight, 0);
    for (int y = 0; y < glyph.m_nHeight; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        std::uint8_t* out = glyph.m_aBits.data() + std::size_t(y) * glyph.m_nStride;
        for (int x = 0; x < glyph.m_nWidth; ++x) {
            bool on = false;
            switch (bitmap.pixel_mode) {
            case FT_PIXEL_MODE_MONO: on = (row[x / 8] & (0x80 >> (x % 8))) != 0; break;
            case FT_PIXEL_MODE_GRAY: on = row[x] >= 128; break;
            case FT_PIXEL_MODE_GRAY2: on = ((row[x / 4] >> (6 - 2 * (x % 4))) & 3) >= 2; break;
            case FT_PIXEL_MODE_GRAY4: on = ((row[x / 2] >> (4 - 4 * (x % 2))) & 15) >= 8; break;
            case FT_PIXEL_MODE_BGRA: on = row[4 * x + 3] >= 128; break;
            default: break;
            }
            if (on) out[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
    }
}

// A glyph redrawn with its rows shifted right in proportion to their height above the
// baseline: the oblique of a face that has no italic and whose glyph is a bitmap.
void ShearGlyph(CMonoGlyph& glyph)
{
    if (glyph.m_nWidth == 0 || glyph.m_nHeight == 0) return;
    auto shiftOf = [&](int row) { return int(FloorDiv(long(glyph.m_nTop - row) * kObliqueShear, 0x10000)); };
    int minShift = std::min(shiftOf(0), shiftOf(glyph.m_nHeight - 1));
    int maxShift = std::max(shiftOf(0), shiftOf(glyph.m_nHeight - 1));
    CMonoGlyph out = glyph;
    out.m_nWidth = glyph.m_nWidth + maxShift - minShift;
    out.m_nStride = (out.m_nWidth + 7) / 8;
    out.m_nLeft = glyph.m_nLeft + minShift;
    out.m_aBits.assign(std::size_t(out.m_nStride) * out.m_nHeight, 0);
    for (int y = 0; y < glyph.m_nHeight; ++y) {
        int dx = shiftOf(y) - minShift;
        for (int x = 0; x < glyph.m_nWidth; ++x)
            if (glyph.Dot(x, y))
                out.m_aBits[std::size_t(y) * out.m_nStride + (x + dx) / 8] |= std::uint8_t(0x80 >> ((x + dx) % 8));
    }
    glyph = std::move(out);
}

// Bold for a face without a bold design: every dot is doubled one dot to the right and
// the character grows one dot wider, as the platform simulates bold.
void EmboldenGlyph(CMonoGlyph& glyph)
{
    if (glyph.m_nWidth > 0 && glyph.m_nHeight > 0) {
        CMonoGlyph out = glyph;
        out.m_nWidth = glyph.m_nWidth + 1;
        out.m_nStride = (out.m_nWidth + 7) / 8;
        out.m_aBits.assign(std::size_t(out.m_nStride) * out.m_nHeight, 0);
        for (int y = 0; y < glyph.m_nHeight; ++y)
            for (int x = 0; x < out.m_nWidth; ++x)
                if (glyph.Dot(x, y) || glyph.Dot(x - 1, y))
                    out.m_aBits[std::size_t(y) * out.m_nStride + x / 8] |= std::uint8_t(0x80 >> (x % 8));
        glyph = std::move(out);
    }
    glyph.m_nAdvance += 1;
}

}  // namespace

CMonoFont::CMonoFont(CFontEngine& engine, const CLogFont& logFont, const CResolvedFace& face)
    : m_engine(engine), m_logFont(logFont), m_face(face),
      m_nCodePage(CCodePage::FromCharSet(logFont.m_nCharSet))
{
}

CMonoFont::~CMonoFont()
{
    std::lock_guard<std::recursive_mutex> lock(m_engine.Mutex());
    for (FT_Size size : m_aFallbackSizes)
        if (size) FT_Done_Size(size);
    if (m_pSize) FT_Done_Size(m_pSize);
}

std::shared_ptr<CMonoFont> CMonoFont::Open(CFontEngine& engine, const CLogFont& logFont,
                                           const CResolvedFace& face)
{
    std::lock_guard<std::recursive_mutex> lock(engine.Mutex());
    std::shared_ptr<CMonoFont> font(new CMonoFont(engine, logFont, face));
    if (!font->Load()) return nullptr;
    return font;
}

bool CMonoFont::Load()
{
    m_pFace = m_engine.Face(m_face.m_szFile, m_face.m_nIndex);
    if (!m_pFace) return false;
    FT_Face face = m_pFace;
    if (FT_New_Size(face, &m_pSize) != 0) {
        m_pSize = nullptr;
        return false;
    }
    FT_Activate_Size(m_pSize);

    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const bool winMetrics = FT_IS_SCALABLE(face) && os2 && os2->version != 0xFFFF &&
                            os2->usWinAscent + os2->usWinDescent > 0;
    int ppem = -m_logFont.m_nHeight;
    if (m_logFont.m_nHeight >= 0) {
        int cell = m_logFont.m_nHeight > 0 ? m_logFont.m_nHeight : kDefaultCellHeight;
        ppem = winMetrics ? MulDiv(cell, face->units_per_EM, os2->usWinAscent + os2->usWinDescent) : cell;
    }
    m_nPixelSize = std::clamp(ppem, 1, kMaxPixelSize);

    if (FT_IS_SCALABLE(face)) {
        if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(m_nPixelSize)) != 0) return false;
    } else if (face->num_fixed_sizes > 0) {
        // A bitmap-only face: the strike nearest to the asked height.
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i)
            if (std::abs(face->available_sizes[i].height - m_nPixelSize) <
                std::abs(face->available_sizes[best].height - m_nPixelSize))
                best = i;
        if (FT_Select_Size(face, best) != 0) return false;
    } else {
        return false;
    }

    if (winMetrics) {
        m_nAscent = ScaleRounded(os2->usWinAscent, m_nPixelSize, face->units_per_EM);
        m_nDescent = ScaleRounded(os2->usWinDescent, m_nPixelSize, face->units_per_EM);
    } else {
        m_nAscent = int((m_pSize->metrics.ascender + 63) >> 6);
        m_nDescent = int((-m_pSize->metrics.descender + 63) >> 6);
    }
    if (FT_IS_SCALABLE(face)) {
        // As the platform places it: the 'post' table's position (the underline's centre,
        // negative below the baseline) and thickness, each scaled and rounded to whole dots
        // on its own, the first row at baseline - (position + thickness / 2). FreeType's
        // own underline_position is the table's value less half the thickness in font
        // units, which rounds one row lower at many sizes.
        long position = face->underline_position;
        long thickness = face->underline_thickness;
        if (const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST))) {
            position = post->underlinePosition;
            thickness = post->underlineThickness;
        }
        m_nUnderlineThickness = std::max(1, ScaleRounded(thickness, m_nPixelSize, face->units_per_EM));
        m_nUnderlineTop = -(ScaleRounded(position, m_nPixelSize, face->units_per_EM) + m_nUnderlineThickness / 2);
    }
    m_aFallbackSizes.assign(m_engine.FallbackFaces().size(), nullptr);
    m_aFallbackTried.assign(m_engine.FallbackFaces().size(), false);
    return true;
}

FT_SizeRec_* CMonoFont::FallbackSize(std::size_t i)
{
    if (!m_aFallbackTried[i]) {
        m_aFallbackTried[i] = true;
        const CResolvedFace& fallback = m_engine.FallbackFaces()[i];
        FT_Face face = m_engine.Face(fallback.m_szFile, fallback.m_nIndex);
        FT_Size size = nullptr;
        if (face && FT_New_Size(face, &size) == 0) {
            FT_Activate_Size(size);
            if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(m_nPixelSize)) != 0) {
                FT_Done_Size(size);
                size = nullptr;
            }
        }
        m_aFallbackSizes[i] = size;
    }
    return m_aFallbackSizes[i];
}

bool CMonoFont::RenderWith(FT_FaceRec_* face, FT_SizeRec_* size, char32_t codePoint, bool fallback,
                           CMonoGlyph& glyph)
{
    FT_Activate_Size(size);
    FT_UInt index = codePoint ? FT_Get_Char_Index(face, codePoint) : 0;
    if (fallback && index == 0) return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    const bool oblique = m_face.m_bSyntheticItalic;
    const bool outline = slot->format == FT_GLYPH_FORMAT_OUTLINE;
    if (outline && oblique) FT_GlyphSlot_Oblique(slot);
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return false;
    glyph.m_nAdvance = int((slot->advance.x + 32) >> 6);
    glyph.m_nLeft = slot->bitmap_left;
    glyph.m_nTop = slot->bitmap_top;
    CopyBitmap(slot->bitmap, glyph);
    if (!outline && oblique) ShearGlyph(glyph);
    if (m_face.m_bSyntheticBold) EmboldenGlyph(glyph);
    return true;
}

const CMonoGlyph& CMonoFont::Glyph(char32_t codePoint)
{
    std::lock_guard<std::recursive_mutex> lock(m_engine.Mutex());
    auto it = m_glyphs.find(codePoint);
    if (it != m_glyphs.end()) return it->second;
    CMonoGlyph glyph;
    bool done = false;
    if (codePoint == 0 || FT_Get_Char_Index(m_pFace, codePoint) != 0)
        done = RenderWith(m_pFace, m_pSize, codePoint, false, glyph);
    for (std::size_t i = 0; !done && i < m_aFallbackSizes.size(); ++i) {
        if (m_engine.FallbackFaces()[i].m_szFile == m_face.m_szFile &&
            m_engine.FallbackFaces()[i].m_nIndex == m_face.m_nIndex)
            continue;
        FT_Size size = FallbackSize(i);
        if (size) done = RenderWith(size->face, size, codePoint, true, glyph);
    }
    // No installed face has it: the font's default glyph.
    if (!done && !RenderWith(m_pFace, m_pSize, 0, false, glyph)) glyph = CMonoGlyph();
    return m_glyphs.emplace(codePoint, std::move(glyph)).first->second;
}

int CMonoFont::CharLength(const char* text, int length, int i) const
{
    return CCodePage::CharLength(m_nCodePage, text, length, i);
}

int CMonoFont::CharWidth(const char* bytes, int count)
{
    return Glyph(CCodePage::Decode(m_nCodePage, bytes, count)).m_nAdvance;
}

CSize CMonoFont::GetTextExtent(const char* text, int length)
{
    std::lock_guard<std::recursive_mutex> lock(m_engine.Mutex());
    int width = 0;
    for (int i = 0; i < length;) {
        int n = CharLength(text, length, i);
        width += CharWidth(text + i, n);
        i += n;
    }
    return CSize(width, Height());
}

void CMonoFont::TextOut(CRasterDC& dc, int x, int y, const char* text, int length, COLORREF textColor,
                        bool opaque, COLORREF backColor, const CRect* clip)
{
    std::lock_guard<std::recursive_mutex> lock(m_engine.Mutex());
    const CRect oldClip = dc.GetClipRect();
    if (clip) {
        CRect deviceClip = clip->Normalized();
        deviceClip.OffsetRect(-dc.GetWindowOrg().x, -dc.GetWindowOrg().y);
        CRect visible;
        if (!visible.IntersectRect(oldClip, deviceClip)) return;
        dc.SetClipRect(visible);
    }
    const CSize extent = GetTextExtent(text, length);
    if (opaque) dc.FillSolidRect(CRect(x, y, x + extent.cx, y + extent.cy), backColor);
    const int baseline = y + m_nAscent;
    int pen = x;
    for (int i = 0; i < length;) {
        int n = CharLength(text, length, i);
        const CMonoGlyph& glyph = Glyph(CCodePage::Decode(m_nCodePage, text + i, n));
        if (glyph.m_nWidth > 0 && glyph.m_nHeight > 0)
            dc.FillMask(pen + glyph.m_nLeft, baseline - glyph.m_nTop, glyph.m_aBits.data(), glyph.m_nWidth,
                        glyph.m_nHeight, glyph.m_nStride, textColor);
        pen += glyph.m_nAdvance;
        i += n;
    }
    if (m_logFont.m_bUnderline && extent.cx > 0)
        dc.FillSolidRect(CRect(x, baseline + m_nUnderlineTop, x + extent.cx,
                               baseline + m_nUnderlineTop + m_nUnderlineThickness),
                         textColor);
    if (clip) dc.SetClipRect(oldClip);
}
