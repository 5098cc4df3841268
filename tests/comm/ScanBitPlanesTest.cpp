#include "comm/IProgressSink.h"
#include "comm/ScanBitPlanes.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

namespace {

struct CRecordingProgress : IProgressSink {
    std::vector<std::string> texts;
    int low = -1, high = -1, step = -1;
    std::vector<int> positions;
    void SetText(const std::string& t) override { texts.push_back(t); }
    void SetRange(int l, int h) override { low = l, high = h; }
    void SetPos(int p) override { positions.push_back(p); }
    void SetStep(int s) override { step = s; }
    void StepIt() override {}
};

constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kYellow = 0x00FFFF, kWhite = 0xFFFFFF, kBlue = 0xFF0000;

CScanParams Params(int w, int h, int n, int colours)
{
    CScanParams p;
    p.m_nTPWidth = w;
    p.m_nTPHeight = h;
    p.m_nTotalScreen = n;
    p.m_nColorCount = colours;
    return p;
}

} // namespace

TEST(ScanBitPlanes, LeftmostDotIsTheMostSignificantBit)
{
    // 160 wide: each row is 20 bytes; (0,0) is bit 7 of byte 0, (9,1) bit 6 of byte 21.
    CRasterSurface s(160, 32, 0);
    s.SetPixel(0, 0, kRed);
    s.SetPixel(9, 1, kRed);
    s.SetPixel(159, 15, kRed);
    CBitPlanes planes;
    ASSERT_TRUE(ScanBitPlanes(s, 16, Params(160, 16, 2, 1), planes, nullptr).m_bOk);
    EXPECT_EQ(planes.m_nRows, 16);
    EXPECT_EQ(planes.m_nBytes, 320);
    ASSERT_EQ(planes.m_aRed.size(), 321u);
    EXPECT_FALSE(planes.HasGreen());
    EXPECT_EQ(planes.m_aRed[0], 0x80);
    EXPECT_EQ(planes.m_aRed[21], 0x40);
    EXPECT_EQ(planes.m_aRed[319], 0x01);
    int lit = 0;
    for (std::uint8_t b : planes.m_aRed) lit += __builtin_popcount(b);
    EXPECT_EQ(lit, 3);
    EXPECT_EQ(planes.m_aRed[320], 0) << "spare byte";
}

TEST(ScanBitPlanes, ColourRuleOnDoubleAndSingleColourSigns)
{
    // One row of 8 dots: red, green, yellow, white, blue, dark red 127, red 128, black.
    const COLORREF row[8] = {kRed, kGreen, kYellow, kWhite, kBlue, 0x00007F, 0x7F7F80, 0};
    CRasterSurface s(8, 1, 0);
    for (int x = 0; x < 8; ++x) s.SetPixel(x, 0, row[x]);
    CBitPlanes dbl;
    ASSERT_TRUE(ScanBitPlanes(s, 1, Params(8, 1, 1, 2), dbl, nullptr).m_bOk);
    ASSERT_TRUE(dbl.HasGreen());
    EXPECT_EQ(dbl.m_aRed[0], 0b10110010);
    EXPECT_EQ(dbl.m_aGreen[0], 0b01110000);
    EXPECT_EQ(dbl.m_aGreen[1], 0);

    CBitPlanes single;
    ASSERT_TRUE(ScanBitPlanes(s, 1, Params(8, 1, 1, 1), single, nullptr).m_bOk);
    EXPECT_EQ(single.m_aRed[0], 0b10110010) << "yellow and white become red, green goes dark";
    EXPECT_TRUE(single.m_aGreen.empty());
}

TEST(ScanBitPlanes, OnlyUsedRowsAreScannedAndNeverMoreThanAllScreens)
{
    CRasterSurface s(16, 24, kRed);
    CBitPlanes planes;
    ASSERT_TRUE(ScanBitPlanes(s, 8, Params(16, 8, 3, 1), planes, nullptr).m_bOk);
    EXPECT_EQ(planes.m_nBytes, 16);
    ASSERT_TRUE(ScanBitPlanes(s, 100, Params(16, 8, 3, 1), planes, nullptr).m_bOk);
    EXPECT_EQ(planes.m_nRows, 24);
    EXPECT_EQ(planes.m_nBytes, 48);
    ASSERT_TRUE(ScanBitPlanes(s, 0, Params(16, 8, 3, 2), planes, nullptr).m_bOk);
    EXPECT_EQ(planes.m_nBytes, 0);
    EXPECT_EQ(planes.m_aRed.size(), 1u);
    EXPECT_EQ(planes.m_aGreen.size(), 1u);
}

TEST(ScanBitPlanes, WidthThatIsNoWholeNumberOfBytesIsRefused)
{
    CRasterSurface s(20, 8, kRed);
    CBitPlanes planes;
    planes.m_aRed.assign(5, 1);
    const CScanResult r = ScanBitPlanes(s, 8, Params(20, 8, 1, 1), planes, nullptr);
    EXPECT_FALSE(r.m_bOk);
    EXPECT_EQ(r.m_szMessage, "The width of Moving-Sign must be a multiple of 8 dots,so the message can't be sent!");
    EXPECT_EQ(r.m_szCaption, "Error");
    EXPECT_TRUE(planes.m_aRed.empty()) << "earlier planes are freed";
}

TEST(ScanBitPlanes, ProgressEveryHundredBytes)
{
    CRasterSurface s(160, 32, 0);
    CRecordingProgress progress;
    CBitPlanes planes;
    ASSERT_TRUE(ScanBitPlanes(s, 32, Params(160, 16, 2, 2), planes, &progress).m_bOk);
    ASSERT_EQ(progress.texts.size(), 1u);
    EXPECT_EQ(progress.texts[0], "Now  is  sacnning  the  bitmap, Please waitting...");
    EXPECT_EQ(progress.low, 0);
    EXPECT_EQ(progress.high, 640);
    EXPECT_EQ(progress.step, 6);
    EXPECT_EQ(progress.positions, (std::vector<int> {0, 100, 200, 300, 400, 500, 600}));
}
