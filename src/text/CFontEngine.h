#pragma once
// The process's monochrome font engine: FreeType renders, fontconfig finds the faces.
// A font is asked for by a logical font (face name, height, weight, italic, character
// set); a face that is not installed is replaced by the closest installed one, with a
// table for the face names documents from Windows systems carry ("MS Sans Serif",
// "Arial", "宋体", ...; the bitmap faces "MS Sans Serif", "System", "Fixedsys" and
// "Terminal" to the fixed-cell pixel face GNU Unifont), while the font keeps the name it
// was asked for.
//
// Every FreeType call is made under Mutex(): faces are shared between fonts.

#include "text/CLogFont.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;
class CMonoFont;

// The installed face a logical font is drawn with.
struct CResolvedFace {
    std::string m_szFile;
    int m_nIndex = 0;                // face index inside a collection file
    std::string m_szFamily;          // the installed family name
    bool m_bSyntheticBold = false;   // bold asked for, the face is not bold
    bool m_bSyntheticItalic = false; // italic asked for, the face is upright
    bool m_bInstalledName = false;   // the asked-for name itself is installed

    bool IsValid() const { return !m_szFile.empty(); }
};

class CFontEngine {
public:
    // Lives until the process ends, so that fonts released late still find it.
    static CFontEngine& Instance();
    CFontEngine(const CFontEngine&) = delete;
    CFontEngine& operator=(const CFontEngine&) = delete;

    // False when FreeType or fontconfig could not be started; no font can be made then.
    bool IsAvailable() const { return m_pLibrary != nullptr && m_bFontconfig; }

    // nullptr when no face at all can be found (no fonts installed).
    std::shared_ptr<CMonoFont> CreateFont(const CLogFont& logFont);

    CResolvedFace Resolve(const CLogFont& logFont);

    // The face name of a logical font in UTF-8: kept when it is valid UTF-8, else
    // decoded from the code page of its character set.
    static std::string FaceNameUtf8(const std::string& faceName, int charSet);

    // Installed families that stand in for a Windows face name, best first; empty for a
    // name the table does not know.
    static std::vector<std::string> WindowsFaceSubstitutes(const std::string& utf8Name);

    bool IsFamilyInstalled(const std::string& utf8Family);

    // Faces tried, in order, for a character the font's own face does not have.
    const std::vector<CResolvedFace>& FallbackFaces() const { return m_aFallback; }

    std::recursive_mutex& Mutex() { return m_mutex; }
    // The shared FreeType face of a file (opened on first use); nullptr when it cannot
    // be opened. Call with Mutex() held.
    FT_FaceRec_* Face(const std::string& file, int index);

private:
    CFontEngine();
    CResolvedFace MatchFamily(const std::string& family, bool bold, bool italic);
    std::string MatchForLanguage(const std::string& family, const char* lang);
    bool FamilyCoversLanguage(const std::string& family, const char* lang);

    std::recursive_mutex m_mutex;
    FT_LibraryRec_* m_pLibrary = nullptr;
    bool m_bFontconfig = false;
    std::map<std::pair<std::string, int>, FT_FaceRec_*> m_faces;
    std::map<std::tuple<std::string, bool, bool, int>, CResolvedFace> m_resolved;
    std::map<std::string, bool> m_installed;
    std::vector<CResolvedFace> m_aFallback;
    // Fonts made lately, newest first: objects make the same font again for every
    // drawing, and a new size would run the face's hinting set-up and render every
    // glyph again.
    static constexpr std::size_t kRecentFonts = 16;
    std::vector<std::shared_ptr<CMonoFont>> m_aRecent;
};

// fontconfig language tag that stands for a GDI character set ("zh-cn" for 134);
// nullptr for the symbol and OEM sets, which are not checked.
const char* LanguageOfCharSet(int charSet);
