#pragma once
// The values and rules behind the sign-parameters dialog, without the widgets: loading
// from and saving to the profile, the live maximum, and the checks of "Set" in order.

#include <optional>
#include <string>

class CVemtApp;
class IProfile;

class CSignParamForm {
public:
    enum class Field { Width, Height, NumberStored };

    struct Refusal {
        Field m_field;
        std::string m_szMessage;
        std::string m_szCaption;
    };

    int m_nColorCount = 2;
    int m_nTPWidth = 160;
    int m_nTPHeight = 16;
    int m_nIs232 = 1;
    int m_nMemorySize = 55;
    int m_nTotalScreen = 20;
    int m_nMaxScreen = 0;

    // Profile values with their defaults and corrections, the maximum for them (also
    // into app.m_nMaxScreen), the number of screens clamped to it, and "NeedKVX" from
    // the configuration file into app.m_nNeedKVX.
    void LoadParams(const IProfile& profile, const std::string& vemtIniPath, CVemtApp& app);
    // All six keys of section "TPParameter".
    void SaveParams(IProfile& profile) const;

    // The maximum for the current values, into m_nMaxScreen and app.m_nMaxScreen.
    int RecomputeMax(CVemtApp& app);

    // The checks of "Set" on values already read from the fields, in their order; the
    // profile is written after the lower bounds and before the upper bounds are tested.
    std::optional<Refusal> Set(IProfile& profile, CVemtApp& app);

    // The check made when the user leaves the Width field.
    static std::optional<Refusal> CheckWidthOnLeave(int width);

    // On OK: colour count, width, height, RS-232 flag and number of screens to the app.
    void CopyInto(CVemtApp& app) const;

    static const char* HelpText();
};
