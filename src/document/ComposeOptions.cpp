#include "document/ComposeOptions.h"

#include "programme/SCREENINFO.h"
#include "programme/ScreenCodes.h"
#include "text/CCodePage.h"
#include "text/CFontCatalogue.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

const std::vector<CComposeOption> kOptions = {
    {"--at", "X,Y", "the dot the text starts at, as a click with the character tool (default 0,0)"},
    {"--face", "NAME", "face name (default: the editor's last face)"},
    {"--size", "N", "size in points, 1 to 80 (default: the editor's last size)"},
    {"--bold", nullptr, "bold"},
    {"--italic", nullptr, "italic"},
    {"--underline", nullptr, "underline"},
    {"--charset", "SET", "character set: a number or a name such as GB2312 (default: the editor's last)"},
    {"--colour", "COLOUR", "text colour: black, red, green or yellow (default red)"},
    {"--background", "COLOUR", "background colour, seen with --opaque (default black)"},
    {"--opaque", nullptr, "fill the text's cells with the background colour"},
    {"--import", "MODE", "how the screens enter: \"Move from right\", \"Scroll up\", ..."},
    {"--export", "MODE", "how the screens leave (the same names)"},
    {"--speed", "SPEED", "Fastest, Fast, Median or Slow"},
    {"--append", "FLAGS", "held as: Flicker, Pause, Continuum, Time, Quiescence, Cartoon (comma list) or none"},
    {"--pause", "N", "seconds held, 0 to 99 (sets the Pause flag)"},
    {"--cartoon", "NAME", "\"Eat bean\", Toxophily, \"Weight lifting\", Lion or Horse (sets the Cartoon flag)"},
};

struct NamedCharSet {
    const char* name;
    int charSet;
};

const NamedCharSet kCharSetNames[] = {
    {"ANSI", CCodePage::ANSI_CHARSET},           {"DEFAULT", CCodePage::DEFAULT_CHARSET},
    {"SYMBOL", CCodePage::SYMBOL_CHARSET},       {"SHIFTJIS", CCodePage::SHIFTJIS_CHARSET},
    {"HANGUL", CCodePage::HANGUL_CHARSET},       {"HANGEUL", CCodePage::HANGUL_CHARSET},
    {"JOHAB", CCodePage::JOHAB_CHARSET},         {"GB2312", CCodePage::GB2312_CHARSET},
    {"CHINESEBIG5", CCodePage::CHINESEBIG5_CHARSET}, {"BIG5", CCodePage::CHINESEBIG5_CHARSET},
    {"GREEK", CCodePage::GREEK_CHARSET},         {"TURKISH", CCodePage::TURKISH_CHARSET},
    {"VIETNAMESE", CCodePage::VIETNAMESE_CHARSET}, {"HEBREW", CCodePage::HEBREW_CHARSET},
    {"ARABIC", CCodePage::ARABIC_CHARSET},       {"BALTIC", CCodePage::BALTIC_CHARSET},
    {"RUSSIAN", CCodePage::RUSSIAN_CHARSET},     {"THAI", CCodePage::THAI_CHARSET},
    {"EASTEUROPE", CCodePage::EASTEUROPE_CHARSET}, {"OEM", CCodePage::OEM_CHARSET},
};

struct NamedColour {
    const char* name;
    COLORREF colour;
    bool twoColours;  // only a two-colour sign shows it
};

const NamedColour kColours[] = {
    {"black", RGB(0, 0, 0), false},
    {"red", RGB(255, 0, 0), false},
    {"green", RGB(0, 255, 0), true},
    {"yellow", RGB(255, 255, 0), true},
};

std::string Upper(std::string_view s)
{
    std::string u(s);
    for (char& c : u) c = char(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return Upper(a) == Upper(b); }

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

// The index of a name in a code table, compared without case and without the trailing
// spaces some names have ("Fast ").
template <std::size_t N>
std::optional<int> FindName(const std::array<std::string_view, N>& names, std::string_view name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (EqualsIgnoreCase(Trimmed(names[i]), Trimmed(name))) return int(i);
    return std::nullopt;
}

template <std::size_t N>
std::string ListNames(const std::array<std::string_view, N>& names)
{
    std::string list;
    for (std::string_view n : names) list += (list.empty() ? "\"" : ", \"") + std::string(Trimmed(n)) + "\"";
    return list;
}

std::string AppendNames()
{
    std::string list = "\"none\"";
    for (const auto& f : kAppendFlagTexts) list += ", \"" + std::string(f.m_szCheckBox) + "\"";
    return list;
}

}  // namespace

const std::vector<CComposeOption>& ComposeOptions() { return kOptions; }

bool IsComposeOption(std::string_view name)
{
    return std::any_of(kOptions.begin(), kOptions.end(), [&](const CComposeOption& o) { return name == o.m_szName; });
}

bool IsComposeSwitch(std::string_view name)
{
    return std::any_of(kOptions.begin(), kOptions.end(),
                       [&](const CComposeOption& o) { return name == o.m_szName && !o.m_szValue; });
}

std::optional<int> CharSetByName(std::string_view name)
{
    name = Trimmed(name);
    if (auto number = ParseInt(name)) {
        if (*number < 0 || *number > 255) return std::nullopt;
        return *number;
    }
    std::string upper = Upper(name);
    if (upper.size() > 8 && upper.compare(upper.size() - 8, 8, "_CHARSET") == 0) upper.resize(upper.size() - 8);
    for (const NamedCharSet& n : kCharSetNames)
        if (upper == n.name) return n.charSet;
    // The script names the "Font" window shows: "Western", "CHINESE_GB2312", ...
    for (int charSet : CFontCatalogue::CharSets())
        if (EqualsIgnoreCase(name, CFontCatalogue::ScriptName(charSet))) return charSet;
    return std::nullopt;
}

std::string CharSetNames()
{
    std::string list;
    for (const NamedCharSet& n : kCharSetNames) list += (list.empty() ? "" : ", ") + std::string(n.name);
    for (int charSet : CFontCatalogue::CharSets()) list += ", \"" + std::string(CFontCatalogue::ScriptName(charSet)) + "\"";
    return list + ", or a number 0 to 255";
}

std::string UnescapeComposeText(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool ApplyComposeOption(std::string_view name, const std::string& value, int colorCount, CComposeRequest& request,
                        std::string& error)
{
    const std::string option(name);
    if (name == "--bold") request.m_bBold = true;
    else if (name == "--italic") request.m_bItalic = true;
    else if (name == "--underline") request.m_bUnderline = true;
    else if (name == "--opaque") request.m_bOpaque = true;
    else if (name == "--at") {
        const auto comma = value.find(',');
        const auto x = comma == std::string::npos ? std::nullopt : ParseInt(Trimmed(std::string_view(value).substr(0, comma)));
        const auto y = comma == std::string::npos ? std::nullopt : ParseInt(Trimmed(std::string_view(value).substr(comma + 1)));
        if (!x || !y) {
            error = "--at needs X,Y in dots, such as 0,16, not \"" + value + "\"";
            return false;
        }
        request.m_ptAt = CPoint(*x, *y);
    } else if (name == "--face") {
        if (value.empty() || value.size() > 31) {
            error = "--face needs a face name of 1 to 31 bytes, not \"" + value + "\"";
            return false;
        }
        request.m_szFace = value;
    } else if (name == "--size") {
        const auto size = ParseInt(value);
        if (!size || *size < 1 || *size > 80) {
            error = "--size must be 1 to 80 points, not \"" + value + "\"";
            return false;
        }
        request.m_nPointSize = *size;
    } else if (name == "--charset") {
        const auto charSet = CharSetByName(value);
        if (!charSet) {
            error = "unknown character set \"" + value + "\"; use one of " + CharSetNames();
            return false;
        }
        request.m_nCharSet = *charSet;
    } else if (name == "--colour" || name == "--background") {
        const NamedColour* found = nullptr;
        for (const NamedColour& c : kColours)
            if (EqualsIgnoreCase(Trimmed(value), c.name)) found = &c;
        if (!found) {
            error = option + " must be black, red, green or yellow, not \"" + value + "\"";
            return false;
        }
        if (found->twoColours && colorCount < 2) {
            error = option + " " + found->name + " needs a sign of two colours (--colors 2)";
            return false;
        }
        (name == "--colour" ? request.m_crText : request.m_crBackground) = found->colour;
    } else if (name == "--import" || name == "--export") {
        const auto code = FindName(kModeNames, value);
        if (!code) {
            error = "unknown " + option.substr(2) + " mode \"" + value + "\"; use one of " + ListNames(kModeNames);
            return false;
        }
        (name == "--import" ? request.m_nImport : request.m_nExport) = *code;
    } else if (name == "--speed") {
        const auto code = FindName(kSpeedNames, value);
        if (!code) {
            error = "unknown speed \"" + value + "\"; use one of " + ListNames(kSpeedNames);
            return false;
        }
        request.m_nSpeed = *code;
    } else if (name == "--append") {
        std::uint8_t flags = request.m_nAppend.value_or(0);
        std::string_view rest = value;
        while (true) {
            const auto comma = rest.find(',');
            const std::string_view part = Trimmed(rest.substr(0, comma));
            if (EqualsIgnoreCase(part, "none")) {
                flags = 0;
            } else {
                const auto flag = std::find_if(kAppendFlagTexts.begin(), kAppendFlagTexts.end(),
                                               [&](const CAppendFlagText& f) { return EqualsIgnoreCase(part, f.m_szCheckBox); });
                if (flag == kAppendFlagTexts.end()) {
                    error = "unknown append mode \"" + std::string(part) + "\"; use one of " + AppendNames();
                    return false;
                }
                flags = std::uint8_t(flags | flag->m_nBit);
            }
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
        request.m_nAppend = flags;
    } else if (name == "--pause") {
        const auto seconds = ParseInt(value);
        if (!seconds || *seconds < 0 || *seconds > 99) {
            error = "--pause must be 0 to 99 seconds, not \"" + value + "\"";
            return false;
        }
        request.m_nPauseSec = *seconds;
        request.m_nAppend = std::uint8_t(request.m_nAppend.value_or(0) | APPEND_PAUSE);
    } else if (name == "--cartoon") {
        const auto number = FindName(kCartoonNames, value);
        if (!number) {
            error = "unknown cartoon \"" + value + "\"; use one of " + ListNames(kCartoonNames);
            return false;
        }
        request.m_nCartoon = *number;
        request.m_nAppend = std::uint8_t(request.m_nAppend.value_or(0) | APPEND_CARTOON);
    } else {
        error = "unknown option " + option;
        return false;
    }
    return true;
}
