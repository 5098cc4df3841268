#include "raster/CRasterSurface.h"

#include <algorithm>

CRasterSurface::CRasterSurface(int width, int height, COLORREF fill)
    : m_nWidth(std::max(0, width)), m_nHeight(std::max(0, height)),
      m_aPixels(std::size_t(m_nWidth) * std::size_t(m_nHeight), fill)
{
}

COLORREF CRasterSurface::GetPixel(int x, int y) const
{
    return Contains(x, y) ? Row(y)[x] : CLR_INVALID;
}

void CRasterSurface::SetPixel(int x, int y, COLORREF color)
{
    if (Contains(x, y)) Row(y)[x] = color;
}

void CRasterSurface::Fill(COLORREF color)
{
    std::fill(m_aPixels.begin(), m_aPixels.end(), color);
}
