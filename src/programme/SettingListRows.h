#pragma once
// What the settings list and the append-mode dialog show for a record and how their
// answers go back into it. The dialogs only move these texts in and out of controls.

#include "programme/SCREENINFO.h"

#include <array>
#include <string>
#include <string_view>

enum { EDITOR_DIALOG = 4, EDITOR_COMBO = 7 };

struct CSettingColumn {
    std::string_view m_szHeader;
    int m_nWidth;        // pixels
    int m_nEditorKind;   // 0 none, EDITOR_COMBO or EDITOR_DIALOG
    int m_nButtonKind;   // 2: a "..." button at the right end of the cell
};

inline constexpr std::array<CSettingColumn, 5> kSettingColumns = {{
    {"Key", 75, 0, 0},
    {"Import mode", 140, EDITOR_COMBO, 0},
    {"Export mode", 140, EDITOR_COMBO, 0},
    {"Speed", 85, EDITOR_COMBO, 0},
    {"Append mode", 150, EDITOR_DIALOG, 2},
}};

// Row label of screen index (from 0): "1 Screen", "2 Screen", ...
std::string ScreenRowLabel(int index);

// The texts of columns 1 to 4 of a record's row.
std::array<std::string, 4> RowCellTexts(const SCREENINFO& rec);

// Stores the three drop-down cells: each text is looked up in its column's choices
// and a text found nowhere stores code 0. The append mode is not touched.
void StoreComboCells(SCREENINFO& rec, std::string_view importText, std::string_view exportText,
                     std::string_view speedText);

// The append-mode dialog's values: flags, the pause as typed, the cartoon number.
struct CAppendChoice {
    std::uint8_t m_nFlags = 0;
    std::string m_szPause;
    int m_nCartoon = 0;
};

CAppendChoice AppendChoiceOf(const SCREENINFO& rec);
// "OK" of the dialog: all three values are stored, also those whose flag is off. The
// pause is the decimal value of its leading digits (an empty text gives 0).
void ApplyAppendChoice(SCREENINFO& rec, const CAppendChoice& choice);
