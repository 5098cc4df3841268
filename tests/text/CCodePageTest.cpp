#include "text/CCodePage.h"

#include "app/CMemoryProfile.h"

#include <gtest/gtest.h>

namespace {

// Keeps the process-wide ANSI code page as the test found it.
class CodePage : public testing::Test {
protected:
    void SetUp() override { m_nSaved = CCodePage::AnsiCodePage(); }
    void TearDown() override { CCodePage::SetAnsiCodePage(m_nSaved); }
    int m_nSaved = 0;
};

struct CharSetCase {
    int charSet;
    int codePage;
    bool doubleByte;
};

const CharSetCase kCharSets[] = {
    {134, 936, true},   {136, 950, true},   {128, 932, true},   {129, 949, true},
    {130, 1361, true},  {161, 1253, false}, {162, 1254, false}, {163, 1258, false},
    {177, 1255, false}, {178, 1256, false}, {186, 1257, false}, {204, 1251, false},
    {222, 874, false},  {238, 1250, false}, {255, 437, false},  {77, 10000, false},
};

TEST_F(CodePage, EveryCharacterSetHasItsWindowsCodePage)
{
    for (const auto& c : kCharSets) {
        SCOPED_TRACE(c.charSet);
        EXPECT_EQ(CCodePage::FromCharSet(c.charSet), c.codePage);
        EXPECT_EQ(CCodePage::IsDoubleByte(c.codePage), c.doubleByte);
        EXPECT_NE(std::string(CCodePage::IconvName(c.codePage)), "");
    }
}

TEST_F(CodePage, AnsiAndDefaultCharacterSetsFollowTheSetting)
{
    EXPECT_EQ(CCodePage::FromCharSet(0), 1252);
    EXPECT_EQ(CCodePage::FromCharSet(1), 1252);
    ASSERT_TRUE(CCodePage::SetAnsiCodePage(936));
    EXPECT_EQ(CCodePage::FromCharSet(0), 936);
    EXPECT_EQ(CCodePage::FromCharSet(1), 936);
    EXPECT_EQ(CCodePage::FromCharSet(204), 1251);
    EXPECT_FALSE(CCodePage::SetAnsiCodePage(12345));
    EXPECT_EQ(CCodePage::AnsiCodePage(), 936);
}

TEST_F(CodePage, AnsiCodePageIsReadFromTheProfile)
{
    CMemoryProfile profile;
    CCodePage::LoadAnsiCodePage(profile);
    EXPECT_EQ(CCodePage::AnsiCodePage(), 1252);
    profile.WriteProfileInt("TPParameter", "AnsiCodePage", 936);
    CCodePage::LoadAnsiCodePage(profile);
    EXPECT_EQ(CCodePage::AnsiCodePage(), 936);
    profile.WriteProfileInt("TPParameter", "AnsiCodePage", 77);
    CCodePage::LoadAnsiCodePage(profile);
    EXPECT_EQ(CCodePage::AnsiCodePage(), 1252) << "an unknown code page falls back to Western";
}

TEST_F(CodePage, Gb2312BytesAreKeptAsPairs)
{
    const char text[] = "A\xD6\xD0\xCE\xC4" "B";  // "A中文B"
    const int n = int(sizeof text) - 1;
    EXPECT_EQ(CCodePage::CharLength(936, text, n, 0), 1);
    EXPECT_EQ(CCodePage::CharLength(936, text, n, 1), 2);
    EXPECT_EQ(CCodePage::CharLength(936, text, n, 3), 2);
    EXPECT_EQ(CCodePage::CharLength(936, text, n, 5), 1);
    EXPECT_EQ(CCodePage::DecodeString(936, text, n), (std::vector<char32_t>{U'A', U'中', U'文', U'B'}));
}

TEST_F(CodePage, SingleByteCodePageNeverPairsBytes)
{
    // "café€" in Western bytes: the high bytes are letters of their own.
    const char text[] = "caf\xE9\x80\xC4\xD6";
    const int n = int(sizeof text) - 1;
    for (int cp : {1252, 1250, 1251, 1253, 874, 437}) {
        SCOPED_TRACE(cp);
        for (int i = 0; i < n; ++i) EXPECT_EQ(CCodePage::CharLength(cp, text, n, i), 1);
        EXPECT_EQ(CCodePage::DecodeString(cp, text, n).size(), std::size_t(n));
        for (int b = 0x80; b <= 0xFF; ++b) EXPECT_FALSE(CCodePage::IsLeadByte(cp, std::uint8_t(b)));
    }
    EXPECT_EQ(CCodePage::DecodeString(1252, text, n),
              (std::vector<char32_t>{U'c', U'a', U'f', U'é', U'€', U'Ä', U'Ö'}));
}

TEST_F(CodePage, LeadByteRangesOfTheDoubleByteCodePages)
{
    struct Case { int cp; int byte; bool lead; };
    const Case cases[] = {
        {936, 0x80, false}, {936, 0x81, true},  {936, 0xFE, true},  {936, 0xFF, false},
        {932, 0x81, true},  {932, 0x9F, true},  {932, 0xA0, false}, {932, 0xB1, false},
        {932, 0xE0, true},  {932, 0xFC, true},  {932, 0xFD, false}, {950, 0xA4, true},
        {949, 0xB0, true},  {949, 0x7F, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CCodePage::IsLeadByte(c.cp, std::uint8_t(c.byte)), c.lead) << c.cp << " " << c.byte;
    // Half-width katakana are single bytes in Shift-JIS.
    const char kana[] = "\xB1\xB2";
    EXPECT_EQ(CCodePage::DecodeString(932, kana, 2), (std::vector<char32_t>{U'ｱ', U'ｲ'}));
}

TEST_F(CodePage, LeadByteAtTheEndStandsAlone)
{
    const char text[] = "A\xD6";
    EXPECT_EQ(CCodePage::CharLength(936, text, 2, 1), 1);
    EXPECT_EQ(CCodePage::Decode(936, text + 1, 1), 0u) << "half a character is no character";
    for (char next : {'\0', '\t', '\r', '\n'}) {
        const char broken[] = {'\xD6', next};
        EXPECT_EQ(CCodePage::CharLength(936, broken, 2, 0), 1) << "a line end is never a trail byte";
    }
}

TEST_F(CodePage, OtherDoubleByteCodePagesDecode)
{
    EXPECT_EQ(CCodePage::Decode(950, "\xA4\xA4", 2), U'中');  // Big5
    EXPECT_EQ(CCodePage::Decode(932, "\x93\xFA", 2), U'日');  // Shift-JIS
    EXPECT_EQ(CCodePage::Decode(949, "\xC7\xD1", 2), U'한');  // Korean
    EXPECT_EQ(CCodePage::Decode(1251, "\xC6", 1), U'Ж');
}

TEST_F(CodePage, ConversionToAndFromUtf8)
{
    std::string utf8;
    ASSERT_TRUE(CCodePage::ToUtf8(936, "\xCB\xCE\xCC\xE5", utf8));
    EXPECT_EQ(utf8, "宋体");
    std::string bytes;
    ASSERT_TRUE(CCodePage::FromUtf8(936, "中文", bytes));
    EXPECT_EQ(bytes, "\xD6\xD0\xCE\xC4");
    EXPECT_FALSE(CCodePage::FromUtf8(1252, "中文", bytes)) << "no Chinese in the Western code page";
    EXPECT_FALSE(CCodePage::ToUtf8(936, "\xD6", utf8)) << "a lone lead byte is invalid";
}

}  // namespace
