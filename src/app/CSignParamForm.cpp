#include "app/CSignParamForm.h"

#include "app/CVemtApp.h"
#include "app/IProfile.h"
#include "app/SignParams.h"
#include "app/VemtIni.h"

#include <cstdio>

namespace {
const char* const kSection = "TPParameter";

const char* const kWidthTooSmall = "The Width of screen can't less than 8";
const char* const kHeightZero = "The Height of screen can't equal 0";
const char* const kWidthTooLarge =
    "The parameter <Width> is too large,Please re-enter.(the max value is 320)";
const char* const kHeightTooLarge =
    "The parameter <Height> is too large,Please re-enter.(the max value is 64)";
const char* const kScreensTooLarge =
    "The parameter <Nummber stored> is too large,Please Re-enter.(the max value is %d)";
}  // namespace

void CSignParamForm::LoadParams(const IProfile& profile, const std::string& vemtIniPath, CVemtApp& app)
{
    m_nColorCount = profile.GetProfileInt(kSection, "ColorCount", 2);
    m_nTPWidth = profile.GetProfileInt(kSection, "TPWidth", 160);
    if (m_nTPWidth < kMinSignWidth) m_nTPWidth = 160;
    m_nTPHeight = profile.GetProfileInt(kSection, "TPHeight", 16);
    if (m_nTPHeight < 1) m_nTPHeight = 16;
    m_nIs232 = profile.GetProfileInt(kSection, "Is232", 1);
    m_nMemorySize = profile.GetProfileInt(kSection, "MemorySize", app.m_nMemorySize);
    m_nTotalScreen = profile.GetProfileInt(kSection, "TotalScreen", 20);

    RecomputeMax(app);
    if (m_nTotalScreen > m_nMaxScreen) m_nTotalScreen = m_nMaxScreen;
    app.m_nNeedKVX = ReadNeedKVX(vemtIniPath);
}

void CSignParamForm::SaveParams(IProfile& profile) const
{
    profile.WriteProfileInt(kSection, "ColorCount", m_nColorCount);
    profile.WriteProfileInt(kSection, "TPWidth", m_nTPWidth);
    profile.WriteProfileInt(kSection, "TPHeight", m_nTPHeight);
    profile.WriteProfileInt(kSection, "Is232", m_nIs232);
    profile.WriteProfileInt(kSection, "MemorySize", m_nMemorySize);
    profile.WriteProfileInt(kSection, "TotalScreen", m_nTotalScreen);
}

int CSignParamForm::RecomputeMax(CVemtApp& app)
{
    m_nMaxScreen = ComputeMaxScreens(m_nTPWidth, m_nTPHeight, m_nMemorySize, m_nColorCount);
    app.m_nMaxScreen = m_nMaxScreen;
    return m_nMaxScreen;
}

std::optional<CSignParamForm::Refusal> CSignParamForm::CheckWidthOnLeave(int width)
{
    if (width < kMinSignWidth) return Refusal{Field::Width, kWidthTooSmall, "Prompt"};
    return std::nullopt;
}

std::optional<CSignParamForm::Refusal> CSignParamForm::Set(IProfile& profile, CVemtApp& app)
{
    if (auto refusal = CheckWidthOnLeave(m_nTPWidth)) return refusal;
    if (m_nTPHeight <= 0) return Refusal{Field::Height, kHeightZero, "Prompt"};

    // Saved before the upper bounds are tested: a refused value is shown again next start.
    SaveParams(profile);
    RecomputeMax(app);

    if (m_nTPWidth > kMaxSignWidth) return Refusal{Field::Width, kWidthTooLarge, "Please confirm"};
    if (m_nTPHeight > kMaxSignHeight) return Refusal{Field::Height, kHeightTooLarge, "Please confirm"};
    if (m_nTotalScreen > m_nMaxScreen) {
        char text[160];
        std::snprintf(text, sizeof text, kScreensTooLarge, m_nMaxScreen);
        return Refusal{Field::NumberStored, text, "Please Confirm"};
    }
    return std::nullopt;
}

void CSignParamForm::CopyInto(CVemtApp& app) const
{
    app.m_nColorCount = m_nColorCount;
    app.m_nTPWidth = m_nTPWidth;
    app.m_nTPHeight = m_nTPHeight;
    app.m_nIs232 = m_nIs232;
    app.m_nTotalScreen = m_nTotalScreen;
}

const char* CSignParamForm::HelpText()
{
    return "<COLOR>\n"
           "Single Color: the sign shows red only.\n"
           "Double Color: the sign shows red, green and yellow; yellow is made of red and green "
           "lit together.\n"
           "\n"
           "<Width>\n"
           "The number of dots the sign has across. It is known from the model of the sign.\n"
           "\n"
           "<Height>\n"
           "The number of dots the sign has from top to bottom. It is known from the model of "
           "the sign.\n"
           "\n"
           "<Moving-Sign Version>\n"
           "The sign shows its version when it is switched on. Choose \"Version before V3.18\" "
           "when that version is below 3.18 or no version is shown; otherwise choose "
           "\"Version after V3.18\".\n"
           "\n"
           "<Number stored>\n"
           "The number of screens you can compose. It defaults to the largest number the sign "
           "can store with the settings above, and may be lowered. Example: a single-color sign "
           "of 160 x 16 dots with version 3.17 can store at most 150 screens.";
}
