#pragma once
// Display settings of one screen: how it enters, leaves, how fast and how it is held.
// The in-memory byte image is the one stored in the companion file, so the layout
// (16 bytes, little-endian, padding at 2..3 and 10..11) is fixed.

#include <cstdint>

struct SCREENINFO {
    std::uint8_t byImport = 0;    // import mode code
    std::uint8_t byExport = 0;    // export mode code
    std::uint8_t byPad1[2] = {0, 0};
    std::int32_t nPauseSec = 10;  // used when the Pause flag is set
    std::uint8_t bySpeed = 0;     // speed code
    std::uint8_t byAppend = 0;    // append-mode flags
    std::uint8_t byPad2[2] = {0, 0};
    std::int32_t nCartoon = 0;    // cartoon number, used when the Cartoon flag is set
};
static_assert(sizeof(SCREENINFO) == 16, "SCREENINFO is a 16-byte record");
