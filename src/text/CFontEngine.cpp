#include "text/CFontEngine.h"

#include "text/CCodePage.h"
#include "text/CMonoFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

const char* const kCjkFamily = "WenQuanYi Zen Hei Sharp";

struct FaceSubstitute {
    const char* windowsName;
    std::vector<std::string> families;
};

// Windows faces that documents name, with the installed families that look and measure
// most like them. The Liberation families share the metrics of Arial, Times New Roman
// and Courier New; the CJK faces all fall to the family whose embedded bitmaps stay
// clean at the 12 to 16 dot sizes signs use. The Windows bitmap faces fall to GNU
// Unifont, a fixed-cell pixel face like them: square dots on a dot matrix, and its
// 16-dot em at 12 points is one line of exactly 16 dots, one screen of the usual sign.
const char* const kPixelFamily = "Unifont";
const std::vector<std::string> kPixelSans = {kPixelFamily, "Liberation Sans", "DejaVu Sans"};
const std::vector<std::string> kPixelMono = {kPixelFamily, "Liberation Mono", "DejaVu Sans Mono"};
const std::vector<std::string> kSans = {"Liberation Sans", "DejaVu Sans"};
const std::vector<std::string> kSerif = {"Liberation Serif", "DejaVu Serif"};
const std::vector<std::string> kMono = {"Liberation Mono", "DejaVu Sans Mono"};
const std::vector<std::string> kNarrow = {"Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans"};
const std::vector<std::string> kCjk = {kCjkFamily, "WenQuanYi Zen Hei", "Noto Sans CJK SC"};

const FaceSubstitute kSubstitutes[] = {
    {"", kSans},  // no name: the platform's default face
    {"MS Sans Serif", kPixelSans}, {"Microsoft Sans Serif", kSans}, {"MS Shell Dlg", kSans},
    {"MS Shell Dlg 2", kSans}, {"Arial", kSans}, {"Helvetica", kSans}, {"Tahoma", kSans},
    {"Verdana", kSans}, {"Segoe UI", kSans}, {"System", kPixelSans}, {"Small Fonts", kSans},
    {"Trebuchet MS", kSans}, {"Century Gothic", kSans}, {"Arial Black", kSans},
    {"Calibri", kSans}, {"Arial Narrow", kNarrow},
    {"MS Serif", kSerif}, {"Times New Roman", kSerif}, {"Times", kSerif}, {"Roman", kSerif},
    {"Georgia", kSerif}, {"Garamond", kSerif}, {"Book Antiqua", kSerif},
    {"Palatino Linotype", kSerif}, {"Cambria", kSerif}, {"Script", kSerif},
    {"Courier New", kMono}, {"Courier", kMono}, {"Fixedsys", kPixelMono}, {"Terminal", kPixelMono},
    {"Lucida Console", kMono}, {"Consolas", kMono}, {"Modern", kMono},
    {"宋体", kCjk}, {"SimSun", kCjk}, {"新宋体", kCjk}, {"NSimSun", kCjk}, {"黑体", kCjk},
    {"SimHei", kCjk}, {"楷体", kCjk}, {"楷体_GB2312", kCjk}, {"KaiTi", kCjk},
    {"KaiTi_GB2312", kCjk}, {"仿宋", kCjk}, {"仿宋_GB2312", kCjk}, {"FangSong", kCjk},
    {"FangSong_GB2312", kCjk}, {"微软雅黑", kCjk}, {"Microsoft YaHei", kCjk}, {"幼圆", kCjk},
    {"YouYuan", kCjk}, {"隶书", kCjk}, {"LiSu", kCjk}, {"细明体", kCjk}, {"細明體", kCjk},
    {"MingLiU", kCjk}, {"新细明体", kCjk}, {"新細明體", kCjk}, {"PMingLiU", kCjk},
    {"標楷體", kCjk}, {"DFKai-SB", kCjk}, {"MS Gothic", kCjk}, {"ＭＳ ゴシック", kCjk},
    {"MS PGothic", kCjk}, {"MS UI Gothic", kCjk}, {"MS Mincho", kCjk}, {"ＭＳ 明朝", kCjk},
    {"Gulim", kCjk}, {"굴림", kCjk}, {"Batang", kCjk}, {"바탕", kCjk}, {"Dotum", kCjk},
    {"돋움", kCjk}, {"Gungsuh", kCjk}, {"궁서", kCjk},
};

bool EqualsIgnoreCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool IsValidUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + n >= s.size() + (n == 0 ? 1 : 0)) return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += std::size_t(n) + 1;
    }
    return true;
}

bool IsCjkLanguage(const char* lang)
{
    return lang && (std::strncmp(lang, "zh", 2) == 0 || std::strcmp(lang, "ja") == 0 ||
                    std::strcmp(lang, "ko") == 0);
}

// Every family name a listed font carries (fontconfig keeps translated names too).
bool FontHasFamily(FcPattern* font, const std::string& family)
{
    FcChar8* value = nullptr;
    for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &value) == FcResultMatch; ++n)
        if (EqualsIgnoreCase(reinterpret_cast<const char*>(value), family)) return true;
    return false;
}

}  // namespace

const char* LanguageOfCharSet(int charSet)
{
    switch (charSet) {
    case CCodePage::ANSI_CHARSET:
    case CCodePage::DEFAULT_CHARSET: return "en";
    case CCodePage::SHIFTJIS_CHARSET: return "ja";
    case CCodePage::HANGUL_CHARSET:
    case CCodePage::JOHAB_CHARSET: return "ko";
    case CCodePage::GB2312_CHARSET: return "zh-cn";
    case CCodePage::CHINESEBIG5_CHARSET: return "zh-tw";
    case CCodePage::GREEK_CHARSET: return "el";
    case CCodePage::TURKISH_CHARSET: return "tr";
    case CCodePage::VIETNAMESE_CHARSET: return "vi";
    case CCodePage::HEBREW_CHARSET: return "he";
    case CCodePage::ARABIC_CHARSET: return "ar";
    case CCodePage::BALTIC_CHARSET: return "lt";
    case CCodePage::RUSSIAN_CHARSET: return "ru";
    case CCodePage::THAI_CHARSET: return "th";
    case CCodePage::EASTEUROPE_CHARSET: return "pl";
    default: return nullptr;
    }
}

CFontEngine& CFontEngine::Instance()
{
    static CFontEngine* const engine = new CFontEngine;
    return *engine;
}

CFontEngine::CFontEngine()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) m_pLibrary = library;
    m_bFontconfig = FcInit() == FcTrue;
    if (!IsAvailable()) return;
    for (const char* family : {kCjkFamily, "DejaVu Sans"}) {
        if (!IsFamilyInstalled(family)) continue;
        CResolvedFace face = MatchFamily(family, false, false);
        if (face.IsValid()) m_aFallback.push_back(face);
    }
}

std::shared_ptr<CMonoFont> CFontEngine::CreateFont(const CLogFont& logFont)
{
    if (!IsAvailable()) return nullptr;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    for (auto it = m_aRecent.begin(); it != m_aRecent.end(); ++it)
        if ((*it)->LogFont() == logFont) {
            std::shared_ptr<CMonoFont> font = *it;
            m_aRecent.erase(it);
            m_aRecent.insert(m_aRecent.begin(), font);
            return font;
        }
    CResolvedFace face = Resolve(logFont);
    if (!face.IsValid()) return nullptr;
    std::shared_ptr<CMonoFont> font = CMonoFont::Open(*this, logFont, face);
    if (!font) return nullptr;
    m_aRecent.insert(m_aRecent.begin(), font);
    if (m_aRecent.size() > kRecentFonts) m_aRecent.pop_back();
    return font;
}

std::string CFontEngine::FaceNameUtf8(const std::string& faceName, int charSet)
{
    std::string name = faceName.substr(0, faceName.find('\0'));
    if (IsValidUtf8(name)) return name;
    // A Chinese face name may come with a Western character set (documents from systems
    // whose ANSI code page was double-byte): the first decoding that names a known face
    // wins, else the decoding by the font's own code page.
    std::string first;
    for (int cp : {CCodePage::FromCharSet(charSet), 936, 950, 932, 949}) {
        std::string utf8;
        if (!CCodePage::ToUtf8(cp, name, utf8)) continue;
        if (!WindowsFaceSubstitutes(utf8).empty() || Instance().IsFamilyInstalled(utf8)) return utf8;
        if (first.empty()) first = utf8;
    }
    return first;
}

std::vector<std::string> CFontEngine::WindowsFaceSubstitutes(const std::string& utf8Name)
{
    for (const auto& s : kSubstitutes)
        if (EqualsIgnoreCase(s.windowsName, utf8Name)) return s.families;
    return {};
}

bool CFontEngine::IsFamilyInstalled(const std::string& family)
{
    if (family.empty() || !m_bFontconfig) return false;
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_installed.find(family);
    if (it != m_installed.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    bool found = false;
    for (int i = 0; fonts && i < fonts->nfont && !found; ++i) found = FontHasFamily(fonts->fonts[i], family);
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    m_installed[family] = found;
    return found;
}

bool CFontEngine::FamilyCoversLanguage(const std::string& family, const char* lang)
{
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_LANG, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    bool covers = false;
    for (int i = 0; fonts && i < fonts->nfont && !covers; ++i) {
        FcLangSet* langs = nullptr;
        if (FontHasFamily(fonts->fonts[i], family) &&
            FcPatternGetLangSet(fonts->fonts[i], FC_LANG, 0, &langs) == FcResultMatch)
            covers = FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>(lang)) == FcLangEqual;
    }
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return covers;
}

std::string CFontEngine::MatchForLanguage(const std::string& family, const char* lang)
{
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    if (lang) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>(lang));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string matched;
    FcChar8* value = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
        matched = reinterpret_cast<const char*>(value);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return matched;
}

CResolvedFace CFontEngine::MatchFamily(const std::string& family, bool bold, bool italic)
{
    CResolvedFace face;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddInteger(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* value = nullptr;
    int number = 0;
    if (match && FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch) {
        face.m_szFile = reinterpret_cast<const char*>(value);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &number) == FcResultMatch) face.m_nIndex = number;
        face.m_szFamily = family;
        if (!FontHasFamily(match, family) && FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
            face.m_szFamily = reinterpret_cast<const char*>(value);
        // fontconfig's own rules mark a match "bold" or "italic" when it would synthesise
        // them itself, so the face's own style decides.
        bool boldFace = false;
        bool italicFace = false;
        if (FT_Face ft = Face(face.m_szFile, face.m_nIndex)) {
            const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
            boldFace = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0 ||
                       (os2 && os2->version != 0xFFFF && os2->usWeightClass >= 600);
            italicFace = (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
        }
        face.m_bSyntheticBold = bold && !boldFace;
        face.m_bSyntheticItalic = italic && !italicFace;
    }
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return face;
}

CResolvedFace CFontEngine::Resolve(const CLogFont& logFont)
{
    if (!IsAvailable()) return {};
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    const std::string name = FaceNameUtf8(logFont.m_szFaceName, logFont.m_nCharSet);
    const bool bold = logFont.m_nWeight >= 600;
    const bool italic = logFont.m_bItalic;
    auto key = std::make_tuple(name, bold, italic, int(logFont.m_nCharSet));
    auto cached = m_resolved.find(key);
    if (cached != m_resolved.end()) return cached->second;

    std::string family;
    bool installedName = false;
    if (IsFamilyInstalled(name)) {
        family = name;
        installedName = true;
    } else {
        for (const std::string& candidate : WindowsFaceSubstitutes(name))
            if (IsFamilyInstalled(candidate)) {
                family = candidate;
                break;
            }
        const char* lang = LanguageOfCharSet(logFont.m_nCharSet);
        if (family.empty() && IsCjkLanguage(lang))
            for (const std::string& candidate : kCjk)
                if (IsFamilyInstalled(candidate) && FamilyCoversLanguage(candidate, lang)) {
                    family = candidate;
                    break;
                }
        if (family.empty()) family = MatchForLanguage(name, lang);
    }
    // The character set outranks the face name, as with the platform's font mapper: a
    // Chinese character set never ends on a face without Chinese characters.
    const char* lang = LanguageOfCharSet(logFont.m_nCharSet);
    if (lang && !family.empty() && !FamilyCoversLanguage(family, lang)) {
        std::string covering;
        if (IsCjkLanguage(lang))
            for (const std::string& candidate : kCjk)
                if (IsFamilyInstalled(candidate) && FamilyCoversLanguage(candidate, lang)) {
                    covering = candidate;
                    break;
                }
        if (covering.empty()) {
            std::string matched = MatchForLanguage(family, lang);
            if (!matched.empty() && FamilyCoversLanguage(matched, lang)) covering = matched;
        }
        if (!covering.empty()) {
            family = covering;
            installedName = installedName && covering == name;
        }
    }
    if (family.empty()) family = MatchForLanguage(std::string(), nullptr);

    CResolvedFace face = family.empty() ? CResolvedFace() : MatchFamily(family, bold, italic);
    face.m_bInstalledName = installedName && face.IsValid();
    m_resolved[key] = face;
    return face;
}

FT_FaceRec_* CFontEngine::Face(const std::string& file, int index)
{
    auto key = std::make_pair(file, index);
    auto it = m_faces.find(key);
    if (it != m_faces.end()) return it->second;
    FT_Face face = nullptr;
    if (FT_New_Face(m_pLibrary, file.c_str(), index, &face) != 0) face = nullptr;
    if (face) FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    m_faces[key] = face;
    return face;
}
