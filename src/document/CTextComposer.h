#pragma once
// A document made from a line of text without the editor: one text object made exactly
// as the character tool makes it at a dot and as an accepted "Font" window prepares it
// (the same face entry, the same prepared text, the same box), and the display settings
// of the screens the text uses. Scripts and timed jobs compose messages with it.
//
// The editor-wide state it reads (text defaults, row pitch rules, ANSI code page,
// colours) is the caller's to load, as the editor loads it from the profile.

#include "raster/Geometry.h"
#include "text/FONTENTRY.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CDrawFont;
class CVemtApp;
class CVemtDoc;
class IProfile;

struct CComposeRequest {
    std::string m_szText;                 // UTF-8 as typed: '\n' (or CR LF) ends a line, tabs kept
    CPoint m_ptAt{0, 0};                  // the dot clicked with the character tool
    std::optional<std::string> m_szFace;  // else the profile's text default
    std::optional<int> m_nPointSize;      // 1 to 80, else the profile's
    std::optional<int> m_nCharSet;        // else the profile's
    bool m_bBold = false;
    bool m_bItalic = false;
    bool m_bUnderline = false;
    bool m_bOpaque = false;
    std::optional<COLORREF> m_crText;     // else the editor's foreground colour
    std::optional<COLORREF> m_crBackground;

    // Display settings for every screen the text's lines are on; unset fields keep the
    // default record's value.
    std::optional<int> m_nImport;
    std::optional<int> m_nExport;
    std::optional<int> m_nSpeed;
    std::optional<std::uint8_t> m_nAppend;
    std::optional<int> m_nPauseSec;
    std::optional<int> m_nCartoon;
};

struct CComposeResult {
    bool m_bOk = false;
    std::string m_szError;                // why not, in words for the user
    std::vector<char32_t> m_aUnstorable;  // characters the character set cannot store
    int m_nFirstScreen = 0;               // screens (from 0) that hold the text's lines
    int m_nLastScreen = 0;
};

class CTextComposer {
public:
    // The editor's state a composed text depends on, from the profile: text defaults,
    // row pitch rules, the ANSI code page; colours as a new editor starts with them.
    static void LoadEditorState(const IProfile& profile);

    // Adds the text object to doc (whose application gives the sign) and sets the display
    // settings of its screens in app's table. fonts: the "Font" window's list (the
    // installed faces). Nothing is added when the request is refused.
    static CComposeResult Compose(const CComposeRequest& request, CVemtDoc& doc, CVemtApp& app,
                                  const std::vector<FONTENTRY>& fonts);

    // The editor's rule for the box of an accepted text: drawn once on a canvas of the
    // sign (width x canvasHeight) to measure it, the rectangle then runs from its top-left
    // corner over the measured width and down to the lowest line drawn.
    static void FitBoxToText(CDrawFont& text, int width, int canvasHeight);

    // The text's bytes in the code page of charSet with CR LF line ends. False, with the
    // characters that code page cannot store (each once, in order), when there are any.
    static bool EncodeText(const std::string& utf8, int charSet, std::string& bytes,
                           std::vector<char32_t>& unstorable);
    // "U+4E2D '中'" for a character, for messages.
    static std::string DescribeCharacter(char32_t c);
};
