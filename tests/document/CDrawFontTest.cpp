#include "document/CDrawFont.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CVemtDoc.h"
#include "raster/CRasterDC.h"
#include "text/CMonoFont.h"
#include "text/CTextLayout.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlack = 0x000000;

// A sign of the given size, a document on it and the editor state at its start values.
struct Sign {
    CVemtApp app;
    std::unique_ptr<CVemtDoc> doc;
    Sign(int width, int height)
    {
        ResetEditorState();
        app.m_nTPWidth = width;
        app.m_nTPHeight = height;
        app.m_nTotalScreen = 4;
        doc = std::make_unique<CVemtDoc>(&app);
    }
    ~Sign() { ResetEditorState(); }
};

CTextEntryValues Entry(const std::string& face, int points, const std::string& text, int charSet = 0)
{
    CTextEntryValues e;
    e.m_szFaceName = face;
    e.m_nFontSize = points;
    e.m_nCharSet = std::uint8_t(charSet);
    e.m_strText = text;
    e.m_nCurPitch = 34;
    return e;
}

// The first point size at which the face's lines are `height` dots high.
int PointsForLineHeight(const std::string& face, int height)
{
    for (int points = 1; points <= 80; ++points) {
        CLogFont lf;
        lf.m_nHeight = CLogFont::HeightFromPointSize(points);
        lf.m_szFaceName = face;
        auto font = CMonoFont::Create(lf);
        if (font && font->Height() == height) return points;
    }
    return 0;
}

// A text object on the document, prepared with text in the face at that point size.
CDrawFont* AddText(Sign& sign, CPoint at, const std::string& face, int points, const std::string& text)
{
    auto* obj = new CDrawFont(CRect(at.x, at.y, at.x + 300, at.y + 200), kRed, kBlack);
    sign.doc->AddObj(obj);
    obj->PrepareText(Entry(face, points, text));
    return obj;
}

// The same lines drawn by the font directly at the given rows: what Draw must produce.
CRasterSurface Expected(const CDrawFont& obj, const std::vector<std::pair<std::string, int>>& rows, int w, int h)
{
    CRasterSurface s(w, h, 0);
    CRasterDC dc(s);
    auto font = CMonoFont::Create(obj.MakeLogFont());
    for (const auto& [line, y] : rows)
        font->TextOut(dc, obj.m_rcPosition.left, y, line.data(), int(line.size()), obj.m_crLine,
                      obj.m_nBkMode == 2, obj.m_crFill, &obj.m_rcPosition);
    return s;
}

CRasterSurface Drawn(CDrawFont& obj, int w, int h)
{
    CRasterSurface s(w, h, 0);
    CRasterDC dc(s);
    obj.Draw(dc, nullptr);
    return s;
}

struct LayoutCase {
    const char* name;
    int signHeight;
    int lineHeight;
    int top;
    bool canSpan;
    int expectedY;
};

class TextOnScreens : public testing::TestWithParam<LayoutCase> {};

TEST_P(TextOnScreens, LineIsPlaced)
{
    const LayoutCase& c = GetParam();
    Sign sign(160, c.signHeight);
    g_bCanSpan = c.canSpan;
    const int points = PointsForLineHeight("Arial", c.lineHeight);
    ASSERT_NE(points, 0) << "no size gives " << c.lineHeight << "-dot lines";
    CDrawFont* obj = AddText(sign, {0, c.top}, "Arial", points, "Hey");
    CRasterSurface drawn = Drawn(*obj, 160, 128);
    EXPECT_EQ(drawn.Pixels(), Expected(*obj, {{"Hey", c.expectedY}}, 160, 128).Pixels());
    EXPECT_EQ(obj->m_nTextHeight, c.lineHeight);
}

INSTANTIATE_TEST_SUITE_P(
    CDrawFont, TextOnScreens,
    testing::Values(
        LayoutCase{"sign16_line12_at10_pushed_then_centred", 16, 12, 10, false, 18},
        LayoutCase{"sign16_line12_at0_centred", 16, 12, 0, false, 2},
        LayoutCase{"sign32_line12_at28_pushed_not_centred", 32, 12, 28, false, 32},
        LayoutCase{"sign16_line21_taller_than_sign_untouched", 16, 21, 10, false, 10},
        LayoutCase{"sign16_may_span_screens_untouched", 16, 12, 10, true, 10}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(CDrawFont, FixedPitchOverridesTheObjectsOwn)
{
    Sign sign(160, 64);
    const int points = PointsForLineHeight("Arial", 12);
    ASSERT_NE(points, 0);
    CDrawFont* obj = AddText(sign, {0, 0}, "Arial", points, "One\r\nTwo");
    obj->m_nRowPitch = 14;
    struct Case { int fix; int fixed; int expectedSecondRow; };
    for (const Case& c : {Case{1, 20, 20}, Case{0, 20, 14}, Case{1, -1, 12}}) {
        g_bFixRowPitch = c.fix;
        g_nFixRowPitch = c.fixed;
        CRasterSurface drawn = Drawn(*obj, 160, 64);
        EXPECT_EQ(drawn.Pixels(), Expected(*obj, {{"One", 0}, {"Two", c.expectedSecondRow}}, 160, 64).Pixels())
            << "fixed " << c.fix << " pitch " << c.fixed;
        EXPECT_EQ(obj->m_nTextHeight, 12 + c.expectedSecondRow);
    }
}

TEST(CDrawFont, CentringOnSmallSignsCarriesIntoTheNextLine)
{
    Sign sign(160, 16);
    const int points = PointsForLineHeight("Arial", 12);
    ASSERT_NE(points, 0);
    CDrawFont* obj = AddText(sign, {0, 0}, "Arial", points, "One\r\nTwo");
    // First line centred to 2; 2 + 12 = 14 would be cut at 16, so 16, centred to 18.
    CRasterSurface drawn = Drawn(*obj, 160, 64);
    EXPECT_EQ(drawn.Pixels(), Expected(*obj, {{"One", 2}, {"Two", 18}}, 160, 64).Pixels());
    EXPECT_EQ(obj->m_nTextHeight, 24) << "pitches count, centring offsets do not";
}

TEST(CDrawFont, TwoConsecutiveBreaksDrawNoEmptyLine)
{
    Sign sign(160, 64);
    const int points = PointsForLineHeight("Arial", 12);
    ASSERT_NE(points, 0);
    CDrawFont* obj = AddText(sign, {0, 0}, "Arial", points, "One\r\n\r\nTwo");
    CRasterSurface drawn = Drawn(*obj, 160, 64);
    EXPECT_EQ(drawn.Pixels(), Expected(*obj, {{"One", 0}, {"Two", 12}}, 160, 64).Pixels());
    EXPECT_EQ(obj->m_nTextHeight, 24);
}

TEST(CDrawFont, LongTextWrapsAtTheSignWidth)
{
    Sign sign(160, 64);
    CDrawFont* obj = AddText(sign, {0, 0}, "Courier New", 12, std::string(20, 'M'));
    auto font = CMonoFont::Create(obj->MakeLogFont());
    ASSERT_EQ(font->CharWidth("M", 1), 10);
    const std::string prepared(obj->m_pszText.data());
    EXPECT_EQ(prepared, std::string(16, 'M') + "\r\n" + std::string(4, 'M'));
    EXPECT_EQ(obj->m_nTextSize, 20 + 2 + 1);
    CRasterSurface drawn = Drawn(*obj, 320, 64);
    EXPECT_EQ(obj->m_nTextWidth, 160);
    EXPECT_EQ(obj->m_nTextHeight, 2 * font->Height());
    EXPECT_EQ(drawn.Pixels(),
              Expected(*obj, {{std::string(16, 'M'), 0}, {std::string(4, 'M'), font->Height()}}, 320, 64).Pixels());
}

TEST(CDrawFont, TabBecomesFourSpacesInThePreparedTextOnly)
{
    Sign sign(320, 64);
    CDrawFont* obj = AddText(sign, {0, 0}, "Arial", 12, "a\tb");
    EXPECT_EQ(std::string(obj->m_pszText.data()), "a    b");
    EXPECT_EQ(obj->m_nTextSize, 7);
    EXPECT_EQ(obj->m_strRawText, "a\tb");
}

TEST(CDrawFont, PrepareTakesTheFontFromTheEntry)
{
    Sign sign(320, 64);
    auto* obj = new CDrawFont(CRect(0, 0, 20, 20), kRed, kBlack);
    sign.doc->AddObj(obj);
    CTextEntryValues e = Entry("A face name longer than thirty-one bytes", 16, "x", 134);
    e.m_bBold = 1;
    e.m_bUnderline = 1;
    e.m_nBkMode = 2;
    obj->PrepareText(e);
    EXPECT_EQ(obj->m_bBold, 1);
    EXPECT_EQ(obj->m_bItalic, 0);
    EXPECT_EQ(obj->m_bUnderline, 1);
    EXPECT_EQ(obj->m_nPointSize, 16);
    EXPECT_EQ(obj->m_nCharSet, 134);
    EXPECT_EQ(obj->GetFaceName(), "A face name longer than thirty-");
    EXPECT_EQ(obj->GetFaceName().size(), 31u);
    EXPECT_EQ(obj->m_nBkMode, 2);
    EXPECT_EQ(obj->m_nCurPitch, 34);
    EXPECT_EQ(obj->MakeLogFont().m_nHeight, -21);
    EXPECT_EQ(obj->MakeLogFont().m_nWeight, 700);
}

TEST(CDrawFont, EmptyEntryChangesOnlyTheFont)
{
    Sign sign(320, 64);
    CDrawFont* obj = AddText(sign, {0, 0}, "Arial", 12, "kept");
    obj->PrepareText(Entry("Courier New", 20, ""));
    EXPECT_EQ(obj->GetFaceName(), "Courier New");
    EXPECT_EQ(obj->m_nPointSize, 20);
    EXPECT_EQ(std::string(obj->m_pszText.data()), "kept");
    EXPECT_EQ(obj->m_nTextSize, 5);
    EXPECT_EQ(obj->m_strRawText, "");
}

TEST(CDrawFont, NewObjectWithOnlyASpaceDrawsNothing)
{
    Sign sign(320, 64);
    CDrawFont obj(CRect(0, 0, 20, 20), kRed, kBlack);
    obj.SetText(nullptr);
    EXPECT_EQ(std::string(obj.m_pszText.data()), " ");
    EXPECT_EQ(obj.m_nTextSize, 0);
    obj.m_nTextWidth = obj.m_nTextHeight = 99;
    CRasterSurface drawn = Drawn(obj, 40, 40);
    EXPECT_EQ(obj.m_nTextWidth, 0);
    EXPECT_EQ(obj.m_nTextHeight, 0);
    EXPECT_EQ(drawn.Pixels(), CRasterSurface(40, 40, 0).Pixels());
    obj.SetText("abc");
    EXPECT_EQ(std::string(obj.m_pszText.data()), "abc");
    EXPECT_EQ(obj.m_nTextSize, 0) << "SetText leaves the size";
}

TEST(CDrawFont, FirstDrawMeasuresBeyondTheSmallStartRectangle)
{
    Sign sign(320, 64);
    auto* obj = new CDrawFont(CRect(5, 5, 25, 25), kRed, kBlack);
    sign.doc->AddObj(obj);
    obj->PrepareText(Entry("Arial", 12, "Wide enough text\r\nTwo"));
    auto font = CMonoFont::Create(obj->MakeLogFont());
    CRasterSurface drawn = Drawn(*obj, 320, 64);
    EXPECT_EQ(obj->m_nTextWidth, font->GetTextExtent("Wide enough text", 16).cx);
    EXPECT_EQ(obj->m_nTextHeight, 2 * font->Height());
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 0; x < drawn.Width(); ++x)
            if (!obj->m_rcPosition.PtInRect({x, y})) {
                ASSERT_EQ(drawn.GetPixel(x, y), 0u) << "clipped to the rectangle";
            }
}

TEST(CDrawFont, OutsideTheUpdateAreaNothingIsDrawnOrMeasured)
{
    Sign sign(320, 64);
    CDrawFont* obj = AddText(sign, {0, 0}, "Arial", 12, "Text");
    g_rcUpdate = CRect(0, 300, 100, 400);
    CRasterSurface drawn = Drawn(*obj, 320, 64);
    EXPECT_EQ(obj->m_nTextWidth, 0);
    EXPECT_EQ(drawn.Pixels(), CRasterSurface(320, 64, 0).Pixels());
    g_rcUpdate = CRect(0, 0, 10, 10);
    Drawn(*obj, 320, 64);
    EXPECT_GT(obj->m_nTextWidth, 0);
}

TEST(CDrawFont, OpaqueBackgroundInTheFillColour)
{
    Sign sign(320, 64);
    auto* obj = new CDrawFont(CRect(0, 0, 100, 40), kRed, 0x00FF00);
    sign.doc->AddObj(obj);
    CTextEntryValues e = Entry("Arial", 12, "ab");
    e.m_nBkMode = 2;
    obj->PrepareText(e);
    CRasterSurface drawn = Drawn(*obj, 100, 40);
    EXPECT_EQ(drawn.GetPixel(obj->m_nTextWidth - 1, 0), 0x00FF00u);
    EXPECT_EQ(drawn.GetPixel(obj->m_nTextWidth, 0), 0u);
}

TEST(CDrawFont, ChineseTextFromAChineseSystemIsKeptInPairs)
{
    Sign sign(32, 16);
    auto* obj = new CDrawFont(CRect(0, 0, 32, 64), kRed, kBlack);
    sign.doc->AddObj(obj);
    // "中文中" in GB2312: two 16-dot characters fit on a 32-dot sign.
    obj->PrepareText(Entry("\xCB\xCE\xCC\xE5", 12, "\xD6\xD0\xCE\xC4\xD6\xD0", 134));
    EXPECT_EQ(std::string(obj->m_pszText.data()), "\xD6\xD0\xCE\xC4\r\n\xD6\xD0");
    CRasterSurface drawn = Drawn(*obj, 32, 64);
    int lit = 0;
    for (COLORREF c : drawn.Pixels()) lit += c == kRed;
    EXPECT_GT(lit, 30) << "the characters are drawn";
    EXPECT_EQ(obj->GetFaceName(), "\xCB\xCE\xCC\xE5") << "the stored face name is kept";
}

TEST(CDrawFont, InteriorOfTheBlockIsHit)
{
    CDrawFont obj(CRect(10, 10, 100, 50), kRed, kBlack);
    EXPECT_TRUE(obj.TouchesRect(CRect(40, 25, 42, 27)));
    EXPECT_FALSE(obj.TouchesRect(CRect(200, 25, 202, 27)));
    CDrawRect rect(CRect(10, 10, 100, 50), kRed, kBlack, 1, 0);
    EXPECT_FALSE(rect.TouchesRect(CRect(40, 25, 42, 27))) << "unlike a rectangle's outline";
    EXPECT_EQ(obj.HandleCount(), 8);
    EXPECT_EQ(obj.m_nKind, 10);
    EXPECT_EQ(obj.m_nShape, 0);
    EXPECT_EQ(obj.m_nPenWidth, 1);
    EXPECT_EQ(obj.m_nFillMode, 0);
}

TEST(CDrawFont, CloneCopiesFontAndPreparedTextButNotTypedTextOrMeasure)
{
    Sign sign(320, 64);
    CDrawFont* obj = AddText(sign, {3, 4}, "Arial", 14, "a\tb");
    obj->m_bItalic = 1;
    obj->m_nRowPitch = 17;
    obj->m_nBkMode = 2;
    obj->m_szFaceName[20] = 'z';  // bytes after the terminator travel too
    Drawn(*obj, 320, 64);
    ASSERT_GT(obj->m_nTextWidth, 0);

    auto* clone = static_cast<CDrawFont*>(obj->CloneInto(sign.doc.get()));
    ASSERT_EQ(sign.doc->m_objects.back(), clone);
    EXPECT_EQ(clone->m_rcPosition, obj->m_rcPosition);
    EXPECT_EQ(clone->m_crLine, obj->m_crLine);
    EXPECT_EQ(clone->m_crFill, obj->m_crFill);
    EXPECT_EQ(clone->m_bItalic, 1);
    EXPECT_EQ(clone->m_nPointSize, 14);
    EXPECT_EQ(std::string(clone->m_szFaceName, 32), std::string(obj->m_szFaceName, 32));
    EXPECT_EQ(clone->m_nCurPitch, 34);
    EXPECT_EQ(clone->m_nTextSize, obj->m_nTextSize);
    EXPECT_EQ(clone->m_pszText, obj->m_pszText);
    EXPECT_NE(clone->m_pszText.data(), obj->m_pszText.data()) << "its own copy";
    EXPECT_EQ(clone->m_nRowPitch, 17);
    EXPECT_EQ(clone->m_nBkMode, 2);
    EXPECT_EQ(clone->m_strRawText, "");
    EXPECT_EQ(clone->m_nTextWidth, 0);
    EXPECT_EQ(clone->m_nTextHeight, 0);
    EXPECT_EQ(clone->m_nKind, 10);

    auto* loose = obj->CloneInto(nullptr);
    EXPECT_EQ(sign.doc->m_objects.size(), 2u);
    delete loose;
}

}  // namespace
