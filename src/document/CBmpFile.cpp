#include "document/CBmpFile.h"

#include "raster/CRasterSurface.h"

namespace {
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
}  // namespace

std::vector<std::uint8_t> CBmpFile::Encode24(const CRasterSurface& surface)
{
    const int width = surface.Width();
    const int height = surface.Height();
    const std::uint32_t rowBytes = RowBytes(width);
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(height);
    const std::uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;

    std::vector<std::uint8_t> out;
    out.reserve(offset + imageBytes);
    Put16(out, 0x4D42);
    Put32(out, offset + imageBytes);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, offset);

    Put32(out, kInfoHeaderBytes);
    Put32(out, std::uint32_t(width));
    Put32(out, std::uint32_t(height));  // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);  // no compression
    Put32(out, imageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const COLORREF* row = surface.Row(y);
        for (int x = 0; x < width; ++x) {
            out.push_back(std::uint8_t(GetBValue(row[x])));
            out.push_back(std::uint8_t(GetGValue(row[x])));
            out.push_back(std::uint8_t(GetRValue(row[x])));
        }
        out.insert(out.end(), rowBytes - 3u * std::uint32_t(width), 0);
    }
    return out;
}
