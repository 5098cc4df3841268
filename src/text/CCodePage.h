#pragma once
// Text in documents is stored as bytes in a Windows code page chosen by the font's
// character set byte. This maps character sets to code pages, splits byte strings into
// characters (lead and trail byte pairs exist only in the double-byte code pages) and
// decodes characters to Unicode through iconv.

#include <cstdint>
#include <string>
#include <vector>

class IProfile;

class CCodePage {
public:
    // GDI character set numbers.
    enum : std::uint8_t {
        ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77,
        SHIFTJIS_CHARSET = 128, HANGUL_CHARSET = 129, JOHAB_CHARSET = 130, GB2312_CHARSET = 134,
        CHINESEBIG5_CHARSET = 136, GREEK_CHARSET = 161, TURKISH_CHARSET = 162,
        VIETNAMESE_CHARSET = 163, HEBREW_CHARSET = 177, ARABIC_CHARSET = 178,
        BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204, THAI_CHARSET = 222,
        EASTEUROPE_CHARSET = 238, OEM_CHARSET = 255,
    };

    // The code page that "ANSI" and "default" character sets stand for. On the systems
    // the documents come from this was the system's code page (1252 in the West, 936 on
    // a Chinese system), so it is a user setting: section "TPParameter", key
    // "AnsiCodePage". Unknown code pages are refused (false) and leave the setting.
    static int AnsiCodePage();
    static bool SetAnsiCodePage(int codePage);
    static void LoadAnsiCodePage(const IProfile& profile);
    static constexpr int kDefaultAnsiCodePage = 1252;

    // Code page of a character set; an unknown character set uses the ANSI code page.
    static int FromCharSet(int charSet);
    static bool IsKnown(int codePage);
    static bool IsDoubleByte(int codePage);
    // A byte that starts a two-byte character in this code page (never in a
    // single-byte code page).
    static bool IsLeadByte(int codePage, std::uint8_t byte);

    // Length in bytes (1 or 2) of the character that starts at text[i]; a lead byte at
    // the very end, or followed by a control byte (zero, tab, CR, LF), stands alone.
    static int CharLength(int codePage, const char* text, int length, int i);

    // Unicode of one character (1 or 2 bytes); 0 when the bytes are not a character of
    // the code page (the font's default glyph is drawn for it).
    static char32_t Decode(int codePage, const char* bytes, int count);

    // A whole byte string to Unicode, one entry per character.
    static std::vector<char32_t> DecodeString(int codePage, const char* text, int length);

    // Conversions between the code page and UTF-8 (for names and for the editor).
    // false when the input is not valid in the source encoding.
    static bool ToUtf8(int codePage, const std::string& bytes, std::string& utf8);
    static bool FromUtf8(int codePage, const std::string& utf8, std::string& bytes);

    // The iconv name of a known code page ("CP936"); empty for an unknown one.
    static const char* IconvName(int codePage);
};
