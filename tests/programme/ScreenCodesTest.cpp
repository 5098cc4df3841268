#include "programme/ScreenCodes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ScreenCodes, ModeNamesInCodeOrder)
{
    const char* expected[] = {"Move from right",   "Move from left",        "Scroll up",
                              "Scroll bottom",     "Jump from right",       "Open from left",
                              "Open from right",   "Open from bottom",      "Open from up",
                              "Open from center",  "Open from both sides",  "Cover from center",
                              "Cover from both sides", "Immedia",           "Ready",
                              "Random"};
    for (int code = 0; code < 16; ++code) EXPECT_EQ(GetModeName(code), expected[code]) << code;
    EXPECT_EQ(GetModeName(16), "");
    EXPECT_EQ(GetModeName(-1), "");
}

TEST(ScreenCodes, SpeedNamesKeepTheTrailingSpaceOfFast)
{
    EXPECT_EQ(GetSpeedName(0), "Fastest");
    EXPECT_EQ(GetSpeedName(1), "Fast ");
    EXPECT_EQ(GetSpeedName(2), "Median");
    EXPECT_EQ(GetSpeedName(3), "Slow");
    EXPECT_EQ(GetSpeedName(4), "");
}

TEST(ScreenCodes, CartoonNames)
{
    EXPECT_EQ(GetCartoonName(0), "Eat bean");
    EXPECT_EQ(GetCartoonName(1), "Toxophily");
    EXPECT_EQ(GetCartoonName(2), "Weight lifting");
    EXPECT_EQ(GetCartoonName(3), "Lion");
    EXPECT_EQ(GetCartoonName(4), "Horse");
    EXPECT_EQ(GetCartoonName(5), "");
    EXPECT_EQ(GetCartoonName(9), "");
}

TEST(ScreenCodes, ReverseLookupFindsEveryNameAtItsCode)
{
    for (int code = 0; code < 16; ++code)
        EXPECT_EQ(FindCodeByName(kModeNames, GetModeName(code)), code);
    for (int code = 0; code < 4; ++code)
        EXPECT_EQ(FindCodeByName(kSpeedNames, GetSpeedName(code)), code);
}

TEST(ScreenCodes, ReverseLookupIsExactAndGivesZeroForUnknownNames)
{
    enum List { Modes, Speeds };
    struct Case { List list; const char* name; int code; } cases[] = {
        {Modes, "Random", 15},
        {Modes, "random", 0},  // case-sensitive
        {Modes, "Move from right ", 0},
        {Modes, "Cover from center", 11},
        {Modes, "", 0},
        {Speeds, "Fast", 0},   // the speed name is "Fast " with its space
        {Speeds, "Fast ", 1},
        {Speeds, "Slow", 3},
        {Speeds, "Random", 0},
    };
    for (const auto& c : cases) {
        const int code = c.list == Speeds ? FindCodeByName(kSpeedNames, c.name)
                                          : FindCodeByName(kModeNames, c.name);
        EXPECT_EQ(code, c.code) << '"' << c.name << '"';
    }
}

TEST(ScreenCodes, AppendFlagCaptionsAndParts)
{
    const char* boxes[] = {"Flicker", "Pause", "Continuum", "Time", "Quiescence", "Cartoon"};
    const std::uint8_t bits[] = {0x01, 0x04, 0x08, 0x10, 0x40, 0x80};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(kAppendFlagTexts[i].m_szCheckBox, boxes[i]);
        EXPECT_EQ(kAppendFlagTexts[i].m_nBit, bits[i]);
    }
    EXPECT_EQ(kAppendFlagTexts[0].m_szTextPart, "Flciker");
}

SCREENINFO WithAppend(std::uint8_t flags, int pause = 10, int cartoon = 0)
{
    SCREENINFO rec;
    rec.byAppend = flags;
    rec.nPauseSec = pause;
    rec.nCartoon = cartoon;
    return rec;
}

TEST(FormatAppendText, EachFlagAlone)
{
    struct Case { std::uint8_t flags; int pause; int cartoon; const char* text; } cases[] = {
        {0x00, 10, 0, "No append mode"},
        {0x01, 10, 0, "Flciker"},
        {0x04, 10, 0, "Pause ( 10 sec )"},
        {0x04, 0, 0, "Pause ( 0 sec )"},
        {0x04, 99, 0, "Pause ( 99 sec )"},
        {0x08, 10, 0, "Continuum"},
        {0x10, 10, 0, "Time"},
        {0x40, 10, 0, "Quiescence"},
        {0x80, 10, 0, "Cartoon (Eat bean) "},
        {0x80, 10, 3, "Cartoon (Lion) "},
        {0x80, 10, 4, "Cartoon (Horse) "},
        {0x80, 10, 9, "Cartoon () "},
        {0x80, 10, -1, "Cartoon () "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatAppendText(WithAppend(c.flags, c.pause, c.cartoon)), c.text)
            << "flags " << int(c.flags);
}

TEST(FormatAppendText, CombinationsJoinInFixedOrder)
{
    struct Case { std::uint8_t flags; int pause; int cartoon; const char* text; } cases[] = {
        {0x0D, 5, 0, "Flciker | Pause ( 5 sec ) | Continuum"},
        {0x88, 10, 3, "Continuum | Cartoon (Lion) "},
        {0x50, 10, 0, "Time | Quiescence"},
        {0xDD, 7, 1, "Flciker | Pause ( 7 sec ) | Continuum | Time | Quiescence | Cartoon (Toxophily) "},
        {0x81, 10, 2, "Flciker | Cartoon (Weight lifting) "},
        // bits nothing interprets add no part and no separator
        {0x22 | 0x08, 10, 0, "Continuum"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatAppendText(WithAppend(c.flags, c.pause, c.cartoon)), c.text)
            << "flags " << int(c.flags);
}

TEST(FormatAppendText, EveryFlagCombinationHasOnePartPerFlag)
{
    for (int flags = 1; flags < 256; ++flags) {
        const std::string text = FormatAppendText(WithAppend(std::uint8_t(flags), 3, 1));
        int parts = 0;
        for (const auto& f : kAppendFlagTexts) parts += (flags & f.m_nBit) ? 1 : 0;
        std::size_t separators = 0;
        for (std::size_t p = text.find(" | "); p != std::string::npos; p = text.find(" | ", p + 1))
            ++separators;
        EXPECT_EQ(int(separators), parts > 0 ? parts - 1 : 0) << flags;
        EXPECT_EQ(text.find("Flciker") != std::string::npos, (flags & 0x01) != 0) << flags;
        EXPECT_EQ(text.find("Pause ( 3 sec )") != std::string::npos, (flags & 0x04) != 0) << flags;
        EXPECT_EQ(text.find("Cartoon (Toxophily) ") != std::string::npos, (flags & 0x80) != 0) << flags;
        if (parts == 0) {
            EXPECT_EQ(text, "") << flags;  // only 0x02 / 0x20 set
        }
    }
}

}  // namespace
