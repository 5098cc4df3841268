#include "app/CMemoryProfile.h"
#include "app/CSettingsProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "app/VemtIni.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "vemt-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(m_path); }
    std::string File(const std::string& name, const std::string& content = {}) const
    {
        const std::string p = (fs::path(m_path) / name).string();
        if (!content.empty()) std::ofstream(p, std::ios::binary) << content;
        return p;
    }

private:
    std::string m_path;
};

TEST(ApplicationState, StartsWithTheDocumentedValues)
{
    CVemtApp app;
    EXPECT_EQ(app.m_nColorCount, 2);
    EXPECT_EQ(app.m_nTPWidth, 320);
    EXPECT_EQ(app.m_nTPHeight, 64);
    EXPECT_EQ(app.m_nIs232, 1);
    EXPECT_EQ(app.m_nTotalScreen, 20);
    EXPECT_EQ(app.m_nNeedKVX, 1);
    EXPECT_EQ(app.m_nMaxScreen, 1);
    EXPECT_EQ(app.m_nMemorySize, 55);
    EXPECT_EQ(app.ScreenInfoCount(), 0);
    for (const TIMERINFO& t : app.m_aTimer) {
        const unsigned char expected[7] = {0, 0, 0, 1, 1, 0, 0};
        EXPECT_EQ(std::memcmp(&t, expected, 7), 0);
    }
    EXPECT_EQ(app.m_nClockX, 0);
    EXPECT_EQ(app.m_nClockY, 0);
    EXPECT_EQ(app.m_bDisplaySecond, 1);
    EXPECT_EQ(app.m_nComPort, 2);
    EXPECT_EQ(app.m_szAddress, "0");
    EXPECT_TRUE(app.m_listTimingSend.empty());
    EXPECT_TRUE(app.m_listSendError.empty());
}

TEST(ApplicationState, EditorStateStartsWithTheDocumentedValues)
{
    g_nZoomIndex = 3;
    g_rcUpdate = CRect(1, 2, 3, 4);
    ResetEditorState();
    EXPECT_EQ(g_nDrawMode, 2);
    EXPECT_EQ(g_nZoomIndex, 0);
    EXPECT_TRUE(g_rcUpdate.IsRectNull());
    EXPECT_EQ(g_nLineWidth, 1);
    EXPECT_EQ(g_nFillStyle, 0);
    EXPECT_EQ(g_crForeground, 0x0000FFu);
    EXPECT_EQ(g_crBackground, 0x000000u);
    EXPECT_EQ(g_bFixRowPitch, 1);
    EXPECT_EQ(g_nFixRowPitch, -1);
    EXPECT_EQ(g_bCanSpan, 0);
    EXPECT_EQ(ZoomFactor(0), 1);
    EXPECT_EQ(ZoomFactor(3), 8);
}

TEST(TimingSendList, MissingKeysTakeTheirDefaults)
{
    CMemoryProfile profile;
    profile.WriteProfileInt("TimingSend", "Count", 2);
    profile.WriteProfileString("TimingSend", "PingHao0", "1,2,3");
    profile.WriteProfileString("TimingSend", "Date0", "07:30");
    profile.WriteProfileString("TimingSend", "FileName0", "/home/sign/morning.KVX");
    CVemtApp app;
    app.LoadTimingSendList(profile);
    ASSERT_EQ(app.m_listTimingSend.size(), 2u);
    EXPECT_EQ(app.m_listTimingSend[0].m_szAddress, "1,2,3");
    EXPECT_EQ(app.m_listTimingSend[0].m_szTime, "07:30");
    EXPECT_EQ(app.m_listTimingSend[0].m_szFileName, "/home/sign/morning.KVX");
    EXPECT_EQ(app.m_listTimingSend[1].m_szAddress, "0");
    EXPECT_EQ(app.m_listTimingSend[1].m_szTime, "00:00");
    EXPECT_EQ(app.m_listTimingSend[1].m_szFileName, "");
    EXPECT_EQ(app.m_listTimingSend[1].m_nSent, 0);
}

TEST(TimingSendList, EmptyProfileGivesNoEntriesAndAHugeCountIsBounded)
{
    CVemtApp app;
    app.LoadTimingSendList(CMemoryProfile());
    EXPECT_TRUE(app.m_listTimingSend.empty());

    CMemoryProfile damaged;
    damaged.WriteProfileInt("TimingSend", "Count", 2000000000);
    app.LoadTimingSendList(damaged);
    EXPECT_EQ(app.m_listTimingSend.size(), 1000u);
}

TEST(SendOption, ReadsAddressAndPortWithDefaults)
{
    CVemtApp app;
    app.LoadSendOption(CMemoryProfile());
    EXPECT_EQ(app.m_szAddress, "0");
    EXPECT_EQ(app.m_nComPort, 2);

    CMemoryProfile profile;
    profile.WriteProfileString("SendOption", "PingHao", "3-5,9");
    profile.WriteProfileInt("SendOption", "Comport", 1);
    app.LoadSendOption(profile);
    EXPECT_EQ(app.m_szAddress, "3-5,9");
    EXPECT_EQ(app.m_nComPort, 1);
}

struct IniCase {
    const char* name;
    const char* content;  // nullptr: no file
    int expected;
};

const IniCase kIniCases[] = {
    {"no file", nullptr, 1},
    {"the key as written", "[TPInfo]\nNeedKVX=0\n", 0},
    {"names in another case, CRLF lines", "[tpinfo]\r\nneedkvx = 7\r\n", 7},
    {"key in another section", "[Other]\nNeedKVX=0\n", 1},
    {"empty value keeps the default", "[TPInfo]\nNeedKVX=\n", 1},
    {"text that is no number reads as 0", "[TPInfo]\nNeedKVX=yes\n", 0},
    {"trailing text after the digits", "[TPInfo]\nNeedKVX=12abc\n", 12},
    {"negative value", "[TPInfo]\nNeedKVX=-3\n", -3},
};

class VemtIniNeedKVX : public testing::TestWithParam<IniCase> {};

TEST_P(VemtIniNeedKVX, ReadsLikeThePlatformReader)
{
    const auto& c = GetParam();
    TempDir dir;
    const std::string path = c.content ? dir.File("Vemt.ini", c.content) : dir.File("missing.ini");
    EXPECT_EQ(ReadNeedKVX(path), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, VemtIniNeedKVX, testing::ValuesIn(kIniCases));

TEST(SettingsProfile, WritesAnIniFileAndReadsItBack)
{
    TempDir dir;
    const std::string path = dir.File("profile.ini");
    {
        CSettingsProfile profile(path);
        profile.WriteProfileInt("TPParameter", "TPWidth", 96);
        profile.WriteProfileString("SendOption", "PingHao", "1,2,3");
        profile.Sync();
    }
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[TPParameter]"), std::string::npos);
    EXPECT_NE(text.find("TPWidth=96"), std::string::npos);

    CSettingsProfile again(path);
    EXPECT_EQ(again.GetProfileInt("TPParameter", "TPWidth", 0), 96);
    EXPECT_EQ(again.GetProfileString("SendOption", "PingHao", ""), "1,2,3");
    EXPECT_EQ(again.GetProfileInt("TPParameter", "Missing", 42), 42);
}

TEST(SettingsProfile, AHandWrittenAddressListReadsAsOneString)
{
    TempDir dir;
    const std::string path = dir.File("profile.ini", "[SendOption]\nPingHao=1,2,5\nComport=abc\n");
    CSettingsProfile profile(path);
    EXPECT_EQ(profile.GetProfileString("SendOption", "PingHao", ""), "1,2,5");
    EXPECT_EQ(profile.GetProfileInt("SendOption", "Comport", 2), 2) << "a damaged number keeps the default";
}

}  // namespace
