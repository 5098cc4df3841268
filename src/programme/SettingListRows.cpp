#include "programme/SettingListRows.h"

#include "programme/ScreenCodes.h"

#include <algorithm>
#include <limits>

std::string ScreenRowLabel(int index) { return std::to_string(index + 1) + " Screen"; }

std::array<std::string, 4> RowCellTexts(const SCREENINFO& rec)
{
    return {std::string(GetModeName(rec.byImport)), std::string(GetModeName(rec.byExport)),
            std::string(GetSpeedName(rec.bySpeed)), FormatAppendText(rec)};
}

void StoreComboCells(SCREENINFO& rec, std::string_view importText, std::string_view exportText,
                     std::string_view speedText)
{
    rec.byImport = std::uint8_t(FindCodeByName(kModeNames, importText));
    rec.byExport = std::uint8_t(FindCodeByName(kModeNames, exportText));
    rec.bySpeed = std::uint8_t(FindCodeByName(kSpeedNames, speedText));
}

CAppendChoice AppendChoiceOf(const SCREENINFO& rec)
{
    return {rec.byAppend, std::to_string(rec.nPauseSec), rec.nCartoon};
}

void ApplyAppendChoice(SCREENINFO& rec, const CAppendChoice& choice)
{
    // The edit takes at most two digits; anything longer that reaches here is cut off at
    // the largest value the record holds rather than wrapping.
    long long pause = 0;
    for (char c : choice.m_szPause) {
        if (c < '0' || c > '9') break;
        pause = std::min<long long>(pause * 10 + (c - '0'), std::numeric_limits<std::int32_t>::max());
    }
    rec.byAppend = choice.m_nFlags;
    rec.nCartoon = choice.m_nCartoon;
    rec.nPauseSec = std::int32_t(pause);
}
