#pragma once
// Bitmap files as the editor exports them: a 14-byte file header, the 40-byte information
// header, no colour table and 24-bit pixels (blue, green, red), rows bottom-up, each row
// padded to a multiple of four bytes.

#include <cstdint>
#include <vector>

class CRasterSurface;

class CBmpFile {
public:
    static constexpr std::uint32_t kFileHeaderBytes = 14;
    static constexpr std::uint32_t kInfoHeaderBytes = 40;

    static std::uint32_t RowBytes(int width) { return ((24u * std::uint32_t(width) + 31u) / 32u) * 4u; }
    static std::vector<std::uint8_t> Encode24(const CRasterSurface& surface);
};
