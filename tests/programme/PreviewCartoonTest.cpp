#include "PreviewTestSupport.h"

#include "programme/CPreviewSprites.h"

#include <gtest/gtest.h>

using namespace preview_test;

namespace {

constexpr int kImmedia = 13;

SpriteRows Hex(std::initializer_list<std::uint16_t> rows)
{
    SpriteRows r{};
    std::size_t i = 0;
    for (auto v : rows) r[i++] = v;
    return r;
}

TEST(PreviewSprites, BeanEaterWithItsMouthOpen)
{
    const SpriteRows expected = Hex({0x0000, 0x0000, 0x03C0, 0x0FF0, 0x1CF8, 0x0CF8, 0x07FC, 0x03FC,
                                     0x03FC, 0x07FC, 0x0FF8, 0x1FF8, 0x0FF0, 0x03C0, 0x0000, 0x0000});
    EXPECT_EQ(GetSpriteRows(SpritePlane::Single, 29), expected);
    EXPECT_EQ(GetSpriteRows(SpritePlane::Red, 29), expected);
    EXPECT_EQ(GetSpriteRows(SpritePlane::Green, 29), expected);
}

TEST(PreviewSprites, LionFrontHalfIsYellowAboveAndRedBelow)
{
    const SpriteRows red = Hex({0x0000, 0x0780, 0x0FE0, 0x1FF0, 0x3FF8, 0x17F8, 0x3FFE, 0x3BFF,
                                0x17FF, 0x0FFF, 0x0FFF, 0x067C, 0x0466, 0x0B42, 0x038C, 0x0000});
    const SpriteRows green = Hex({0x0000, 0x0780, 0x0FE0, 0x1FF0, 0x3FF8, 0x17F8, 0x3FF8, 0x3BF0});
    EXPECT_EQ(GetSpriteRows(SpritePlane::Single, 14), red);
    EXPECT_EQ(GetSpriteRows(SpritePlane::Red, 14), red);
    EXPECT_EQ(GetSpriteRows(SpritePlane::Green, 14), green);
}

TEST(PreviewSprites, EverySpriteACartoonUsesHasAPicture)
{
    for (int n = 0; n <= 30; ++n) {
        const SpriteRows& single = GetSpriteRows(SpritePlane::Single, n);
        const SpriteRows& red = GetSpriteRows(SpritePlane::Red, n);
        const SpriteRows& green = GetSpriteRows(SpritePlane::Green, n);
        bool any = false;
        for (std::size_t y = 0; y < 16; ++y) {
            any = any || single[y] != 0;
            EXPECT_EQ(single[y], red[y] | green[y]) << "sprite " << n << " row " << y;
        }
        EXPECT_TRUE(any) << "sprite " << n;
    }
    EXPECT_EQ(GetSpriteRows(SpritePlane::Red, 36), SpriteRows{});
    EXPECT_EQ(GetSpriteRows(SpritePlane::Red, -1), SpriteRows{});
}

// A screen that shows its picture at once, plays the cartoon and leaves by "Open from
// left", so the first exit frame shows what the display holds after the cartoon.
std::vector<Shot> PlayCartoon(int number, int width, int colors, int frames)
{
    std::vector<Picture> screen = {Picture(16, std::string(std::size_t(width), 'p'))};
    CPreviewPlayer player(Canvas(screen), width, 16, colors,
                          {Screen(kImmedia, 5, 0, APPEND_CARTOON, 10, number)});
    auto shots = Take(player, frames + 2);
    shots.erase(shots.begin());  // the entry
    return shots;
}

std::vector<std::int64_t> Waits(const std::vector<Shot>& shots, std::size_t n)
{
    std::vector<std::int64_t> w;
    for (std::size_t i = 0; i < n && i < shots.size(); ++i) w.push_back(shots[i].m_nWaitMs);
    return w;
}

char At(const Shot& s, int x, int y) { return s.m_picture.at(std::size_t(y)).at(std::size_t(x)); }

void ExpectPictureBack(const Shot& firstExitFrame)
{
    EXPECT_EQ(At(firstExitFrame, 0, 3), '.');
    EXPECT_EQ(At(firstExitFrame, 1, 3), 'p') << "the picture is back in the display";
}

TEST(PreviewCartoon, EatBean)
{
    const auto shots = PlayCartoon(0, 32, 2, 4);
    ASSERT_EQ(shots.size(), 5u);
    EXPECT_EQ(Waits(shots, 4), (std::vector<std::int64_t>{300, 300, 300, 500}));
    // Step 0: beans along row 8, the open-mouthed eater at the right edge over them.
    const Shot& first = shots[0];
    EXPECT_EQ(At(first, 0, 8), 'R');
    EXPECT_EQ(At(first, 1, 8), 'R');
    EXPECT_EQ(At(first, 2, 8), '.');
    EXPECT_EQ(At(first, 20, 8), 'R');
    EXPECT_EQ(At(first, 24, 8), '.') << "the sprite's black covers the bean";
    EXPECT_EQ(At(first, 30, 8), 'Y');
    EXPECT_EQ(At(first, 0, 3), '.') << "the picture is gone";
    // Step 1: beans shorter, the closed eater 8 dots further left.
    EXPECT_EQ(At(shots[1], 13, 8), 'R');
    EXPECT_EQ(At(shots[1], 20, 8), 'Y');
    // The end: the eater alone at the left edge.
    EXPECT_EQ(At(shots[3], 0, 8), '.');
    EXPECT_EQ(At(shots[3], 6, 2), 'Y');
    for (int x = 16; x < 32; ++x) EXPECT_EQ(At(shots[3], x, 8), '.') << x;
    ExpectPictureBack(shots[4]);
}

TEST(PreviewCartoon, SingleColourSignShowsSpritesInRed)
{
    const auto shots = PlayCartoon(0, 32, 1, 4);
    ASSERT_EQ(shots.size(), 5u);
    EXPECT_EQ(At(shots[0], 30, 8), 'R');
}

TEST(PreviewCartoon, Toxophily)
{
    const int W = 48;
    const auto shots = PlayCartoon(1, W, 2, 11);
    ASSERT_EQ(shots.size(), 12u);
    EXPECT_EQ(Waits(shots, 11),
              (std::vector<std::int64_t>{350, 350, 50, 50, 50, 50, 50, 50, 50, 50, 350}));
    // The arrow flies left: (W - 8) / 4 = 10, so at x = 30, 20, 10, then gone.
    const int arrowX[3] = {30, 20, 10};
    for (int j = 0; j < 3; ++j) {
        const Shot& s = shots[std::size_t(2 + j)];
        EXPECT_EQ(At(s, arrowX[j], 4), 'R') << j;
        EXPECT_EQ(At(s, arrowX[j] + 11, 4), 'R') << j;
        EXPECT_EQ(At(s, arrowX[j] + 1, 3), 'R') << j;
        EXPECT_EQ(At(s, arrowX[j] + 1, 5), 'R') << j;
        EXPECT_EQ(At(s, arrowX[j] - 1, 4), '.') << j;
    }
    for (int x = 0; x < 32; ++x) EXPECT_EQ(At(shots[5], x, 4), '.') << x;
    // The post stands at the left edge from the seventh frame on, the archer on the right.
    EXPECT_EQ(At(shots[6], 4, 12), 'G');
    EXPECT_EQ(At(shots[6], W - 16 + 10, 0), 'R');
    // The arrow stuck in the post at three heights, then in the middle again.
    EXPECT_EQ(At(shots[7], 8, 3), 'R');
    EXPECT_EQ(At(shots[8], 8, 5), 'R');
    EXPECT_EQ(At(shots[9], 8, 7), 'R');
    EXPECT_EQ(At(shots[10], 8, 5), 'R');
    EXPECT_EQ(At(shots[10], 8, 3), 'Y') << "sprite 25 redrawn over sprite 26";
    ExpectPictureBack(shots[11]);
}

TEST(PreviewCartoon, WeightLiftingRepeatsTheLifterAcrossTheDisplay)
{
    const int W = 40;
    const auto shots = PlayCartoon(2, W, 2, 3);
    ASSERT_EQ(shots.size(), 4u);
    EXPECT_EQ(Waits(shots, 3), (std::vector<std::int64_t>{450, 450, 450}));
    for (std::size_t f = 0; f < 3; ++f) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) EXPECT_EQ(At(shots[f], x, y), At(shots[f], x + 16, y));
            for (int x = 32; x < W; ++x) EXPECT_EQ(At(shots[f], x, y), '.') << "two copies only";
        }
    }
    EXPECT_NE(shots[0].m_picture, shots[2].m_picture);
    EXPECT_EQ(At(shots[2], 1, 1), 'G') << "the bar overhead at the end";
    ExpectPictureBack(shots[3]);
}

TEST(PreviewCartoon, LionJumpsTwelveDotsAtATime)
{
    const int W = 60;
    const auto shots = PlayCartoon(3, W, 2, W - 32);
    ASSERT_EQ(shots.size(), std::size_t(W - 32 + 1));
    for (int i = 0; i < W - 32; ++i) EXPECT_EQ(shots[std::size_t(i)].m_nWaitMs, 50);
    // Sprite 14 at x = W - 32: mane yellow, legs red.
    EXPECT_EQ(At(shots[0], 28 + 5, 1), 'Y');
    EXPECT_EQ(At(shots[0], 28 + 3, 8), 'R');
    EXPECT_EQ(shots[11].m_picture, shots[0].m_picture) << "in between it only waits";
    // i = 12: the other phase 12 dots to the left; i = 24: the first phase again.
    EXPECT_EQ(At(shots[12], 16 + 5, 1), 'Y');
    EXPECT_EQ(At(shots[12], 28 + 5, 1), '.');
    EXPECT_EQ(At(shots[24], 4 + 3, 8), 'R');
    ExpectPictureBack(shots[std::size_t(W - 32)]);
}

TEST(PreviewCartoon, LionNeedsRoom)
{
    const auto shots = PlayCartoon(3, 32, 2, 0);
    ASSERT_GE(shots.size(), 1u);
    ExpectPictureBack(shots[0]);
}

TEST(PreviewCartoon, HorseGallopsOverTheGround)
{
    const int W = 40;  // (40 - 8) / 8 = 4: passes r = 0 and 2
    for (int colors : {2, 1}) {
        const auto shots = PlayCartoon(4, W, colors, 12);
        ASSERT_EQ(shots.size(), 13u);
        for (std::size_t f = 0; f < 12; ++f) {
            EXPECT_EQ(shots[f].m_nWaitMs, 150);
            for (int x = 0; x < W; ++x) EXPECT_EQ(At(shots[f], x, 14), colors == 2 ? 'G' : 'R');
        }
        const char body = colors == 2 ? 'Y' : 'R';
        EXPECT_EQ(At(shots[0], 24 + 3, 1), body) << "pass 0: front half at x = 24";
        EXPECT_EQ(At(shots[5], 16 + 3, 1), body) << "frame 5 is 8 dots further left";
        EXPECT_EQ(At(shots[6], 8 + 3, 1), body) << "pass 2: 16 dots further left";
        EXPECT_EQ(At(shots[6], 24 + 3, 1), '.');
        ExpectPictureBack(shots[12]);
    }
}

TEST(PreviewCartoon, NumberFiveOrMorePlaysNothing)
{
    for (int number : {5, 9, -1}) {
        const auto shots = PlayCartoon(number, 32, 2, 0);
        ASSERT_GE(shots.size(), 1u);
        ExpectPictureBack(shots[0]);
        EXPECT_EQ(shots[0].m_nWaitMs, 30) << "straight to the exit";
    }
}

}  // namespace
