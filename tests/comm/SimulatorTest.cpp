#include "CommTestSupport.h"

#include "comm/CComPortMap.h"
#include "comm/CSerialLink.h"
#include "comm/FrameProtocol.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(SignSimulator, ActsOnClockPowerTimerAndShowAddressFrames)
{
    CSignSimulator sim;
    sim.AddSign({.m_byAddress = 2});
    sim.AddSign({.m_byAddress = 3});
    CRecordingTransport line;
    ConnectSimulator(line, sim);
    CComPortMap ports;
    CSerialLink link(line, ports);
    link.m_nReplyTimeoutMs = 5;
    link.m_bWireTimeInWaits = false;
    link.m_nAddressGapMs = link.m_nBroadcastReadyMs = link.m_nBroadcastSettleMs = 0;
    ASSERT_EQ(link.InitComPort(1, COM_OPEN), 1);

    std::uint8_t frame[kFrameSize];
    std::tm t {};
    t.tm_year = 102, t.tm_mon = 4, t.tm_mday = 5, t.tm_hour = 9, t.tm_min = 7, t.tm_sec = 3;
    BuildClockFrame(frame, 2, t, 1, 0, true);
    EXPECT_EQ(SendFrame(link, frame, kFrameSize), kFrameDelivered);
    BuildPowerFrame(frame, 2, false);
    EXPECT_EQ(SendFrame(link, frame, kFrameSize), kFrameDelivered);
    TimerTable timers;
    timers.fill(TIMERINFO {});
    timers[0] = {1, 0, 7, 1, 3, 18, 45};
    BuildTimerFrame(frame, 2, timers);
    EXPECT_EQ(SendFrame(link, frame, kFrameSize), kFrameDelivered);
    BuildShowAddressFrame(frame, true);
    EXPECT_EQ(SendFrame(link, frame, kFrameSize), kFrameDelivered);

    const CSimSignState two = sim.State(2);
    EXPECT_EQ(two.m_abyClock[0], 0x20);
    EXPECT_EQ(two.m_abyClock[1], 0x02);
    EXPECT_EQ(two.m_abyClock[7], 0x03);
    EXPECT_EQ(two.m_abyClock[8], 1);
    EXPECT_FALSE(two.m_bPowerOn);
    const std::uint8_t entry[6] = {1, 7, 0x18, 0x45, 1, 3};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(two.m_abyTimer[std::size_t(i)], entry[i]);
    EXPECT_TRUE(two.m_bShowAddress);
    const CSimSignState three = sim.State(3);
    EXPECT_TRUE(three.m_bShowAddress) << "broadcast reaches every sign";
    EXPECT_TRUE(three.m_bPowerOn) << "a frame to sign 2 is not for sign 3";
}

TEST(SignSimulator, CorruptFrameIsAnsweredWithErrorAndNotStored)
{
    CSignSimulator sim;
    sim.AddSign({.m_byAddress = 4});
    std::uint8_t frame[kFrameSize];
    BuildPowerFrame(frame, 4, false);
    frame[500] ^= 1;
    std::vector<std::uint8_t> answers;
    for (const CSimOutput& o : sim.Feed(frame, 1, 0)) answers.insert(answers.end(), o.m_aBytes.begin(), o.m_aBytes.end());
    for (const CSimOutput& o : sim.Feed(frame + 1, kFrameSize - 1, 1))
        answers.insert(answers.end(), o.m_aBytes.begin(), o.m_aBytes.end());
    EXPECT_EQ(answers, (std::vector<std::uint8_t> {'K', 'E'}));
    EXPECT_TRUE(sim.State(4).m_bPowerOn);
    EXPECT_EQ(sim.State(4).m_nFramesRefused, 1);
}

TEST(SignSimulator, FrameThatStallsIsDroppedAndTheNextAddressIsHeard)
{
    CSignSimulator sim;
    sim.AddSign({.m_byAddress = 4});
    std::uint8_t frame[kFrameSize];
    BuildPowerFrame(frame, 4, false);
    sim.Feed(frame, 200, 0);  // address and the first part, then nothing
    const auto out = sim.Feed(frame, 1, 1000);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].m_aBytes, (std::vector<std::uint8_t> {'K'}));
}

TEST(SignSimulator, PictureOfTheReceivedScreensAsPpm)
{
    CSimSignState st;
    st.m_aControl.assign(kFrameSize, 0);
    st.m_aControl[2] = 1;  // one screen
    st.m_aControl[6] = 1;  // 8 dots wide
    st.m_aControl[7] = 1;  // 8 dots high
    st.m_aControl[8] = 2;
    st.m_aRed.assign(990, 0);
    st.m_aGreen.assign(990, 0);
    st.m_aRed[0] = 0xC0;   // (0,0) red+green = yellow, (1,0) red
    st.m_aGreen[0] = 0x80;
    st.m_aGreen[7] = 0x01; // (7,7) green
    const CRasterSurface s = CSignSimulator::DecodeScreens(st);
    ASSERT_EQ(s.Width(), 8);
    ASSERT_EQ(s.Height(), 8);
    EXPECT_EQ(s.GetPixel(0, 0), 0x00FFFFu);
    EXPECT_EQ(s.GetPixel(1, 0), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(7, 7), 0x00FF00u);
    EXPECT_EQ(s.GetPixel(2, 0), 0u);

    const fs::path path = fs::path(VEMT_BINARY_DIR) / "sim-picture.ppm";
    ASSERT_TRUE(CSignSimulator::WritePpm(s, path.string()));
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string header = "P6\n8 8\n255\n";
    ASSERT_EQ(bytes.size(), header.size() + 8 * 8 * 3);
    EXPECT_EQ(bytes.substr(0, header.size()), header);
    EXPECT_EQ(bytes.substr(header.size(), 6), std::string("\xFF\xFF\x00\xFF\x00\x00", 6)) << "yellow, then red";
    fs::remove(path);
}
