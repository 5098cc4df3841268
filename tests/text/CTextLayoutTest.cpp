#include "text/CTextLayout.h"

#include "text/CMonoFont.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::shared_ptr<CMonoFont> MakeFont(const std::string& face, int pointSize, int charSet = 0)
{
    CLogFont lf;
    lf.m_nHeight = CLogFont::HeightFromPointSize(pointSize);
    lf.m_szFaceName = face;
    lf.m_nCharSet = std::uint8_t(charSet);
    return CMonoFont::Create(lf);
}

TEST(TextLayout, TabBecomesFourSpaces)
{
    EXPECT_EQ(CTextLayout::ExpandTabs("a\tb"), "a    b");
    EXPECT_EQ(CTextLayout::ExpandTabs("\t\t"), "        ");
    EXPECT_EQ(CTextLayout::ExpandTabs("no tab"), "no tab");
    EXPECT_EQ(CTextLayout::ExpandTabs(""), "");
}

TEST(TextLayout, SeventeenthTenDotCharacterOnA160DotSignStartsALine)
{
    auto font = MakeFont("Courier New", 12);  // monospaced
    ASSERT_TRUE(font);
    const int advance = font->CharWidth("M", 1);
    ASSERT_EQ(advance, 10) << "the face has ten-dot characters at 12 points";
    const std::string text(20, 'M');
    EXPECT_EQ(CTextLayout::CountBreaks(*font, text, 160), 1);
    EXPECT_EQ(CTextLayout::InsertBreaks(*font, text, 160), std::string(16, 'M') + "\r\n" + std::string(4, 'M'));
    // One dot narrower and the sixteenth character moves already.
    EXPECT_EQ(CTextLayout::InsertBreaks(*font, text, 159),
              std::string(15, 'M') + "\r\n" + std::string(5, 'M'));
}

TEST(TextLayout, BreaksFollowTheMeasuredAdvances)
{
    auto font = MakeFont("Arial", 12);  // proportional
    ASSERT_TRUE(font);
    const std::string text = "Illuminated moving message";
    const int width = 100;
    std::string expected;
    int running = 0;
    for (char c : text) {
        int w = font->CharWidth(&c, 1);
        if (running + w > width) {
            expected += "\r\n";
            running = w;
        } else {
            running += w;
        }
        expected += c;
    }
    EXPECT_EQ(CTextLayout::InsertBreaks(*font, text, width), expected);
    for (const std::string& line : CTextLayout::SplitLines(expected.data(), int(expected.size())))
        EXPECT_LE(font->GetTextExtent(line.data(), int(line.size())).cx, width) << line;
}

TEST(TextLayout, LineEndResetsTheRunningWidth)
{
    auto font = MakeFont("Courier New", 12);
    ASSERT_TRUE(font);
    const std::string text = std::string(10, 'M') + "\r\n" + std::string(10, 'M') + "\n" + std::string(10, 'M');
    EXPECT_EQ(CTextLayout::CountBreaks(*font, text, 160), 0);
    EXPECT_EQ(CTextLayout::InsertBreaks(*font, text, 160), text);
}

TEST(TextLayout, OverWideCharacterGetsABreakEvenAtTheStart)
{
    auto font = MakeFont("Courier New", 12);
    ASSERT_TRUE(font);
    EXPECT_EQ(CTextLayout::InsertBreaks(*font, "MM", 5), "\r\nM\r\nM");
    EXPECT_EQ(CTextLayout::SplitLines("\r\nM\r\nM", 6), (std::vector<std::string>{"M", "M"}));
}

TEST(TextLayout, ChineseCharactersAreNeverSplit)
{
    auto font = MakeFont("宋体", 12, 134);
    ASSERT_TRUE(font);
    const int w = font->CharWidth("\xD6\xD0", 2);
    ASSERT_GT(w, 0);
    // Three characters, room for two: the break comes between the pairs.
    const std::string text = "\xD6\xD0\xCE\xC4\xD6\xD0";
    EXPECT_EQ(CTextLayout::InsertBreaks(*font, text, 2 * w), "\xD6\xD0\xCE\xC4\r\n\xD6\xD0");
}

TEST(TextLayout, SingleByteCodePageDoesNotPairHighBytes)
{
    auto font = MakeFont("Courier New", 12, 0);  // Western: every byte is a letter
    ASSERT_TRUE(font);
    const std::string text = "\xC4\xD6\xDC";  // ÄÖÜ, ten dots each
    EXPECT_EQ(CTextLayout::InsertBreaks(*font, text, 20), "\xC4\xD6\r\n\xDC");
}

TEST(TextLayout, RunsOfSeparatorsLeaveNoEmptyLine)
{
    struct Case { const char* text; std::vector<std::string> lines; };
    const Case cases[] = {
        {"one\r\ntwo", {"one", "two"}},
        {"one\r\n\r\ntwo", {"one", "two"}},
        {"\r\none\n\n\rtwo\r\n", {"one", "two"}},
        {"\r\n", {}},
        {"", {}},
        {"single", {"single"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTextLayout::SplitLines(c.text, int(std::strlen(c.text))), c.lines) << c.text;
    const char withZero[] = "ab\0cd";
    EXPECT_EQ(CTextLayout::SplitLines(withZero, 5), (std::vector<std::string>{"ab"}));
}

TEST(TextLayout, ScreenFit)
{
    struct Case { const char* name; int y, h, H; bool canSpan; int expected; };
    const Case cases[] = {
        {"16-dot sign: pushed to the next screen, then centred", 10, 12, 16, false, 18},
        {"16-dot sign: a line at a screen top is centred", 0, 12, 16, false, 2},
        {"16-dot sign: full-height line needs no centring", 16, 16, 16, false, 16},
        {"32-dot sign: pushed down, not centred", 28, 12, 32, false, 32},
        {"32-dot sign: a line that fits stays", 4, 12, 32, false, 4},
        {"a line ending on the boundary is not cut", 4, 12, 16, false, 6},
        {"a line taller than the sign is untouched", 10, 20, 16, false, 10},
        {"lines may span screens: nothing moves", 10, 12, 16, true, 10},
        {"24-dot sign still centres", 20, 12, 24, false, 30},
        {"25-dot sign does not", 20, 12, 25, false, 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTextLayout::FitLine(c.y, c.h, c.H, c.canSpan), c.expected) << c.name;
}

TEST(TextLayout, RowPitch)
{
    struct Case { const char* name; int h, own; bool fix; int fixed; int expected; };
    const Case cases[] = {
        {"own pitch", 12, 14, false, 20, 14},
        {"own pitch -1 is the line height", 12, -1, false, 20, 12},
        {"fixed pitch overrides the own one", 12, 14, true, 20, 20},
        {"fixed pitch -1 is the line height", 12, 14, true, -1, 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTextLayout::RowPitch(c.h, c.own, c.fix, c.fixed), c.expected) << c.name;
}

}  // namespace
