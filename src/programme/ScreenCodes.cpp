#include "programme/ScreenCodes.h"

namespace {

template <std::size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int code)
{
    return code >= 0 && std::size_t(code) < N ? names[std::size_t(code)] : std::string_view();
}

}  // namespace

std::string_view GetModeName(int code) { return NameAt(kModeNames, code); }
std::string_view GetSpeedName(int code) { return NameAt(kSpeedNames, code); }
std::string_view GetCartoonName(int number) { return NameAt(kCartoonNames, number); }

std::string FormatAppendText(const SCREENINFO& rec)
{
    if (rec.byAppend == 0) return "No append mode";

    std::string text;
    for (const CAppendFlagText& flag : kAppendFlagTexts) {
        if ((rec.byAppend & flag.m_nBit) == 0) continue;
        if (!text.empty()) text += " | ";
        if (flag.m_nBit == APPEND_PAUSE) {
            text += "Pause ( " + std::to_string(rec.nPauseSec) + " sec )";
        } else if (flag.m_nBit == APPEND_CARTOON) {
            text += flag.m_szTextPart;
            text += GetCartoonName(rec.nCartoon);
            text += ") ";
        } else {
            text += flag.m_szTextPart;
        }
    }
    return text;
}
