#include "text/CMonoFont.h"

#include "raster/CRasterDC.h"
#include "text/CCodePage.h"
#include "text/CFontCatalogue.h"
#include "text/CTextDC.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;

CLogFont Font(const std::string& face, int pointSize, int charSet = 0, int weight = 400, bool italic = false)
{
    CLogFont lf;
    lf.m_nHeight = CLogFont::HeightFromPointSize(pointSize);
    lf.m_szFaceName = face;
    lf.m_nCharSet = std::uint8_t(charSet);
    lf.m_nWeight = weight;
    lf.m_bItalic = italic;
    return lf;
}

std::string Picture(const CMonoGlyph& g)
{
    std::string s;
    for (int y = 0; y < g.m_nHeight; ++y) {
        for (int x = 0; x < g.m_nWidth; ++x) s += g.Dot(x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

TEST(FontHeight, PointSizeBecomesEmHeightAt96DotsPerInch)
{
    struct Case { int points; int height; };
    const Case cases[] = {{0, 0}, {6, -8}, {9, -12}, {10, -13}, {11, -15}, {12, -16}, {13, -17},
                          {16, -21}, {24, -32}, {48, -64}, {80, -107}, {-12, 16}};
    for (const auto& c : cases) EXPECT_EQ(CLogFont::HeightFromPointSize(c.points), c.height) << c.points;
}

TEST(FontHeight, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 1, 4), 1);
    EXPECT_EQ(MulDiv(7, 1, 4), 2);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000) << "no overflow in the product";
}

TEST(FontEngine, FontHasTheAskedEmHeight)
{
    for (int points : {9, 12, 18}) {
        auto font = CMonoFont::Create(Font("Liberation Sans", points));
        ASSERT_TRUE(font);
        EXPECT_EQ(font->PixelSize(), MulDiv(points, 96, 72));
        EXPECT_GE(font->Height(), font->PixelSize()) << "cell = ascent + descent, at least the em";
    }
}

TEST(FontEngine, MissingFaceFallsBackAndKeepsItsName)
{
    auto font = CMonoFont::Create(Font("MS Sans Serif", 12));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->LogFont().m_szFaceName, "MS Sans Serif");
    EXPECT_FALSE(font->Face().m_bInstalledName);
    EXPECT_FALSE(font->Face().m_szFamily.empty());
    EXPECT_GT(font->CharWidth("A", 1), 0);

    auto unknown = CMonoFont::Create(Font("No Such Face Anywhere", 12));
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->LogFont().m_szFaceName, "No Such Face Anywhere");
    EXPECT_GT(unknown->GetTextExtent("Hi", 2).cx, 0);
}

TEST(FontEngine, WindowsFaceNamesMapToLookAlikes)
{
    struct Case { const char* windowsName; int charSet; const char* family; };
    const Case cases[] = {
        {"Arial", 0, "Liberation Sans"},
        {"MS Sans Serif", 0, "Unifont"},
        {"System", 0, "Unifont"},
        {"Fixedsys", 0, "Unifont"},
        {"Terminal", 0, "Unifont"},
        {"system", 0, "Unifont"},  // face names are matched without regard to case
        {"System", 134, "Unifont"},  // the pixel face has the Chinese characters itself
        {"Microsoft Sans Serif", 0, "Liberation Sans"},  // an outline face, not a bitmap one
        {"Times New Roman", 0, "Liberation Serif"},
        {"Courier New", 0, "Liberation Mono"},
        {"宋体", 134, "WenQuanYi Zen Hei Sharp"},
        {"\xCB\xCE\xCC\xE5", 134, "WenQuanYi Zen Hei Sharp"},  // "宋体" as a Chinese system stores it
        {"\xCB\xCE\xCC\xE5", 0, "WenQuanYi Zen Hei Sharp"},
        {"Arial", 134, "WenQuanYi Zen Hei Sharp"},  // the character set outranks the name
        {"No Such Face Anywhere", 134, "WenQuanYi Zen Hei Sharp"},
        {"Liberation Serif", 0, "Liberation Serif"},
        {"", 0, "Liberation Sans"},
    };
    for (const auto& c : cases) {
        if (!CFontEngine::Instance().IsFamilyInstalled(c.family)) GTEST_SKIP() << c.family << " not installed";
        auto font = CMonoFont::Create(Font(c.windowsName, 12, c.charSet));
        ASSERT_TRUE(font);
        EXPECT_EQ(font->Face().m_szFamily, c.family) << c.windowsName << " charset " << c.charSet;
    }
}

TEST(FontEngine, BitmapFaceNamesDrawFixedCellPixelsWithASixteenDotLine)
{
    if (!CFontEngine::Instance().IsFamilyInstalled("Unifont")) GTEST_SKIP() << "Unifont not installed";
    struct Case { const char* name; int charSet; };
    const Case cases[] = {{"MS Sans Serif", 0}, {"System", 0}, {"Fixedsys", 0}, {"Terminal", 0}, {"System", 134}};
    for (const auto& c : cases) {
        auto font = CMonoFont::Create(Font(c.name, 12, c.charSet));
        ASSERT_TRUE(font);
        EXPECT_EQ(font->Height(), 16) << c.name << ": the default 12-point line is one screen of 16 dots";
        EXPECT_EQ(font->LogFont().m_szFaceName, c.name) << "the stored name is kept";
        EXPECT_FALSE(font->Face().m_bInstalledName);
        // Fixed cells: every Latin character 8 dots, a Chinese one 16.
        for (char32_t ch : {U'i', U'W', U'4', U' '}) EXPECT_EQ(font->Glyph(ch).m_nAdvance, 8) << c.name;
        EXPECT_EQ(font->Glyph(U'中').m_nAdvance, 16) << c.name;
        // Crisp: the glyph's dots are the face's own 16-dot design, not a rescaled outline,
        // so the 'H' has two full-height stems and one cross-bar row set across.
        const CMonoGlyph& h = font->Glyph(U'H');
        ASSERT_GT(h.m_nHeight, 0);
        int fullColumns = 0;
        for (int x = 0; x < h.m_nWidth; ++x) {
            int on = 0;
            for (int y = 0; y < h.m_nHeight; ++y) on += h.Dot(x, y);
            fullColumns += on == h.m_nHeight;
        }
        EXPECT_EQ(fullColumns, 2) << c.name << "\n" << Picture(h);
    }
}

TEST(FontEngine, MeasuringIsSumOfAdvancesAndAscentPlusDescent)
{
    auto font = CMonoFont::Create(Font("Arial", 12));
    ASSERT_TRUE(font);
    const std::string text = "Wide text, 123!";
    int sum = 0;
    for (char c : text) sum += font->CharWidth(&c, 1);
    CSize extent = font->GetTextExtent(text.data(), int(text.size()));
    EXPECT_EQ(extent.cx, sum);
    EXPECT_EQ(extent.cy, font->Ascent() + font->Descent());
    EXPECT_EQ(font->GetTextExtent("", 0), CSize(0, font->Height()));
    EXPECT_GT(font->CharWidth("W", 1), font->CharWidth("i", 1)) << "proportional face";
    // Whole pixels, no sub-pixel positioning: a string is as wide as its parts.
    EXPECT_EQ(font->GetTextExtent("WiWi", 4).cx, 2 * font->GetTextExtent("Wi", 2).cx);
}

TEST(FontEngine, Gb2312TextIsMeasuredInPairs)
{
    auto font = CMonoFont::Create(Font("宋体", 12, 134));
    ASSERT_TRUE(font);
    const char text[] = "\xD6\xD0\xCE\xC4";  // "中文"
    const CMonoGlyph& zhong = font->Glyph(U'中');
    const CMonoGlyph& wen = font->Glyph(U'文');
    EXPECT_GT(zhong.m_nWidth, 0) << "the face has the character";
    EXPECT_EQ(font->CharLength(text, 4, 0), 2);
    EXPECT_EQ(font->CharWidth(text, 2), zhong.m_nAdvance);
    EXPECT_EQ(font->GetTextExtent(text, 4).cx, zhong.m_nAdvance + wen.m_nAdvance);
}

TEST(FontEngine, SingleByteFontMeasuresEveryByteAlone)
{
    auto font = CMonoFont::Create(Font("Arial", 12, 0));
    ASSERT_TRUE(font);
    ASSERT_EQ(font->CodePage(), CCodePage::AnsiCodePage());
    ASSERT_FALSE(CCodePage::IsDoubleByte(font->CodePage()));
    const char text[] = "\xC4\xD6";  // "ÄÖ" in Western bytes
    EXPECT_EQ(font->CharLength(text, 2, 0), 1);
    EXPECT_EQ(font->GetTextExtent(text, 2).cx, font->Glyph(U'Ä').m_nAdvance + font->Glyph(U'Ö').m_nAdvance);
}

TEST(FontEngine, GlyphsAreDeterministicAcrossFonts)
{
    // Two separately made fonts (not the engine's recent one twice), rendering afresh.
    const CLogFont lf = Font("Liberation Sans", 12);
    CFontEngine& engine = CFontEngine::Instance();
    auto a = CMonoFont::Open(engine, lf, engine.Resolve(lf));
    auto b = CMonoFont::Open(engine, lf, engine.Resolve(lf));
    ASSERT_TRUE(a && b);
    ASSERT_NE(a, b);
    for (char32_t c : {U'A', U'g', U'@', U'€'}) {
        const CMonoGlyph& ga = a->Glyph(c);
        const CMonoGlyph& gb = b->Glyph(c);
        EXPECT_EQ(ga.m_aBits, gb.m_aBits);
        EXPECT_EQ(ga.m_nLeft, gb.m_nLeft);
        EXPECT_EQ(ga.m_nTop, gb.m_nTop);
        EXPECT_EQ(ga.m_nAdvance, gb.m_nAdvance);
    }
}

TEST(FontEngine, SyntheticBoldWhenTheFaceHasNoBold)
{
    const char* face = "WenQuanYi Zen Hei Sharp";  // one weight only
    auto regular = CMonoFont::Create(Font(face, 12, 134));
    auto bold = CMonoFont::Create(Font(face, 12, 134, 700));
    ASSERT_TRUE(regular && bold);
    EXPECT_FALSE(regular->Face().m_bSyntheticBold);
    ASSERT_TRUE(bold->Face().m_bSyntheticBold);
    const CMonoGlyph& r = regular->Glyph(U'中');
    const CMonoGlyph& b = bold->Glyph(U'中');
    EXPECT_EQ(b.m_nAdvance, r.m_nAdvance + 1);
    EXPECT_EQ(b.m_nWidth, r.m_nWidth + 1);
    for (int y = 0; y < r.m_nHeight; ++y)
        for (int x = 0; x <= r.m_nWidth; ++x)
            ASSERT_EQ(b.Dot(x, y), r.Dot(x, y) || r.Dot(x - 1, y)) << x << "," << y << "\n" << Picture(b);

    auto realBold = CMonoFont::Create(Font("Liberation Sans", 12, 0, 700));
    ASSERT_TRUE(realBold);
    EXPECT_FALSE(realBold->Face().m_bSyntheticBold) << "Liberation Sans has a bold face";
}

TEST(FontEngine, SyntheticObliqueWhenTheFaceHasNoItalic)
{
    const char* face = "WenQuanYi Zen Hei Sharp";
    auto upright = CMonoFont::Create(Font(face, 12, 134));
    auto italic = CMonoFont::Create(Font(face, 12, 134, 400, true));
    ASSERT_TRUE(upright && italic);
    ASSERT_TRUE(italic->Face().m_bSyntheticItalic);
    const CMonoGlyph& u = upright->Glyph(U'中');
    const CMonoGlyph& i = italic->Glyph(U'中');
    // The vertical stroke of 中 leans right: its top dot lies right of its bottom dot.
    auto firstDot = [](const CMonoGlyph& g, int row) {
        for (int x = 0; x < g.m_nWidth; ++x)
            if (g.Dot(x, row)) return x + g.m_nLeft;
        return -1;
    };
    EXPECT_EQ(firstDot(u, 0), firstDot(u, u.m_nHeight - 1)) << Picture(u);
    EXPECT_GT(firstDot(i, 0), firstDot(i, i.m_nHeight - 1)) << Picture(i);
    EXPECT_EQ(i.m_nAdvance, u.m_nAdvance) << "an oblique does not widen the text";

    auto outline = CMonoFont::Create(Font("Liberation Sans", 12, 0, 400, true));
    ASSERT_TRUE(outline);
    EXPECT_FALSE(outline->Face().m_bSyntheticItalic) << "Liberation Sans has an italic face";
}

TEST(FontEngine, CjkGlyphIsCleanEmbeddedBitmap)
{
    auto font = CMonoFont::Create(Font("宋体", 12, 134));
    ASSERT_TRUE(font);
    // 口 from the 16-dot strike: a closed box, every edge one dot and unbroken.
    const CMonoGlyph& g = font->Glyph(U'口');
    ASSERT_GT(g.m_nWidth, 4);
    ASSERT_GT(g.m_nHeight, 4);
    int top = -1, bottom = -1;
    for (int y = 0; y < g.m_nHeight; ++y) {
        int dots = 0;
        for (int x = 0; x < g.m_nWidth; ++x) dots += g.Dot(x, y);
        if (dots == g.m_nWidth) (top < 0 ? top : bottom) = y;
    }
    EXPECT_GE(top, 0) << Picture(g);
    EXPECT_GT(bottom, top) << Picture(g);
}

TEST(FontEngine, CharacterMissingFromTheFaceComesFromAFallbackFace)
{
    auto font = CMonoFont::Create(Font("Liberation Sans", 12, 0));
    ASSERT_TRUE(font);
    const CMonoGlyph& g = font->Glyph(U'中');
    EXPECT_GT(g.m_nWidth, 4) << "drawn, not the empty default box";
    EXPECT_GT(g.m_nAdvance, 10);
}

struct DrawFixture : testing::Test {
    CRasterSurface surface{60, 30, 0};
    CRasterDC dc{surface};
    std::shared_ptr<CMonoFont> font = CMonoFont::Create(Font("Liberation Sans", 12));

    std::set<COLORREF> Colours() const
    {
        return {surface.Pixels().begin(), surface.Pixels().end()};
    }
};

TEST_F(DrawFixture, TransparentTextSetsExactlyTheGlyphDots)
{
    ASSERT_TRUE(font);
    font->TextOut(dc, 5, 3, "H", 1, kRed, false, kGreen, nullptr);
    const CMonoGlyph& g = font->Glyph(U'H');
    const int left = 5 + g.m_nLeft;
    const int top = 3 + font->Ascent() - g.m_nTop;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            ASSERT_EQ(surface.GetPixel(x, y), g.Dot(x - left, y - top) ? kRed : 0u) << x << "," << y;
    EXPECT_EQ(Colours(), (std::set<COLORREF>{0, kRed})) << "monochrome: no blended colours";
}

TEST_F(DrawFixture, OpaqueTextFillsItsCellWithTheBackground)
{
    ASSERT_TRUE(font);
    font->TextOut(dc, 2, 1, "Hi", 2, kRed, true, kGreen, nullptr);
    const CSize extent = font->GetTextExtent("Hi", 2);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            bool inCell = x >= 2 && x < 2 + extent.cx && y >= 1 && y < 1 + extent.cy;
            COLORREF c = surface.GetPixel(x, y);
            if (inCell) ASSERT_TRUE(c == kRed || c == kGreen) << x << "," << y;
            else ASSERT_EQ(c, 0u) << x << "," << y;
        }
    EXPECT_EQ(Colours(), (std::set<COLORREF>{0, kRed, kGreen}));
}

TEST_F(DrawFixture, TextIsClippedToTheRectangle)
{
    ASSERT_TRUE(font);
    const CRect clip(4, 4, 12, 10);
    font->TextOut(dc, 0, 0, "MMMM", 4, kRed, true, kGreen, &clip);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (!clip.PtInRect({x, y})) ASSERT_EQ(surface.GetPixel(x, y), 0u) << x << "," << y;
            else ASSERT_NE(surface.GetPixel(x, y), 0u) << "the opaque cell covers the clip";
    EXPECT_EQ(dc.GetClipRect(), CRect(0, 0, 60, 30)) << "the DC's own clip comes back";
}

TEST_F(DrawFixture, ClipFollowsTheWindowOrigin)
{
    ASSERT_TRUE(font);
    dc.SetWindowOrg({0, 100});  // logical row 100 is the first device row
    const CRect clip(0, 100, 60, 105);
    font->TextOut(dc, 0, 100, "MMMM", 4, kRed, true, kGreen, &clip);
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(surface.GetPixel(x, y) != 0u, y < 5) << x << "," << y;
}

TEST_F(DrawFixture, UnderlineRunsUnderTheWholeString)
{
    CLogFont lf = Font("Liberation Sans", 12);
    lf.m_bUnderline = true;
    auto underlined = CMonoFont::Create(lf);
    ASSERT_TRUE(underlined);
    underlined->TextOut(dc, 1, 1, "ab", 2, kRed, false, 0, nullptr);
    const int width = underlined->GetTextExtent("ab", 2).cx;
    int fullRows = 0;
    for (int y = 1 + underlined->Ascent() + 1; y < 1 + underlined->Height(); ++y) {
        bool full = true;
        for (int x = 1; x < 1 + width; ++x) full = full && surface.GetPixel(x, y) == kRed;
        fullRows += full;
    }
    EXPECT_GE(fullRows, 1);
}

TEST(TextDC, StateIsRestorable)
{
    CRasterSurface surface(10, 10);
    CRasterDC raster(surface);
    CTextDC dc(raster);
    ASSERT_TRUE(dc.GetFont()) << "a context starts with the stock font";
    auto stock = dc.GetFont();
    auto font = CMonoFont::Create(Font("Arial", 9));
    EXPECT_EQ(dc.SelectFont(font), stock);
    EXPECT_EQ(dc.SetBkMode(CTextDC::TRANSPARENT), CTextDC::OPAQUE);
    EXPECT_EQ(dc.SetTextColor(kRed), 0u);
    EXPECT_EQ(dc.SetBkColor(kGreen), 0xFFFFFFu);
    EXPECT_EQ(dc.GetTextExtent("x", 1).cy, font->Height());
    EXPECT_EQ(dc.SetBkMode(0), 0) << "an unknown mode is refused";
    EXPECT_EQ(dc.GetBkMode(), CTextDC::TRANSPARENT);
}

TEST(FontCatalogue, ListsFacesWithTheirCharacterSets)
{
    auto entries = CFontCatalogue::Enumerate();
    ASSERT_FALSE(entries.empty());
    std::set<std::pair<std::string, int>> seen;
    for (const auto& e : entries) {
        EXPECT_LE(e.m_szFaceName.size(), 31u);
        EXPECT_EQ(e.m_szScript, CFontCatalogue::ScriptName(e.m_nCharSet));
        EXPECT_TRUE(seen.insert({e.m_szFaceName, e.m_nCharSet}).second) << "listed twice: " << e.m_szFaceName;
        EXPECT_TRUE(CFontEngine::Instance().IsFamilyInstalled(e.m_szFaceName)) << e.m_szFaceName;
        EXPECT_TRUE((e.m_nPitchAndFamily & 3) == 1 || (e.m_nPitchAndFamily & 3) == 2);
    }
    if (CFontEngine::Instance().IsFamilyInstalled("WenQuanYi Zen Hei Sharp")) {
        EXPECT_TRUE(seen.count({"WenQuanYi Zen Hei Sharp", 134}));
        EXPECT_TRUE(seen.count({"WenQuanYi Zen Hei Sharp", 136}));
    }
    if (CFontEngine::Instance().IsFamilyInstalled("Liberation Sans")) {
        EXPECT_TRUE(seen.count({"Liberation Sans", 0}));
        EXPECT_FALSE(seen.count({"Liberation Sans", 134})) << "no Chinese in a Latin face";
    }
    for (const auto& e : entries) {
        if (e.m_szFaceName == "Liberation Mono") {
            EXPECT_EQ(e.m_nPitchAndFamily, 0x31);
        }
    }
}

TEST(FontCatalogue, ScriptNames)
{
    EXPECT_STREQ(CFontCatalogue::ScriptName(0), "Western");
    EXPECT_STREQ(CFontCatalogue::ScriptName(134), "CHINESE_GB2312");
    EXPECT_STREQ(CFontCatalogue::ScriptName(136), "CHINESE_BIG5");
    EXPECT_STREQ(CFontCatalogue::ScriptName(204), "Cyrillic");
    EXPECT_STREQ(CFontCatalogue::ScriptName(238), "Central European");
    EXPECT_STREQ(CFontCatalogue::ScriptName(99), "");
}

}  // namespace
