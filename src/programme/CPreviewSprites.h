#pragma once
// The preview's cartoon sprites: 36 pictures of 16 x 16 dots, each row a 16-bit word
// with the leftmost dot in the most significant bit. A single-colour sign uses the
// single plane; a double-colour sign combines the red and the green plane.
//
//  0 ..  5  front half of a galloping horse, six phases    6 .. 11  its rear half
// 12, 13    lion, first phase (front, rear)                14, 15   lion, second phase
// 16 .. 18  weight lifter                                  19 .. 22, 27  archer
// 23        target post      24 .. 26  the post with an arrow stuck high, middle, low
// 28 .. 30  bean eater: mouth closed, mouth open, satisfied

#include <array>
#include <cstdint>

enum class SpritePlane { Single, Red, Green };

inline constexpr int kSpriteCount = 36;
using SpriteRows = std::array<std::uint16_t, 16>;

// All-zero rows for a number outside 0 .. 35.
const SpriteRows& GetSpriteRows(SpritePlane plane, int number);
