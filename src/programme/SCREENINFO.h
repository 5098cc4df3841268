#pragma once
// Display settings of one screen: how it enters, leaves, how fast and how it is held.
// The in-memory byte image is the one stored in the companion file, so the layout
// (16 bytes, little-endian, padding at 2..3 and 10..11) is fixed.

#include <cstddef>
#include <cstdint>
#include <type_traits>

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
static_assert(std::is_trivially_copyable_v<SCREENINFO>, "records are copied byte for byte");
static_assert(offsetof(SCREENINFO, byImport) == 0 && offsetof(SCREENINFO, byExport) == 1 &&
                  offsetof(SCREENINFO, nPauseSec) == 4 && offsetof(SCREENINFO, bySpeed) == 8 &&
                  offsetof(SCREENINFO, byAppend) == 9 && offsetof(SCREENINFO, nCartoon) == 12,
              "field offsets are part of the companion file format");

constexpr std::size_t SCREENINFO_BYTES = 16;

// Append-mode flags of byAppend. Bits 0x02 and 0x20 are never set by the editor and are
// carried unchanged.
constexpr std::uint8_t APPEND_FLICKER = 0x01;
constexpr std::uint8_t APPEND_PAUSE = 0x04;
constexpr std::uint8_t APPEND_CONTINUUM = 0x08;
constexpr std::uint8_t APPEND_TIME = 0x10;
constexpr std::uint8_t APPEND_QUIESCENCE = 0x40;
constexpr std::uint8_t APPEND_CARTOON = 0x80;

// The record's byte image, little-endian whatever the host, padding bytes as held.
inline void WriteScreenInfoBytes(const SCREENINFO& rec, std::uint8_t* out)
{
    auto put32 = [](std::uint8_t* p, std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        p[0] = std::uint8_t(u);
        p[1] = std::uint8_t(u >> 8);
        p[2] = std::uint8_t(u >> 16);
        p[3] = std::uint8_t(u >> 24);
    };
    out[0] = rec.byImport;
    out[1] = rec.byExport;
    out[2] = rec.byPad1[0];
    out[3] = rec.byPad1[1];
    put32(out + 4, rec.nPauseSec);
    out[8] = rec.bySpeed;
    out[9] = rec.byAppend;
    out[10] = rec.byPad2[0];
    out[11] = rec.byPad2[1];
    put32(out + 12, rec.nCartoon);
}

inline SCREENINFO ReadScreenInfoBytes(const std::uint8_t* in)
{
    auto get32 = [](const std::uint8_t* p) {
        return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                                         (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24));
    };
    SCREENINFO rec;
    rec.byImport = in[0];
    rec.byExport = in[1];
    rec.byPad1[0] = in[2];
    rec.byPad1[1] = in[3];
    rec.nPauseSec = get32(in + 4);
    rec.bySpeed = in[8];
    rec.byAppend = in[9];
    rec.byPad2[0] = in[10];
    rec.byPad2[1] = in[11];
    rec.nCartoon = get32(in + 12);
    return rec;
}
