#pragma once
// A message reduced to one bit per dot and colour, ready to be cut into data frames.
// Rows top first, bytes left to right, the leftmost dot in the most significant bit.
// Each plane has one spare zero byte after its B bytes.

#include <cstdint>
#include <vector>

struct CBitPlanes {
    std::vector<std::uint8_t> m_aRed;    // B + 1 bytes
    std::vector<std::uint8_t> m_aGreen;  // B + 1 bytes on a double-colour sign, else empty
    int m_nRows = 0;                     // R: dot rows scanned, whole screens
    int m_nBytes = 0;                    // B = R * W / 8

    bool HasGreen() const { return !m_aGreen.empty(); }
    void Clear()
    {
        m_aRed.clear();
        m_aGreen.clear();
        m_nRows = 0;
        m_nBytes = 0;
    }
};
