#include "app/CMemoryProfile.h"
#include "app/EditorProfile.h"
#include "app/EditorState.h"

#include <gtest/gtest.h>

namespace {

class EditorProfileTest : public testing::Test {
protected:
    void TearDown() override { ResetEditorState(); }
};

TEST_F(EditorProfileTest, EmptyProfileGivesTheTextDefaults)
{
    g_nLastFontSize = 40;
    g_szLastFontName = "x";
    LoadTextDefaults(CMemoryProfile());
    EXPECT_EQ(g_nLastFontSize, 12);
    EXPECT_EQ(g_szLastFontName, "MS Sans Serif");
    EXPECT_EQ(g_nLastFontCharset, 0);
    EXPECT_EQ(g_nLastFontCurPitch, 2);
}

TEST_F(EditorProfileTest, TextDefaultsRoundTripAndTheCharsetIsOneByte)
{
    CMemoryProfile profile;
    g_nLastFontSize = 16;
    g_szLastFontName = "WenQuanYi Zen Hei";
    g_nLastFontCharset = 134;
    g_nLastFontCurPitch = 1;
    SaveTextDefaults(profile);
    ResetEditorState();
    LoadTextDefaults(profile);
    EXPECT_EQ(g_nLastFontSize, 16);
    EXPECT_EQ(g_szLastFontName, "WenQuanYi Zen Hei");
    EXPECT_EQ(g_nLastFontCharset, 134);
    EXPECT_EQ(g_nLastFontCurPitch, 1);

    profile.WriteProfileInt("TPParameter", "LastFontCharset", 0x186);
    LoadTextDefaults(profile);
    EXPECT_EQ(g_nLastFontCharset, 0x86);
}

TEST_F(EditorProfileTest, RowPitchSettingsRoundTripWithTheirDefaults)
{
    LoadRowPitchSettings(CMemoryProfile());
    EXPECT_EQ(g_bFixRowPitch, 1);
    EXPECT_EQ(g_nFixRowPitch, -1);
    EXPECT_EQ(g_bCanSpan, 0);

    CMemoryProfile profile;
    g_bFixRowPitch = 0;
    g_nFixRowPitch = 20;
    g_bCanSpan = 1;
    SaveRowPitchSettings(profile);
    ResetEditorState();
    LoadRowPitchSettings(profile);
    EXPECT_EQ(g_bFixRowPitch, 0);
    EXPECT_EQ(g_nFixRowPitch, 20);
    EXPECT_EQ(g_bCanSpan, 1);
}

}  // namespace
