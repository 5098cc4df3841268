#pragma once
// The editor-wide values kept in the profile between runs (section "TPParameter"):
// the text defaults of new text objects and the row-spacing rules of text.

class IProfile;

// "LastFontSize", "LastFontName", "LastFontCharset", "LastFontCurPitch": read when a
// canvas window is made, written after each accepted text entry.
void LoadTextDefaults(const IProfile& profile);
void SaveTextDefaults(IProfile& profile);

// "IsFixRowPitch", "FixRowPitch", "IsCanSpan": read when a canvas window first shows
// its document, written when it closes.
void LoadRowPitchSettings(const IProfile& profile);
void SaveRowPitchSettings(IProfile& profile);
