#include "app/CMemoryProfile.h"
#include "app/CSignParamForm.h"
#include "app/CVemtApp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using Field = CSignParamForm::Field;

const char* const kNoIni = "/nonexistent/Vemt.ini";

CMemoryProfile ProfileWith(int width, int height, int colors, int memory, int screens)
{
    CMemoryProfile p;
    p.WriteProfileInt("TPParameter", "TPWidth", width);
    p.WriteProfileInt("TPParameter", "TPHeight", height);
    p.WriteProfileInt("TPParameter", "ColorCount", colors);
    p.WriteProfileInt("TPParameter", "MemorySize", memory);
    p.WriteProfileInt("TPParameter", "TotalScreen", screens);
    return p;
}

TEST(SignParamLoad, EmptyProfileGivesTheFirstRunValues)
{
    CMemoryProfile profile;
    CVemtApp app;
    CSignParamForm form;
    form.LoadParams(profile, kNoIni, app);
    EXPECT_EQ(form.m_nColorCount, 2);
    EXPECT_EQ(form.m_nTPWidth, 160);
    EXPECT_EQ(form.m_nTPHeight, 16);
    EXPECT_EQ(form.m_nIs232, 1);
    EXPECT_EQ(form.m_nMemorySize, 55);
    EXPECT_EQ(form.m_nTotalScreen, 20);
    EXPECT_EQ(form.m_nMaxScreen, 150);
    EXPECT_EQ(app.m_nMaxScreen, 150);
    EXPECT_EQ(app.m_nNeedKVX, 1);
    EXPECT_EQ(profile.WriteCount(), 0u) << "loading writes nothing";
}

struct LoadCorrectionCase {
    const char* name;
    int width, height, colors, memory, screens;
    int expectWidth, expectHeight, expectScreens, expectMax;
};

const LoadCorrectionCase kLoadCases[] = {
    {"width below 8 becomes 160", 7, 16, 1, 55, 20, 160, 16, 20, 150},
    {"height below 1 becomes 16", 160, 0, 1, 55, 20, 160, 16, 20, 150},
    {"screens above the maximum are lowered", 320, 64, 2, 51, 99, 320, 64, 10, 10},
    {"values above the upper bounds stay as they are", 400, 80, 1, 55, 5, 400, 80, 5, 14},
    {"zero screens stay zero", 160, 16, 2, 55, 0, 160, 16, 0, 150},
};

class SignParamLoadCorrections : public testing::TestWithParam<LoadCorrectionCase> {};

TEST_P(SignParamLoadCorrections, AppliesTheLoadRules)
{
    const auto& c = GetParam();
    CMemoryProfile profile = ProfileWith(c.width, c.height, c.colors, c.memory, c.screens);
    CVemtApp app;
    CSignParamForm form;
    form.LoadParams(profile, kNoIni, app);
    EXPECT_EQ(form.m_nTPWidth, c.expectWidth) << c.name;
    EXPECT_EQ(form.m_nTPHeight, c.expectHeight) << c.name;
    EXPECT_EQ(form.m_nTotalScreen, c.expectScreens) << c.name;
    EXPECT_EQ(form.m_nMaxScreen, c.expectMax) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, SignParamLoadCorrections, testing::ValuesIn(kLoadCases));

TEST(SignParamLoad, MissingMemorySizeUsesTheApplicationDefault)
{
    CMemoryProfile profile;
    CVemtApp app;
    app.m_nMemorySize = 51;
    CSignParamForm form;
    form.LoadParams(profile, kNoIni, app);
    EXPECT_EQ(form.m_nMemorySize, 51);
    EXPECT_EQ(form.m_nMaxScreen, 81);
}

struct SetCase {
    const char* name;
    int width, height, screens;
    bool refused;
    Field field;
    const char* message;
    const char* caption;
    bool saved;  // the profile was written before the refusal
};

const SetCase kSetCases[] = {
    {"width 7", 7, 16, 20, true, Field::Width, "The Width of screen can't less than 8", "Prompt", false},
    {"height 0", 160, 0, 20, true, Field::Height, "The Height of screen can't equal 0", "Prompt", false},
    {"width 321", 321, 16, 20, true, Field::Width,
     "The parameter <Width> is too large,Please re-enter.(the max value is 320)", "Please confirm", true},
    {"height 65", 160, 65, 20, true, Field::Height,
     "The parameter <Height> is too large,Please re-enter.(the max value is 64)", "Please confirm", true},
    {"151 screens", 160, 16, 151, true, Field::NumberStored,
     "The parameter <Nummber stored> is too large,Please Re-enter.(the max value is 150)", "Please Confirm",
     true},
    {"23 screens at 320x64", 320, 64, 23, true, Field::NumberStored,
     "The parameter <Nummber stored> is too large,Please Re-enter.(the max value is 22)", "Please Confirm",
     true},
    {"320x64 with its maximum", 320, 64, 22, false, Field::Width, "", "", true},
    {"zero screens", 160, 16, 0, false, Field::Width, "", "", true},
};

class SignParamSet : public testing::TestWithParam<SetCase> {};

TEST_P(SignParamSet, ChecksInOrderAndSavesBeforeTheUpperBounds)
{
    const auto& c = GetParam();
    CMemoryProfile profile;
    CVemtApp app;
    CSignParamForm form;
    form.LoadParams(profile, kNoIni, app);
    form.m_nTPWidth = c.width;
    form.m_nTPHeight = c.height;
    form.m_nTotalScreen = c.screens;
    form.m_nColorCount = 2;
    form.m_nMemorySize = 55;

    const auto refusal = form.Set(profile, app);
    ASSERT_EQ(refusal.has_value(), c.refused) << c.name;
    if (c.refused) {
        EXPECT_EQ(refusal->m_field, c.field) << c.name;
        EXPECT_EQ(refusal->m_szMessage, c.message) << c.name;
        EXPECT_EQ(refusal->m_szCaption, c.caption) << c.name;
    }
    EXPECT_EQ(profile.Has("TPParameter", "TPWidth"), c.saved) << c.name;
    if (c.saved) {
        EXPECT_EQ(profile.GetProfileInt("TPParameter", "TPWidth", -1), c.width);
        EXPECT_EQ(profile.GetProfileInt("TPParameter", "TPHeight", -1), c.height);
        EXPECT_EQ(profile.GetProfileInt("TPParameter", "TotalScreen", -1), c.screens);
        EXPECT_EQ(profile.GetProfileInt("TPParameter", "ColorCount", -1), 2);
        EXPECT_EQ(profile.GetProfileInt("TPParameter", "MemorySize", -1), 55);
        EXPECT_EQ(profile.GetProfileInt("TPParameter", "Is232", -1), 1);
        EXPECT_EQ(app.m_nMaxScreen, form.m_nMaxScreen);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SignParamSet, testing::ValuesIn(kSetCases));

TEST(SignParamSet, CopyIntoTheApplicationTakesFiveValues)
{
    CSignParamForm form;
    form.m_nColorCount = 1;
    form.m_nTPWidth = 96;
    form.m_nTPHeight = 32;
    form.m_nIs232 = 0;
    form.m_nTotalScreen = 7;
    form.m_nMemorySize = 51;
    CVemtApp app;
    form.CopyInto(app);
    EXPECT_EQ(app.m_nColorCount, 1);
    EXPECT_EQ(app.m_nTPWidth, 96);
    EXPECT_EQ(app.m_nTPHeight, 32);
    EXPECT_EQ(app.m_nIs232, 0);
    EXPECT_EQ(app.m_nTotalScreen, 7);
    EXPECT_EQ(app.m_nMemorySize, 55) << "the memory code is not copied";
}

TEST(SignParamHelp, HasTheFiveParagraphHeadings)
{
    const std::string help = CSignParamForm::HelpText();
    std::size_t at = 0;
    for (const char* heading : {"<COLOR>", "<Width>", "<Height>", "<Moving-Sign Version>", "<Number stored>"}) {
        const std::size_t found = help.find(heading, at);
        ASSERT_NE(found, std::string::npos) << heading;
        at = found;
    }
    EXPECT_NE(help.find("150"), std::string::npos);
}

}  // namespace
