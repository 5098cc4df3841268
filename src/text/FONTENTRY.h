#pragma once
// One font the text entry window offers: a face in one character set.

#include <cstdint>
#include <string>

struct FONTENTRY {
    std::string m_szFaceName;       // at most 31 bytes, as a text object stores it
    std::uint8_t m_nCharSet = 0;    // GDI character set number
    int m_nHeight = 0;              // the size offered when none is chosen, in points
    int m_nPitchAndFamily = 0;      // pitch in the low bits (1 fixed, 2 variable), family above
    std::string m_szScript;         // "Western", "CHINESE_GB2312", ...
};
