#pragma once
// Pictures of a surface as text, one character per pixel, for tests that compare what
// was drawn with what GDI draws: '.' off, R red, G green, Y yellow, B blue, '?' other.

#include "raster/CRasterSurface.h"

#include <sstream>
#include <string>
#include <vector>

inline char PixelChar(COLORREF c)
{
    switch (c) {
    case 0x000000: return '.';
    case 0x0000FF: return 'R';
    case 0x00FF00: return 'G';
    case 0x00FFFF: return 'Y';
    case 0xFF0000: return 'B';
    default: return '?';
    }
}

inline std::vector<std::string> SurfaceRows(const CRasterSurface& s)
{
    std::vector<std::string> rows;
    for (int y = 0; y < s.Height(); ++y) {
        std::string row;
        for (int x = 0; x < s.Width(); ++x) row += PixelChar(s.GetPixel(x, y));
        rows.push_back(row);
    }
    return rows;
}

// "expected | actual" side by side, with a '*' after rows that differ.
inline std::string SideBySide(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    std::ostringstream out;
    std::size_t width = 0;
    for (const auto& r : expected) width = std::max(width, r.size());
    out << std::string("expected") + std::string(width > 8 ? width - 8 : 0, ' ') << " | actual\n";
    const std::size_t n = std::max(expected.size(), actual.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::string e = i < expected.size() ? expected[i] : "";
        const std::string a = i < actual.size() ? actual[i] : "";
        out << e << std::string(width - e.size(), ' ') << " | " << a << (e != a ? "  *" : "") << '\n';
    }
    return out.str();
}

inline int CountDifferences(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    int diff = 0;
    const std::size_t n = std::max(expected.size(), actual.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::string e = i < expected.size() ? expected[i] : "";
        const std::string a = i < actual.size() ? actual[i] : "";
        for (std::size_t x = 0; x < std::max(e.size(), a.size()); ++x)
            if (x >= e.size() || x >= a.size() || e[x] != a[x]) ++diff;
    }
    return diff;
}
