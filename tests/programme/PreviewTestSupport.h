#pragma once
// Pictures for the preview tests as text: '.' is black, 'R', 'G' and 'Y' the sign's red,
// green and yellow, any other character a distinct test colour.

#include "programme/CPreviewPlayer.h"
#include "raster/CRasterSurface.h"

#include <string>
#include <vector>

namespace preview_test {

using Picture = std::vector<std::string>;  // rows, top first

inline COLORREF ColorOf(char c)
{
    switch (c) {
    case '.': return RGB(0, 0, 0);
    case 'R': return RGB(255, 0, 0);
    case 'G': return RGB(0, 255, 0);
    case 'Y': return RGB(255, 255, 0);
    default: return RGB(static_cast<unsigned char>(c), 1, 2);
    }
}

inline char CharOf(COLORREF color)
{
    if (color == RGB(0, 0, 0)) return '.';
    if (color == RGB(255, 0, 0)) return 'R';
    if (color == RGB(0, 255, 0)) return 'G';
    if (color == RGB(255, 255, 0)) return 'Y';
    if (GetGValue(color) == 1 && GetBValue(color) == 2) return char(GetRValue(color));
    return '?';
}

// Screens stacked one below the other, as the canvas holds them.
inline CRasterSurface Canvas(const std::vector<Picture>& screens)
{
    const int h = int(screens.at(0).size());
    const int w = int(screens.at(0).at(0).size());
    CRasterSurface canvas(w, h * int(screens.size()));
    for (std::size_t s = 0; s < screens.size(); ++s)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                canvas.SetPixel(x, int(s) * h + y, ColorOf(screens[s][std::size_t(y)][std::size_t(x)]));
    return canvas;
}

inline Picture Text(const CRasterSurface& s)
{
    Picture rows;
    for (int y = 0; y < s.Height(); ++y) {
        std::string row;
        for (int x = 0; x < s.Width(); ++x) row += CharOf(s.GetPixel(x, y));
        rows.push_back(row);
    }
    return rows;
}

// One row pictures are written as a single string.
inline std::string Line(const CRasterSurface& s) { return Text(s).at(0); }

struct Shot {
    Picture m_picture;
    std::int64_t m_nWaitMs;
    bool m_bForever;
};

// The next n frames (fewer if the programme ends).
inline std::vector<Shot> Take(CPreviewPlayer& player, int n)
{
    std::vector<Shot> shots;
    CPreviewFrame f;
    for (int i = 0; i < n && player.Next(f); ++i)
        shots.push_back({Text(*f.m_pPicture), f.m_nWaitMs, f.m_bForever});
    return shots;
}

inline SCREENINFO Screen(int import, int exportCode, int speed = 0, int append = 0, int pause = 10,
                         int cartoon = 0)
{
    SCREENINFO r;
    r.byImport = std::uint8_t(import);
    r.byExport = std::uint8_t(exportCode);
    r.bySpeed = std::uint8_t(speed);
    r.byAppend = std::uint8_t(append);
    r.nPauseSec = pause;
    r.nCartoon = cartoon;
    return r;
}

}  // namespace preview_test
