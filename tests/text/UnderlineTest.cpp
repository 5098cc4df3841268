// Where an underline lies: the platform draws it from the 'post' table's position and
// thickness, each scaled to the em size and rounded to whole dots (thickness at least 1),
// its first row at baseline - (position + thickness / 2), thickness rows high, as wide as
// the text.

#include "raster/CRasterDC.h"
#include "text/CFontEngine.h"
#include "text/CMonoFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>

namespace {

constexpr COLORREF kRed = 0x0000FF;

CLogFont Underlined(const char* face, int emDots)
{
    CLogFont lf;
    lf.m_nHeight = -emDots;
    lf.m_szFaceName = face;
    lf.m_bUnderline = true;
    return lf;
}

struct Rows {
    int first = -1;
    int count = 0;
    int left = -1;
    int right = -1;  // one past the last lit column
};

// The rows an underlined run of spaces lights: nothing but the underline.
Rows UnderlineRows(CMonoFont& font, int x)
{
    const char text[] = "    ";
    CRasterSurface surface(200, font.Height() + 40);
    CRasterDC dc(surface);
    font.TextOut(dc, x, 0, text, 4, kRed, false, 0, nullptr);
    Rows rows;
    for (int y = 0; y < surface.Height(); ++y)
        for (int cx = 0; cx < surface.Width(); ++cx)
            if (surface.GetPixel(cx, y)) {
                if (rows.first < 0) rows.first = y;
                if (y >= rows.first + rows.count) rows.count = y - rows.first + 1;
                rows.left = rows.left < 0 ? cx : std::min(rows.left, cx);
                rows.right = std::max(rows.right, cx + 1);
            }
    return rows;
}

TEST(Underline, LiesWhereThePlatformDrawsIt)
{
    struct Case { const char* face; int em; int row; };
    const Case cases[] = {
        {"DejaVu Sans", 16, 15},      // position 0 after rounding, thickness 1: the row under the baseline
        {"DejaVu Sans", 18, 17},
        {"Liberation Mono", 13, 13},  // position -2: two rows below the baseline
    };
    for (const auto& c : cases) {
        if (!CFontEngine::Instance().IsFamilyInstalled(c.face)) GTEST_SKIP() << c.face << " not installed";
        auto font = CMonoFont::Create(Underlined(c.face, c.em));
        ASSERT_TRUE(font);
        ASSERT_EQ(font->Face().m_szFamily, c.face);
        const Rows rows = UnderlineRows(*font, 3);
        EXPECT_EQ(rows.first, c.row) << c.face << " at " << c.em << " dots";
        EXPECT_EQ(rows.count, 1) << c.face << " at " << c.em << " dots";
        EXPECT_EQ(rows.left, 3);
        EXPECT_EQ(rows.right, 3 + font->GetTextExtent("    ", 4).cx) << "as wide as the text";
    }
}

long Rounded(long units, int em, int unitsPerEm)
{
    return std::lround(double(units) * em / unitsPerEm);
}

TEST(Underline, EverySizeFollowsThePostTable)
{
    for (const char* face : {"DejaVu Sans", "Liberation Mono"}) {
        if (!CFontEngine::Instance().IsFamilyInstalled(face)) GTEST_SKIP() << face << " not installed";
        for (int em = 8; em <= 40; ++em) {
            auto font = CMonoFont::Create(Underlined(face, em));
            ASSERT_TRUE(font);
            long position = 0, thickness = 0;
            int unitsPerEm = 0;
            {
                CFontEngine& engine = CFontEngine::Instance();
                std::lock_guard<std::recursive_mutex> lock(engine.Mutex());
                FT_Face ft = engine.Face(font->Face().m_szFile, font->Face().m_nIndex);
                ASSERT_NE(ft, nullptr);
                const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(ft, FT_SFNT_POST));
                ASSERT_NE(post, nullptr);
                position = post->underlinePosition;
                thickness = post->underlineThickness;
                unitsPerEm = ft->units_per_EM;
            }
            const long rows = std::max(1L, Rounded(thickness, em, unitsPerEm));
            const long first = font->Ascent() - (Rounded(position, em, unitsPerEm) + rows / 2);
            const Rows drawn = UnderlineRows(*font, 0);
            EXPECT_EQ(drawn.first, first) << face << " at " << em << " dots";
            EXPECT_EQ(drawn.count, rows) << face << " at " << em << " dots";
        }
    }
}

TEST(Underline, APixelFaceIsUnderlinedOnTheRowBelowItsBaseline)
{
    if (!CFontEngine::Instance().IsFamilyInstalled("Unifont")) GTEST_SKIP() << "Unifont not installed";
    auto font = CMonoFont::Create(Underlined("System", 16));
    ASSERT_TRUE(font);
    const Rows rows = UnderlineRows(*font, 0);
    EXPECT_EQ(rows.first, 14) << "ascent 14, position 0";
    EXPECT_EQ(rows.count, 1);
}

}  // namespace
