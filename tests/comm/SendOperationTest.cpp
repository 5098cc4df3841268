#include "CommTestSupport.h"

#include "app/CVemtApp.h"
#include "comm/CSendOperation.h"
#include "comm/CSerialLink.h"
#include "comm/CTimedMessageSink.h"
#include "comm/FrameProtocol.h"

#include <gtest/gtest.h>

namespace {

// One 160 x 16 screen: B = 320 bytes a plane.
CBitPlanes OneScreen(bool green)
{
    CBitPlanes p;
    p.m_nRows = 16;
    p.m_nBytes = 320;
    p.m_aRed.assign(321, 0);
    for (int i = 0; i < 320; ++i) p.m_aRed[std::size_t(i)] = std::uint8_t(i);
    if (green) {
        p.m_aGreen.assign(321, 0);
        for (int i = 0; i < 320; ++i) p.m_aGreen[std::size_t(i)] = std::uint8_t(255 - i);
    }
    return p;
}

struct SendFixture : ::testing::Test {
    CVemtApp app;
    CComPortMap ports;
    CRecordingTransport line;
    CSignSimulator sim;
    CMessageList messages;
    CProgressLog progress;
    CSerialLink link {line, ports, &messages};

    void SetUp() override
    {
        app.m_nTPWidth = 160;
        app.m_nTPHeight = 16;
        app.m_nColorCount = 2;
        app.m_nComPort = 1;
        link.m_nReplyTimeoutMs = 5;
        link.m_bWireTimeInWaits = false;
        // The recorder has no timing to respect; the pauses are checked on the pty.
        link.m_nAddressGapMs = link.m_nBroadcastReadyMs = link.m_nBroadcastSettleMs = 0;
        ConnectSimulator(line, sim);
    }
    int Send(const std::string& addresses, const CBitPlanes& planes)
    {
        app.m_szAddress = addresses;
        CSendOperation op(app, link, messages, &progress);
        return op.SendFile(planes, std::vector<SCREENINFO>(1));
    }
    // Command bytes in wire order: the byte after each mark-parity byte.
    std::vector<std::uint8_t> Commands() const
    {
        std::vector<std::uint8_t> c;
        for (std::size_t i = 0; i + 1 < line.m_aWire.size(); ++i)
            if (line.m_aWire[i].m_eParity == EParity::Mark) c.push_back(line.m_aWire[i + 1].m_byValue);
        return c;
    }
};

} // namespace

TEST_F(SendFixture, SingleColourSendsControlThenRedFirstAndLast)
{
    app.m_nColorCount = 1;
    sim.AddSign({.m_byAddress = 3});
    EXPECT_EQ(Send("3", OneScreen(false)), 0);
    EXPECT_TRUE(messages.items.empty());
    EXPECT_EQ(Commands(), (std::vector<std::uint8_t> {0x5F, 0x7F, 0x7D}));
    EXPECT_EQ(progress.low, 0);
    EXPECT_EQ(progress.high, 3);
    EXPECT_EQ(progress.positions.back(), 3) << "the bar ends full";
    const CSimSignState st = sim.State(3);
    EXPECT_EQ(st.m_nMessages, 1);
    const CBitPlanes sent = OneScreen(false);
    ASSERT_GE(st.m_aRed.size(), 1980u);
    EXPECT_TRUE(std::equal(sent.m_aRed.begin(), sent.m_aRed.begin() + 320, st.m_aRed.begin()));
    for (std::size_t i = 320; i < st.m_aRed.size(); ++i) ASSERT_EQ(st.m_aRed[i], 0);
}

TEST_F(SendFixture, DoubleColourAlternatesRedAndGreenFrames)
{
    sim.AddSign({.m_byAddress = 3});
    EXPECT_EQ(Send("3", OneScreen(true)), 0);
    EXPECT_EQ(Commands(), (std::vector<std::uint8_t> {0x5F, 0x7F, 0x6F, 0x7D, 0x6D}));
    EXPECT_EQ(progress.high, 5);
    EXPECT_EQ(progress.positions, (std::vector<int> {0, 1, 2, 3, 4, 5}));
    const std::vector<std::string> expected = {
        "Now sending control frame to 3# address,Please waiting...",
        "Now sending 1th red frame to 3# address,Please waitting...",
        "Now sending 1th green frame to 3# address,Please waitting...",
        "Now sending end red frame to 3# address,Please waitting...",
        "Now sending end green frame to 3# address,Please waitting...",
    };
    EXPECT_EQ(progress.texts, expected);
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
}

TEST_F(SendFixture, AddressBytesGoWithMarkParityEverythingElseWithSpace)
{
    sim.AddSign({.m_byAddress = 9});
    Send("9", OneScreen(true));
    ASSERT_EQ(line.m_aWire.size(), 5u * kFrameSize);
    for (std::size_t i = 0; i < line.m_aWire.size(); ++i) {
        const bool addressByte = i % kFrameSize == 0;
        ASSERT_EQ(line.m_aWire[i].m_eParity, addressByte ? EParity::Mark : EParity::Space) << "wire byte " << i;
        if (addressByte) {
            ASSERT_EQ(line.m_aWire[i].m_byValue, 9);
        }
    }
    EXPECT_EQ(line.m_nParitySwitches, 9) << "mark to space once per frame and back for the next";
}

TEST_F(SendFixture, FourErrorsThenOkCountsAsDelivered)
{
    app.m_nColorCount = 1;
    sim.AddSign({.m_byAddress = 3, .m_nErrorReplies = 4});
    Send("3", OneScreen(false));
    EXPECT_TRUE(messages.items.empty());
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(progress.texts[1], "2th sending control frame to 3# address,Please waiting...");
    EXPECT_EQ(progress.texts[4], "5th sending control frame to 3# address,Please waiting...");
    EXPECT_EQ(Commands().size(), 5u + 2u);
}

TEST_F(SendFixture, FiveErrorsFailTheFrameWithItsOwnText)
{
    const struct { std::uint8_t command; const char* text; } cases[] = {
        {CMD_CONTROL, "Sending control frame to 3# address falied!"},
        {CMD_RED_FIRST, "Communication failed when sending red frame to 3# address!"},
        {CMD_RED_LAST, "Communication failed when sending end red frame to 3# address!"},
        {CMD_GREEN_FIRST, "Communication falied when sending green frame to 3# address"},
        {CMD_GREEN_LAST, "Communication falied when sending end green frame to 3# address"},
    };
    for (const auto& c : cases) {
        CSignSimulator local;
        local.AddSign({.m_byAddress = 3, .m_nErrorReplies = 5, .m_byErrorCommand = c.command});
        ConnectSimulator(line, local);
        messages.items.clear();
        line.m_aWire.clear();
        Send("3", OneScreen(true));
        ASSERT_EQ(messages.items.size(), 1u) << c.text;
        EXPECT_EQ(messages.items[0].text, c.text);
        EXPECT_EQ(messages.items[0].caption, "Error-exit sending");
        EXPECT_EQ(local.State(3).m_nFramesRefused, 5);
        // Nothing after the failed frame goes out.
        EXPECT_EQ(Commands().back(), c.command);
    }
}

TEST_F(SendFixture, SilentSignIsNotAskedAgainAndTheOthersStillGetTheFile)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    sim.AddSign({.m_byAddress = 5});
    Send("3,4,5", OneScreen(true));
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending control frame to 4# address!");
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(sim.State(5).m_nMessages, 1);
    int addressBytesTo4 = 0;
    for (const CWireByte& b : line.m_aWire)
        if (b.m_eParity == EParity::Mark && b.m_byValue == 4) ++addressBytesTo4;
    EXPECT_EQ(addressBytesTo4, 1) << "no repeat on silence";
    EXPECT_EQ(line.m_aOpened.size(), 3u) << "the port is opened once per address";
    EXPECT_FALSE(line.IsOpen());
}

TEST_F(SendFixture, BroadcastSendsEveryFrameOnceAndStopsAfterTheFirstEntry)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 5});
    Send("0,3,5", OneScreen(true));
    EXPECT_TRUE(messages.items.empty());
    EXPECT_EQ(Commands(), (std::vector<std::uint8_t> {0x5F, 0x7F, 0x6F, 0x7D, 0x6D}));
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(sim.State(5).m_nMessages, 1);
    EXPECT_EQ(progress.texts[0], "Now sending control frame(broadcast sending),Please waiting...");
    EXPECT_EQ(progress.texts[1], "Now sending 1th red frame(broadcast sending),Please waitting...");
    EXPECT_EQ(progress.texts[4], "Now sending end green frame(broadcast sending),Please waitting...");
}

TEST_F(SendFixture, ListWithBroadcastLaterServesOnlyItsFirstEntry)
{
    app.m_nColorCount = 1;
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 5});
    Send("3,0,5", OneScreen(false));
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(sim.State(5).m_nMessages, 0);
}

TEST_F(SendFixture, NoReplyOnDataFramesNamesTheFrame)
{
    // The line disappears in the middle of the first red frame.
    sim.AddSign({.m_byAddress = 6, .m_nHangUpAfterBytes = 1500});
    Send("6", OneScreen(true));
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending red frame to 6# address!");
}

TEST_F(SendFixture, PortHeldByAnotherProgramSendsNothing)
{
    line.m_bDeviceFree = false;
    sim.AddSign({.m_byAddress = 3});
    EXPECT_EQ(Send("3", OneScreen(false)), -1);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text,
              "Sorry,You specified COM is using by another program.Please Close it and retry!");
    EXPECT_EQ(messages.items[0].caption, "Please Confirm");
    EXPECT_TRUE(line.m_aWire.empty());
}

TEST_F(SendFixture, MissingDeviceIsNamedWithItsReasonNotCalledBusy)
{
    line.m_bDeviceMissing = true;
    ports.SetDevicePath(1, "/dev/ttyUSB9");
    sim.AddSign({.m_byAddress = 3});
    EXPECT_EQ(Send("3", OneScreen(false)), -1);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Initalize error of Serial com-port!\nCOM1 (/dev/ttyUSB9): No such file or directory");
    EXPECT_EQ(messages.items[0].caption, "Error");
    EXPECT_TRUE(line.m_aWire.empty());
    EXPECT_TRUE(line.m_aOpened.empty());
}

TEST_F(SendFixture, PortThatCannotBeOpenedNamesTheDeviceAndTheReason)
{
    line.m_bOpenFails = true;
    ports.SetDevicePath(1, "/dev/ttyUSB7");
    Send("3", OneScreen(false));
    ASSERT_EQ(messages.items.size(), 2u);
    EXPECT_EQ(messages.items[0].text, "Initalize error of Serial com-port!\nCOM1 (/dev/ttyUSB7): No such file or directory");
    EXPECT_EQ(messages.items[0].caption, "Error");
    EXPECT_EQ(messages.items[1].text, "Communication Error when sending control frame to 3# address!");
}

TEST_F(SendFixture, BadAddressStringSendsNothing)
{
    Send("3,256", OneScreen(false));
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "The address can't be larger than 255,please re-enter!");
    EXPECT_TRUE(line.m_aWire.empty());
}

TEST_F(SendFixture, CancelStopsBetweenFrames)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 5});
    std::atomic<bool> cancel {false};
    int frames = 0;
    line.SetResponder([&](const std::uint8_t* b, std::size_t n, EParity p) {
        if (p == EParity::Space && ++frames == 2) cancel = true;
        const std::vector<std::uint8_t> r = n == 1 ? std::vector<std::uint8_t> {'K'} : std::vector<std::uint8_t> {'Y'};
        (void)b;
        return r;
    });
    app.m_szAddress = "3,5";
    CSendOperation op(app, link, messages, &progress, &cancel);
    op.SendFile(OneScreen(true), {});
    EXPECT_TRUE(op.WasCancelled());
    EXPECT_EQ(Commands(), (std::vector<std::uint8_t> {0x5F, 0x7F}));
    EXPECT_TRUE(messages.items.empty());
    EXPECT_FALSE(line.IsOpen());
}

TEST(TimedMessageSink, MessagesBecomeStampedLogLines)
{
    std::vector<CSendErrorItem> list;
    std::tm t {};
    t.tm_year = 2002 - 1900;
    t.tm_mon = 4;
    t.tm_mday = 5;
    t.tm_hour = 9;
    t.tm_min = 7;
    t.tm_isdst = -1;
    const std::time_t when = std::mktime(&t);
    CTimedMessageSink sink(list, [when] { return when; });
    sink.ShowMessage("Communication Error when sending control frame to 4# address!", "Error-exit sending");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].m_szText,
              "(Year/Month/Date Hour:Minute)2002/05/05 09:07 Communication Error when sending control frame to 4# address!");
}
