// The sender against simulated signs over a real pseudo-terminal.

#include "CommTestSupport.h"

#include "app/CVemtApp.h"
#include "comm/CSendOperation.h"
#include "comm/CSerialLink.h"
#include "comm/CSimulatorLine.h"
#include "comm/CTtyTransport.h"
#include "comm/FrameProtocol.h"
#include "comm/ScanBitPlanes.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <chrono>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

// Two 32 x 8 screens with red, green and yellow dots in a pattern that differs per row.
CRasterSurface Picture()
{
    CRasterSurface s(32, 16, 0);
    const COLORREF colours[4] = {0, 0x0000FF, 0x00FF00, 0x00FFFF};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) s.SetPixel(x, y, colours[(x * 3 + y * 5 + x * y) % 4]);
    return s;
}

struct PtyFixture : ::testing::Test {
    CVemtApp app;
    CSignSimulator sim;
    CSimulatorLine simLine {sim};
    CTtyTransport tty;
    CComPortMap ports;
    CMessageList messages;
    CSerialLink link {tty, ports, &messages};
    CBitPlanes planes;

    void SetUp() override
    {
        ASSERT_TRUE(simLine.Open());
        ports.SetDevicePath(2, simLine.SlavePath());
        app.m_nComPort = 2;
        app.m_nTPWidth = 32;
        app.m_nTPHeight = 8;
        app.m_nTotalScreen = 2;
        app.m_nColorCount = 2;
        link.m_nReplyTimeoutMs = 100;
        CScanParams p {32, 8, 2, 2};
        ASSERT_TRUE(ScanBitPlanes(Picture(), 16, p, planes, nullptr).m_bOk);
    }
    void Start() { ASSERT_TRUE(simLine.Start()); }
    int Send(const std::string& addresses)
    {
        app.m_szAddress = addresses;
        CSendOperation op(app, link, messages);
        return op.SendFile(planes, std::vector<SCREENINFO>(2));
    }
    void ExpectPicture(std::uint8_t address)
    {
        const CSimSignState st = sim.State(address);
        ASSERT_EQ(st.m_nMessages, 1) << int(address);
        const CRasterSurface shown = CSignSimulator::DecodeScreens(st);
        EXPECT_EQ(shown.Pixels(), Picture().Pixels()) << "sign " << int(address) << " shows the canvas";
    }
};

} // namespace

TEST_F(PtyFixture, SilentSignInTheMiddleOnlyCostsItsOwnTransfer)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    sim.AddSign({.m_byAddress = 5});
    Start();
    EXPECT_EQ(Send("3,4,5"), 0);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending control frame to 4# address!");
    EXPECT_EQ(messages.items[0].caption, "Error-exit sending");
    ExpectPicture(3);
    ExpectPicture(5);
    EXPECT_EQ(sim.State(3).m_aCommands, (std::vector<std::uint8_t> {0x5F, 0x7F, 0x6F, 0x7D, 0x6D}));
}

TEST_F(PtyFixture, FourErrorsThenOkIsDeliveredFiveErrorsFail)
{
    sim.AddSign({.m_byAddress = 3, .m_nErrorReplies = 4, .m_byErrorCommand = CMD_GREEN_LAST});
    sim.AddSign({.m_byAddress = 5, .m_nErrorReplies = 5, .m_byErrorCommand = CMD_RED_FIRST});
    Start();
    Send("3,5");
    ExpectPicture(3);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication failed when sending red frame to 5# address!");
    EXPECT_EQ(sim.State(5).m_nMessages, 0);
}

TEST_F(PtyFixture, BroadcastNeverWaitsForReplies)
{
    // Nobody on the line answers anything, and every sign still takes the message.
    sim.AddSign({.m_byAddress = 3, .m_nReplyDelayMs = 5000});
    sim.AddSign({.m_byAddress = 5, .m_nReplyDelayMs = 5000});
    Start();
    const auto t0 = Clock::now();
    Send("0");
    const long long ms = MsSince(t0);
    EXPECT_TRUE(messages.items.empty());
    ExpectPicture(3);
    ExpectPicture(5);
    // Five frames of 15 + 10 + 50 ms pauses and no reply wait.
    EXPECT_LT(ms, 5 * 75 + 300);
}

TEST_F(PtyFixture, NoiseAndASlowButTimelyReplyStillDeliver)
{
    sim.AddSign({.m_byAddress = 3, .m_nNoiseBytes = 5, .m_nReplyDelayMs = 10});
    Start();
    Send("3");
    EXPECT_TRUE(messages.items.empty());
    ExpectPicture(3);
}

TEST_F(PtyFixture, ReplyTooLateCountsAsSilenceAndTheNextSignIsServed)
{
    sim.AddSign({.m_byAddress = 3, .m_nReplyDelayMs = 400});
    sim.AddSign({.m_byAddress = 5});
    Start();
    Send("3,5");
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending control frame to 3# address!");
    ExpectPicture(5);
}

TEST_F(PtyFixture, LineThatDisappearsMidFrameEndsTheTransferAtOnce)
{
    sim.AddSign({.m_byAddress = 3, .m_nHangUpAfterBytes = 1500});
    Start();
    const auto t0 = Clock::now();
    Send("3");
    EXPECT_LT(MsSince(t0), 1000);
    ASSERT_FALSE(messages.items.empty());
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending red frame to 3# address!");
    EXPECT_TRUE(simLine.HungUp());
}

TEST_F(PtyFixture, InformationQueryReadsTheFourFieldsOrReportsAFault)
{
    CSimSignConfig ok {.m_byAddress = 7};
    ok.m_info = {"3.20", "A1", "11.0592M", "64K"};
    sim.AddSign(ok);
    sim.AddSign({.m_byAddress = 8, .m_eInfoFault = EInfoFault::Short});
    sim.AddSign({.m_byAddress = 9, .m_eInfoFault = EInfoFault::Corrupt});
    Start();
    link.m_nBlockTimeoutMs = 100;
    ASSERT_EQ(link.InitComPort(2, COM_OPEN), 2);
    CSignInfo info;
    ASSERT_EQ(QuerySignInfo(link, 7, info), EQueryResult::Ok);
    EXPECT_EQ(info.m_szVersion, "3.20");
    EXPECT_EQ(info.m_szMotherboard, "A1");
    EXPECT_EQ(info.m_szCrystal, "11.0592M");
    EXPECT_EQ(info.m_szMemory, "64K");
    EXPECT_EQ(QuerySignInfo(link, 8, info), EQueryResult::Short);
    EXPECT_EQ(QuerySignInfo(link, 9, info), EQueryResult::BadFormat);
    EXPECT_EQ(QuerySignInfo(link, 10, info), EQueryResult::NoReply);
    link.CloseComPort();
    EXPECT_EQ(sim.State(7).m_nQueries, 1);
}

TEST_F(PtyFixture, StaleBytesFromBeforeTheOpenAreNotTakenForAnAnswer)
{
    Start();
    // An earlier exchange left a 'K' and a 'Y' in the queue; no sign is on the line now.
    ASSERT_TRUE(simLine.Emit({'K', 'Y', 'K', 'Y'}));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(link.InitComPort(2, COM_OPEN), 2);
    std::uint8_t frame[kFrameSize];
    BuildPowerFrame(frame, 3, true);
    EXPECT_EQ(SendFrame(link, frame, kFrameSize), kFrameNoReply);
}

TEST_F(PtyFixture, PortHeldByAnotherHolderIsReportedBusyAndFreeAgainAfterClose)
{
    Start();
    CTtyTransport other;
    ASSERT_TRUE(other.Open(simLine.SlavePath()).m_bOk);
    EXPECT_TRUE(other.ParityIgnored()) << "a pseudo-terminal drops the parity bit";
    EXPECT_FALSE(link.IsComPortFree(2));
    const CSerialOpenResult second = tty.Open(simLine.SlavePath());
    EXPECT_FALSE(second.m_bOk);
    EXPECT_EQ(second.m_nErrno, EBUSY);
    // The sender's own open port counts as free to itself.
    EXPECT_TRUE(other.IsDeviceFree(simLine.SlavePath()) == false);
    other.Close();
    EXPECT_TRUE(link.IsComPortFree(2));
    EXPECT_EQ(link.InitComPort(2, COM_OPEN), 2);
    EXPECT_TRUE(link.IsComPortFree(2));
    link.CloseComPort();
    EXPECT_EQ(::access(CTtyTransport::LockFilePath(simLine.SlavePath()).c_str(), F_OK), -1) << "lock file removed";
}

TEST_F(PtyFixture, MissingDeviceGivesTheInitialiseErrorWithTheReason)
{
    ports.SetDevicePath(2, "/dev/does-not-exist-vemt");
    EXPECT_EQ(link.InitComPort(2, COM_OPEN), 0);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].caption, "Error");
    EXPECT_EQ(messages.items[0].text.rfind("Initalize error of Serial com-port!\nCOM2 (/dev/does-not-exist-vemt): ", 0), 0u);
    EXPECT_NE(messages.items[0].text.find("No such file or directory"), std::string::npos);
}

TEST_F(PtyFixture, EachDeviceIsCheckedForWhatItIsBeforeASend)
{
    const std::string plainFile = std::string(VEMT_BINARY_DIR) + "/not-a-tty.txt";
    std::FILE* f = std::fopen(plainFile.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    CTtyTransport other;
    ASSERT_TRUE(other.Open(simLine.SlavePath()).m_bOk);
    struct Case {
        std::string device;
        EDeviceState state;
        int err;
        const char* words;  // in the reason
    } cases[] = {
        {"/dev/does-not-exist-vemt", EDeviceState::Unavailable, ENOENT, "does not exist"},
        {"/no/such/dir/ttyUSB0", EDeviceState::Unavailable, ENOENT, "does not exist"},
        {plainFile, EDeviceState::Unavailable, ENOTTY, "not a serial port"},
        {"/tmp", EDeviceState::Unavailable, EISDIR, "not a serial port"},
        {simLine.SlavePath(), EDeviceState::Busy, EBUSY, "another program"},
    };
    for (const Case& c : cases) {
        const CDeviceCheck check = tty.CheckDevice(c.device);
        EXPECT_EQ(int(check.m_eState), int(c.state)) << c.device;
        EXPECT_EQ(check.m_nErrno, c.err) << c.device;
        EXPECT_NE(check.m_szReason.find(c.words), std::string::npos) << c.device << ": " << check.m_szReason;
    }
    other.Close();
    EXPECT_EQ(int(tty.CheckDevice(simLine.SlavePath()).m_eState), int(EDeviceState::Free));
    ::unlink(plainFile.c_str());
}

TEST_F(PtyFixture, ASendToAMissingDeviceNamesItAndNeverCallsItBusy)
{
    sim.AddSign({.m_byAddress = 3});
    Start();
    struct Case {
        std::string device;
        std::string message;
        std::string caption;
    } cases[] = {
        {"/dev/does-not-exist-vemt",
         "Initalize error of Serial com-port!\nCOM2 (/dev/does-not-exist-vemt): No such file or directory (the device "
         "does not exist)",
         "Error"},
        {"/tmp", "Initalize error of Serial com-port!\nCOM2 (/tmp): Is a directory (it is not a serial port)", "Error"},
    };
    for (const Case& c : cases) {
        messages.items.clear();
        ports.SetDevicePath(2, c.device);
        EXPECT_EQ(Send("3"), -1) << c.device;
        ASSERT_EQ(messages.items.size(), 1u) << c.device;
        EXPECT_EQ(messages.items[0].text, c.message);
        EXPECT_EQ(messages.items[0].caption, c.caption);
    }
    EXPECT_EQ(sim.State(3).m_nFramesAccepted, 0);
    // The same port with the sign's line behind it, held by another program, is busy.
    ports.SetDevicePath(2, simLine.SlavePath());
    CTtyTransport other;
    ASSERT_TRUE(other.Open(simLine.SlavePath()).m_bOk);
    messages.items.clear();
    EXPECT_EQ(Send("3"), -1);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Sorry,You specified COM is using by another program.Please Close it and retry!");
}

TEST_F(PtyFixture, LockFileOfAnotherLiveProgramMakesThePortBusyAStaleOneDoesNot)
{
    const std::string lock = CTtyTransport::LockFilePath(simLine.SlavePath());
    std::FILE* f = std::fopen(lock.c_str(), "w");
    if (!f) GTEST_SKIP() << "no writable lock directory here";
    std::fprintf(f, "%10d\n", 1);  // init: always alive
    std::fclose(f);
    EXPECT_FALSE(link.IsComPortFree(2));
    EXPECT_EQ(tty.Open(simLine.SlavePath()).m_nErrno, EBUSY);

    f = std::fopen(lock.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fprintf(f, "%10d\n", 0x3FFFFFF0);  // no such process
    std::fclose(f);
    EXPECT_TRUE(link.IsComPortFree(2));
    ASSERT_TRUE(tty.Open(simLine.SlavePath()).m_bOk);
    tty.Close();
    EXPECT_EQ(::access(lock.c_str(), F_OK), -1);
}
