#pragma once
// The steps a text block is laid out by: tabs to spaces, line breaks so that no line is
// wider than the sign, lines split at their separators, and the rows placed on the
// sign's screens. Text is bytes in the font's code page; a two-byte character is always
// measured and moved as one.

#include <string>
#include <vector>

class CMonoFont;

class CTextLayout {
public:
    static constexpr char kTab = 9;
    static constexpr char kCR = 13;
    static constexpr char kLF = 10;

    // Every tab becomes four spaces.
    static std::string ExpandTabs(const std::string& text);

    // Breaks needed so that no line is wider than `width` dots: a character that would
    // make its line too wide starts a new one, even the first character of a line when
    // it alone is too wide. A CR, or a CR LF pair, ends a line; so does a lone LF.
    static int CountBreaks(CMonoFont& font, const std::string& text, int width);
    // The text with CR LF written in front of each such character.
    static std::string InsertBreaks(CMonoFont& font, const std::string& text, int width);

    // The lines between CR and LF separators; a run of separators is one, so no line is
    // empty. Reading stops at a zero byte.
    static std::vector<std::string> SplitLines(const char* text, int length);

    // Where a line of height h that would start at y is drawn on a sign `screenHeight`
    // dots high: unless lines may span screens, a line that a screen boundary would cut
    // moves to the top of the next screen, and on signs up to 24 dots high it moves down
    // by half of what the screen has left over. A line taller than a screen stays.
    static int FitLine(int y, int h, int screenHeight, bool canSpan);

    // Distance to the next line: the fixed pitch when it is on, else the object's own;
    // -1 stands for the height of the line.
    static int RowPitch(int h, int ownPitch, bool fixRowPitch, int fixedPitch);

    // The largest sign height on which lines are centred.
    static constexpr int kCentreHeight = 24;
};
