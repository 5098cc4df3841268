#pragma once
// The code tables of the screen display settings and the texts shown for them. A code
// is the position of its name in the list, so the order of each list is part of the
// file format and of the wire format.

#include "programme/SCREENINFO.h"

#include <array>
#include <string>
#include <string_view>

// Import and export modes share one list.
inline constexpr std::array<std::string_view, 16> kModeNames = {
    "Move from right",   "Move from left",       "Scroll up",         "Scroll bottom",
    "Jump from right",   "Open from left",       "Open from right",   "Open from bottom",
    "Open from up",      "Open from center",     "Open from both sides",
    "Cover from center", "Cover from both sides", "Immedia",          "Ready",
    "Random"};

// The name of code 1 really ends in a space.
inline constexpr std::array<std::string_view, 4> kSpeedNames = {"Fastest", "Fast ", "Median", "Slow"};

inline constexpr std::array<std::string_view, 5> kCartoonNames = {
    "Eat bean", "Toxophily", "Weight lifting", "Lion", "Horse"};

// One append flag: its bit, the caption of its check box and its part of the append text,
// in the order the parts are joined.
struct CAppendFlagText {
    std::uint8_t m_nBit;
    std::string_view m_szCheckBox;
    std::string_view m_szTextPart;
};
inline constexpr std::array<CAppendFlagText, 6> kAppendFlagTexts = {{
    {APPEND_FLICKER, "Flicker", "Flciker"},
    {APPEND_PAUSE, "Pause", "Pause ( %d sec )"},
    {APPEND_CONTINUUM, "Continuum", "Continuum"},
    {APPEND_TIME, "Time", "Time"},
    {APPEND_QUIESCENCE, "Quiescence", "Quiescence"},
    {APPEND_CARTOON, "Cartoon", "Cartoon ("},
}};

// Names for codes; a code outside its list has no name (empty).
std::string_view GetModeName(int code);
std::string_view GetSpeedName(int code);
std::string_view GetCartoonName(int number);

// The index of the first entry equal to name (exact, case-sensitive); 0 when none is.
template <std::size_t N>
int FindCodeByName(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == name) return int(i);
    return 0;
}

// "No append mode", or the parts of the set flags joined by " | ".
std::string FormatAppendText(const SCREENINFO& rec);
