// The timed-send window's moving lines: the ring, the colour and velocity changes and
// the mirrored copies, over many steps and several random seeds.

#include "comm/CMovingLines.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MovingLines, RingColourAndVelocityRules)
{
    struct Case {
        std::uint32_t seed;
        int width, height;
    } cases[] = {{1, 1024, 700}, {7, 640, 440}, {42, 3, 2}, {2026, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "seed " << c.seed << " area " << c.width << "x" << c.height);
        CMovingLines lines(c.seed);
        lines.SetArea(c.width, c.height);
        std::vector<CMovingLine> drawn;
        COLORREF colour = lines.Colour();
        std::vector<int> colourChanges;
        std::vector<int> velocityPeriods;
        int lastPeriodStart = 0;
        int stepsLeft = lines.StepsToVelocityChange();
        for (int n = 1; n <= 1200; ++n) {
            const CMovingLines::CStep step = lines.Advance();
            drawn.push_back(step.m_drawn);
            // The ring holds the last 100 lines; the one leaving is the one drawn 100 steps ago.
            ASSERT_LE(int(lines.Ring().size()), CMovingLines::kRingSize);
            if (n <= CMovingLines::kRingSize) ASSERT_FALSE(step.m_erased) << n;
            else ASSERT_EQ(step.m_erased, drawn[std::size_t(n - 1 - CMovingLines::kRingSize)]) << n;
            ASSERT_EQ(lines.Ring().back(), step.m_drawn);

            if (step.m_drawn.m_crColour != colour) colourChanges.push_back(n);
            colour = step.m_drawn.m_crColour;

            // A velocity change starts a new period whose length is even, 2 to 20.
            if (stepsLeft == 1) {  // this step used up the period
                velocityPeriods.push_back(n - lastPeriodStart);
                lastPeriodStart = n;
                const int period = lines.StepsToVelocityChange();
                ASSERT_TRUE(period >= 2 && period <= 20 && period % 2 == 0) << period;
            }
            stepsLeft = lines.StepsToVelocityChange();
            for (int v : lines.Velocities()) ASSERT_TRUE(v >= -5 && v <= 5) << v;

            for (const CMovingLine& copy : lines.Mirrored(step.m_drawn))
                for (CPoint p : {copy.m_ptFrom, copy.m_ptTo}) {
                    ASSERT_TRUE(p.x >= 0 && p.x < c.width && p.y >= 0 && p.y < c.height) << p.x << "," << p.y;
                }
        }
        // The colour only changes on every 11th step (a new colour may by chance equal
        // the old one, so not every 11th step need show a change).
        for (int n : colourChanges) EXPECT_EQ(n % CMovingLines::kColourSteps, 0) << n;
        EXPECT_GT(colourChanges.size(), 90u);
        for (std::size_t i = 1; i < velocityPeriods.size(); ++i) {
            EXPECT_TRUE(velocityPeriods[i] >= 2 && velocityPeriods[i] <= 20 && velocityPeriods[i] % 2 == 0)
                << velocityPeriods[i];
        }
        EXPECT_GT(velocityPeriods.size(), 50u);
    }
}

TEST(MovingLines, FourCopiesMirroredAboutTheCentreLines)
{
    CMovingLines lines(3);
    lines.SetArea(100, 50);
    const CMovingLine line {{10, 5}, {30, 40}, 0x123456};
    const auto copies = lines.Mirrored(line);
    EXPECT_EQ(copies[0], line);
    EXPECT_EQ(copies[1], (CMovingLine {{89, 5}, {69, 40}, 0x123456}));
    EXPECT_EQ(copies[2], (CMovingLine {{10, 44}, {30, 9}, 0x123456}));
    EXPECT_EQ(copies[3], (CMovingLine {{89, 44}, {69, 9}, 0x123456}));

    // A new area starts an empty ring.
    lines.Advance();
    lines.SetArea(200, 100);
    EXPECT_TRUE(lines.Ring().empty());
}
