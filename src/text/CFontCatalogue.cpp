#include "text/CFontCatalogue.h"

#include "text/CCodePage.h"
#include "text/CFontEngine.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace {

struct Script {
    int charSet;
    const char* name;
    const char* lang;  // the fontconfig language whose coverage stands for the script
};

const Script kScripts[] = {
    {CCodePage::ANSI_CHARSET, "Western", "en"},
    {CCodePage::EASTEUROPE_CHARSET, "Central European", "pl"},
    {CCodePage::RUSSIAN_CHARSET, "Cyrillic", "ru"},
    {CCodePage::GREEK_CHARSET, "Greek", "el"},
    {CCodePage::TURKISH_CHARSET, "Turkish", "tr"},
    {CCodePage::HEBREW_CHARSET, "Hebrew", "he"},
    {CCodePage::ARABIC_CHARSET, "Arabic", "ar"},
    {CCodePage::BALTIC_CHARSET, "Baltic", "lt"},
    {CCodePage::VIETNAMESE_CHARSET, "Vietnamese", "vi"},
    {CCodePage::THAI_CHARSET, "Thai", "th"},
    {CCodePage::SHIFTJIS_CHARSET, "Japanese", "ja"},
    {CCodePage::HANGUL_CHARSET, "Hangul", "ko"},
    {CCodePage::GB2312_CHARSET, "CHINESE_GB2312", "zh-cn"},
    {CCodePage::CHINESEBIG5_CHARSET, "CHINESE_BIG5", "zh-tw"},
};

// Points offered for an entry when the user has no size yet: the program's usual size.
constexpr int kEntryHeight = 12;

constexpr int FIXED_PITCH = 1, VARIABLE_PITCH = 2;
constexpr int FF_DONTCARE = 0x00, FF_ROMAN = 0x10, FF_SWISS = 0x20, FF_MODERN = 0x30;

struct Family {
    std::set<int> charSets;
    bool fixedPitch = true;  // every face of the family is monospaced
};

int FamilyBits(const std::string& name, bool fixedPitch)
{
    if (fixedPitch || name.find("Mono") != std::string::npos) return FF_MODERN;
    if (name.find("Serif") != std::string::npos && name.find("Sans") == std::string::npos) return FF_ROMAN;
    if (name.find("Sans") != std::string::npos || name.find("Hei") != std::string::npos) return FF_SWISS;
    return FF_DONTCARE;
}

}  // namespace

const std::vector<int>& CFontCatalogue::CharSets()
{
    static const std::vector<int> charSets = [] {
        std::vector<int> v;
        for (const auto& s : kScripts) v.push_back(s.charSet);
        return v;
    }();
    return charSets;
}

const char* CFontCatalogue::ScriptName(int charSet)
{
    for (const auto& s : kScripts)
        if (s.charSet == charSet) return s.name;
    if (charSet == CCodePage::SYMBOL_CHARSET) return "Symbol";
    if (charSet == CCodePage::OEM_CHARSET) return "OEM/DOS";
    return "";
}

int CFontCatalogue::ExactEntry(const std::vector<FONTENTRY>& entries, const std::string& faceName, int charSet)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].m_szFaceName == faceName && entries[i].m_nCharSet == charSet) return int(i);
    return -1;
}

int CFontCatalogue::DrawingFaceEntry(const std::vector<FONTENTRY>& entries, const std::string& faceName,
                                     int charSet)
{
    CLogFont logFont;
    logFont.m_szFaceName = faceName;
    logFont.m_nCharSet = std::uint8_t(charSet);
    const CResolvedFace face = CFontEngine::Instance().Resolve(logFont);
    return face.IsValid() ? ExactEntry(entries, face.m_szFamily, charSet) : -1;
}

int CFontCatalogue::ShownEntry(const std::vector<FONTENTRY>& entries, const std::string& faceName, int charSet)
{
    int entry = ExactEntry(entries, faceName, charSet);
    if (entry < 0) entry = DrawingFaceEntry(entries, faceName, charSet);
    if (entry < 0) entry = entries.empty() ? -1 : 0;
    return entry;
}

std::vector<FONTENTRY> CFontCatalogue::Enumerate()
{
    std::vector<FONTENTRY> entries;
    CFontEngine& engine = CFontEngine::Instance();
    if (!engine.IsAvailable()) return entries;
    std::lock_guard<std::recursive_mutex> lock(engine.Mutex());

    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_LANG, FC_SPACING, FC_OUTLINE, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    std::map<std::string, Family> families;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        FcBool outline = FcFalse;
        // Only faces FreeType can scale to any sign height; bitmap-only faces would
        // draw at one size whatever the user picks.
        if (FcPatternGetBool(font, FC_OUTLINE, 0, &outline) != FcResultMatch || !outline) continue;
        FcLangSet* langs = nullptr;
        FcPatternGetLangSet(font, FC_LANG, 0, &langs);
        int spacing = FC_PROPORTIONAL;
        FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
        // The English names (collections also carry translated ones), the first otherwise.
        std::vector<std::string> names;
        std::string first;
        FcChar8* value = nullptr;
        FcChar8* lang = nullptr;
        for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &value) == FcResultMatch; ++n) {
            if (n == 0) first = reinterpret_cast<const char*>(value);
            if (FcPatternGetString(font, FC_FAMILYLANG, n, &lang) != FcResultMatch ||
                std::strcmp(reinterpret_cast<const char*>(lang), "en") == 0)
                names.emplace_back(reinterpret_cast<const char*>(value));
        }
        if (names.empty() && !first.empty()) names.push_back(first);
        for (const std::string& name : names) {
            if (name.empty() || name.size() > 31) continue;  // a text object holds 31 bytes of name
            Family& family = families[name];
            family.fixedPitch = family.fixedPitch && spacing >= FC_MONO;
            for (const auto& s : kScripts)
                if (langs && FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>(s.lang)) == FcLangEqual)
                    family.charSets.insert(s.charSet);
        }
    }
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);

    for (const auto& [name, family] : families)
        for (const auto& s : kScripts) {
            if (!family.charSets.count(s.charSet)) continue;
            FONTENTRY entry;
            entry.m_szFaceName = name;
            entry.m_nCharSet = std::uint8_t(s.charSet);
            entry.m_nHeight = kEntryHeight;
            entry.m_nPitchAndFamily = (family.fixedPitch ? FIXED_PITCH : VARIABLE_PITCH) |
                                      FamilyBits(name, family.fixedPitch);
            entry.m_szScript = s.name;
            entries.push_back(std::move(entry));
        }
    return entries;
}
