#include "programme/PreviewWindowLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewWindowLayout, SizedToTheSignAndCentred)
{
    // A 160 x 16 sign, a template of 120 x 80 with 8 x 30 of frame, a 75 x 23 button.
    const auto l = ComputePreviewWindowLayout(160, 16, {120, 80}, {8, 30}, {75, 23}, {1280, 800});
    EXPECT_EQ(l.m_rcWindow, CRect(560, 352, 730, 448));  // 170 x 96 at ((1280-160)/2, (800-96)/2)
    // Client 162 x 66: the button centred across, and in the middle of the 50 rows below.
    EXPECT_EQ(l.m_rcCloseButton, CRect(43, 29, 118, 52));
    EXPECT_EQ(l.m_ptDisplay, CPoint(3, 0));
}

TEST(PreviewWindowLayout, LargestSignOnASmallDesktop)
{
    const auto l = ComputePreviewWindowLayout(320, 64, {120, 80}, {8, 30}, {75, 23}, {300, 100});
    EXPECT_EQ(l.m_rcWindow.Width(), 330);
    EXPECT_EQ(l.m_rcWindow.Height(), 144);
    EXPECT_EQ(l.m_rcWindow.left, -10);
    EXPECT_EQ(l.m_rcWindow.top, -22);
    EXPECT_GE(l.m_rcCloseButton.top, 64) << "below the display";
}

}  // namespace
