#include "app/EditorProfile.h"

#include "app/EditorState.h"
#include "app/IProfile.h"

namespace {
const char* const kSection = "TPParameter";
}

void LoadTextDefaults(const IProfile& profile)
{
    g_nLastFontSize = profile.GetProfileInt(kSection, "LastFontSize", 12);
    g_szLastFontName = profile.GetProfileString(kSection, "LastFontName", "MS Sans Serif");
    g_nLastFontCharset = profile.GetProfileInt(kSection, "LastFontCharset", 0) & 0xFF;
    g_nLastFontCurPitch = profile.GetProfileInt(kSection, "LastFontCurPitch", 2);
}

void SaveTextDefaults(IProfile& profile)
{
    profile.WriteProfileInt(kSection, "LastFontSize", g_nLastFontSize);
    profile.WriteProfileString(kSection, "LastFontName", g_szLastFontName);
    profile.WriteProfileInt(kSection, "LastFontCharset", g_nLastFontCharset & 0xFF);
    profile.WriteProfileInt(kSection, "LastFontCurPitch", g_nLastFontCurPitch);
}

void LoadRowPitchSettings(const IProfile& profile)
{
    g_bFixRowPitch = profile.GetProfileInt(kSection, "IsFixRowPitch", 1);
    g_nFixRowPitch = profile.GetProfileInt(kSection, "FixRowPitch", -1);
    g_bCanSpan = profile.GetProfileInt(kSection, "IsCanSpan", 0);
}

void SaveRowPitchSettings(IProfile& profile)
{
    profile.WriteProfileInt(kSection, "IsFixRowPitch", g_bFixRowPitch);
    profile.WriteProfileInt(kSection, "FixRowPitch", g_nFixRowPitch);
    profile.WriteProfileInt(kSection, "IsCanSpan", g_bCanSpan);
}
