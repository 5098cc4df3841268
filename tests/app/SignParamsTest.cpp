#include "app/SignParams.h"

#include <gtest/gtest.h>

namespace {

struct MaxScreensCase {
    const char* name;
    int width, height, memoryCode, colorCount;
    int expected;
};

const MaxScreensCase kMaxScreensCases[] = {
    {"160x16 old firmware single colour is capped", 160, 16, 51, 1, 150},
    {"160x16 old firmware double colour is halved", 160, 16, 51, 2, 81},
    {"160x16 new firmware double colour is not halved", 160, 16, 55, 2, 150},
    {"320x64 old firmware double colour", 320, 64, 51, 2, 10},
    {"320x64 new firmware double colour", 320, 64, 55, 2, 22},
    {"320x64 new firmware single colour", 320, 64, 55, 1, 22},
    {"320x64 old firmware single colour", 320, 64, 51, 1, 20},
    {"width 100 counts 12 bytes a row", 100, 64, 55, 1, 73},
    {"width 15 counts one byte a row", 15, 64, 55, 1, 150},
    {"code below 51 also halves", 320, 64, 40, 2, 8},
    {"code above 55 never halves", 320, 64, 60, 2, 24},
    {"scale colour 3 is not halved", 320, 64, 51, 3, 20},
    {"no bytes a screen stays within the cap", 7, 16, 55, 1, 150},
};

class MaxScreens : public testing::TestWithParam<MaxScreensCase> {};

TEST_P(MaxScreens, ComputesFromGeometryMemoryAndColours)
{
    const MaxScreensCase& c = GetParam();
    EXPECT_EQ(ComputeMaxScreens(c.width, c.height, c.memoryCode, c.colorCount), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, MaxScreens, testing::ValuesIn(kMaxScreensCases));

TEST(MaxScreens, NeverExceedsTheCap)
{
    for (int w = 8; w <= 320; w += 8)
        for (int h = 1; h <= 64; ++h)
            for (int c = 1; c <= 2; ++c)
                for (int m : {51, 55}) EXPECT_LE(ComputeMaxScreens(w, h, m, c), 150);
}

TEST(VersionList, MapsCodesAndIndexes)
{
    EXPECT_EQ(MemoryCodeToVersionIndex(51), 0);
    EXPECT_EQ(MemoryCodeToVersionIndex(55), 1);
    EXPECT_EQ(MemoryCodeToVersionIndex(7), 1);
    EXPECT_EQ(VersionIndexToMemoryCode(0), 51);
    EXPECT_EQ(VersionIndexToMemoryCode(1), 55);
    EXPECT_EQ(VersionIndexToMemoryCode(-1), 55);
}

}  // namespace
