#pragma once
// A 32-bit pixel buffer in colour references (0x00BBGGRR), top row first.
// One pixel is one LED dot.

#include "raster/Geometry.h"

#include <vector>

class CRasterSurface {
public:
    CRasterSurface() = default;
    CRasterSurface(int width, int height, COLORREF fill = 0);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }

    // CLR_INVALID outside the surface.
    COLORREF GetPixel(int x, int y) const;
    // Ignored outside the surface.
    void SetPixel(int x, int y, COLORREF color);
    void Fill(COLORREF color);

    COLORREF* Row(int y) { return m_aPixels.data() + std::size_t(y) * std::size_t(m_nWidth); }
    const COLORREF* Row(int y) const { return m_aPixels.data() + std::size_t(y) * std::size_t(m_nWidth); }
    const std::vector<COLORREF>& Pixels() const { return m_aPixels; }

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<COLORREF> m_aPixels;
};
