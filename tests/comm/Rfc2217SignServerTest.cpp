// The sender against the simulator's own RFC 2217 server, which reads the ninth bit of
// every byte from the protocol and can play the faults of real device servers.

#include "CommTestSupport.h"
#include "SendPipelineSupport.h"

#include "comm/CDeviceTransport.h"
#include "comm/CRfc2217SignServer.h"
#include "comm/CRfc2217Transport.h"
#include "comm/CSendFileCommand.h"
#include "comm/CSerialLink.h"
#include "comm/FrameProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

struct SignServerSend : SendPipeline {
    CRfc2217SignServer server {sim};

    void StartServer()
    {
        std::string error;
        ASSERT_TRUE(server.Listen("rfc2217://127.0.0.1:0", error)) << error;
        ASSERT_TRUE(server.Start());
    }
    std::string InitErrorFor(const std::string& reason) const
    {
        return "Initalize error of Serial com-port!\nCOM1 (" + server.Url() + "): " + reason;
    }
};

// A TCP port on the loopback address that nobody listens on.
int ClosedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

} // namespace

TEST_F(SignServerSend, SignsFindEveryAddressByItsMarkParity)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    sim.AddSign({.m_byAddress = 5});
    StartServer();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3,4,5", messages), kSendSomeFailed);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending control frame to 4# address!");
    const CRasterSurface expected = Canvas(32);
    ExpectShows(3, expected);
    ExpectShows(5, expected);
    ExpectParityOfEveryFrame(server.ReceivedBytes(), server.ReceivedParity(), {4});
    for (const std::string& line : sim.Log()) EXPECT_EQ(line.find("ignored"), std::string::npos) << line;
}

TEST_F(SignServerSend, FourRefusalsThenYesIsDeliveredFiveFail)
{
    sim.AddSign({.m_byAddress = 3, .m_nErrorReplies = 4, .m_byErrorCommand = CMD_GREEN_LAST});
    sim.AddSign({.m_byAddress = 5, .m_nErrorReplies = 5, .m_byErrorCommand = CMD_RED_FIRST});
    StartServer();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3,5", messages), kSendSomeFailed);
    ExpectShows(3, Canvas(32));
    EXPECT_EQ(sim.State(3).m_nFramesRefused, 4);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication failed when sending red frame to 5# address!");
    EXPECT_EQ(sim.State(5).m_nFramesRefused, 5);
    EXPECT_EQ(sim.State(5).m_nMessages, 0);
}

TEST_F(SignServerSend, BytesOfAllOnesTravelDoubledAndArriveSingle)
{
    // Noise before every reply holds 0xFF too, so the server doubles it on the way back.
    sim.AddSign({.m_byAddress = 3, .m_nNoiseBytes = 3});
    StartServer();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3", messages), kSendAllDelivered);
    const CSimSignState st = sim.State(3);
    EXPECT_NE(std::find(st.m_aRed.begin(), st.m_aRed.end(), 0xFF), st.m_aRed.end()) << "the planes hold 0xFF bytes";
    EXPECT_NE(std::find(st.m_aGreen.begin(), st.m_aGreen.end(), 0xFF), st.m_aGreen.end());
    ExpectShows(3, Canvas(32));
    EXPECT_TRUE(messages.items.empty());
}

TEST_F(SignServerSend, BroadcastOnAPacedLineSwitchesOnlyAfterTheFrameHasLeft)
{
    // At 19200 baud the server still sends a frame's tail when the sender has written it
    // all; a parity switch before its wire time would put that tail in MARK.
    server.m_bPaced = true;
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 9});
    StartServer();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "0", messages), kSendAllDelivered);
    const CRasterSurface expected = Canvas(32);
    ExpectShows(3, expected);
    ExpectShows(9, expected);
    ExpectParityOfEveryFrame(server.ReceivedBytes(), server.ReceivedParity(), {});
}

TEST_F(SignServerSend, AServerThatDropsTheConnectionMidFrameIsACommunicationError)
{
    sim.AddSign({.m_byAddress = 6, .m_nHangUpAfterBytes = 1500});
    StartServer();
    const auto t0 = Clock::now();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "6", messages), kSendSomeFailed);
    EXPECT_LT(MsSince(t0), 3000) << "nothing waits for a connection that is gone";
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending red frame to 6# address!");
}

TEST_F(SignServerSend, AServerWithoutStickParityIsRefusedBeforeAnythingIsSent)
{
    server.m_bRefuseStickParity = true;
    sim.AddSign({.m_byAddress = 3});
    StartServer();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3", messages), kSendNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text,
              InitErrorFor("the device server cannot switch the parity between MARK and SPACE (asked for SPACE, it "
                           "answered NONE), which addressing the signs needs; nothing was sent"));
    EXPECT_EQ(messages.items[0].caption, "Error");
    EXPECT_TRUE(server.ReceivedBytes().empty());
}

TEST_F(SignServerSend, AServerThatNeverAnswersTimesOut)
{
    server.m_bNeverAcknowledge = true;
    sim.AddSign({.m_byAddress = 3});
    StartServer();
    CDeviceTransport transport;
    transport.Network().m_nAckTimeoutMs = 300;
    const auto t0 = Clock::now();
    const CSerialOpenResult r = transport.Open(server.Url());
    EXPECT_LT(MsSince(t0), 1500);
    EXPECT_FALSE(r.m_bOk);
    EXPECT_EQ(r.m_nErrno, ETIMEDOUT);
    EXPECT_EQ(r.m_szReason,
              "the device server at 127.0.0.1:" + std::to_string(server.Port()) +
                  " did not acknowledge SET-BAUDRATE within 0.3 s (time-out)");
    EXPECT_TRUE(server.ReceivedBytes().empty());
}

TEST_F(SignServerSend, ASecondClientIsBusyUntilTheFirstLeaves)
{
    sim.AddSign({.m_byAddress = 3});
    StartServer();
    CRawTcpClient first;
    ASSERT_TRUE(first.Connect(server.Port()));
    CDeviceTransport second;
    EXPECT_EQ(second.CheckDevice(server.Url()).m_szReason,
              "another client holds the device server's port (it answered \"Port already in use\")");
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3", messages), kSendNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Sorry,You specified COM is using by another program.Please Close it and retry!");
    first.Close();
    CDeviceTransport probe;
    ASSERT_TRUE(WaitUntilFree(probe, server.Url()));
    messages.items.clear();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3", messages), kSendAllDelivered);
    EXPECT_TRUE(messages.items.empty());
}

TEST_F(SignServerSend, TheNextCommandFindsThePortFreeAtOnce)
{
    // Each address of a list is a connection of its own, opened as soon as the last one
    // closed: the server must have seen the last one go.
    sim.AddSign({.m_byAddress = 3});
    StartServer();
    for (int round = 0; round < 20; ++round) {
        CRfc2217Transport transport;
        const CSerialOpenResult r = transport.Open(server.Url());
        ASSERT_TRUE(r.m_bOk) << "round " << round << ": " << r.m_szReason;
        EXPECT_TRUE(server.Serving());
        transport.Close();
        EXPECT_FALSE(server.Serving()) << "round " << round << ": the server has let go when Close returns";
    }
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3,3,3", messages), kSendAllDelivered);
    EXPECT_TRUE(messages.items.empty()) << messages.items[0].text;
}

TEST_F(SignServerSend, OneCommandOfThisProgramAtATimeTalksToAServer)
{
    sim.AddSign({.m_byAddress = 3});
    StartServer();
    CRfc2217Transport first;
    ASSERT_TRUE(first.Open(server.Url()).m_bOk);
    CDeviceTransport second;
    const CDeviceCheck check = second.CheckDevice(server.Url());
    EXPECT_EQ(int(check.m_eState), int(EDeviceState::Busy));
    EXPECT_EQ(check.m_szReason, "another command of this program is using 127.0.0.1:" + std::to_string(server.Port()));
    EXPECT_EQ(second.Open(server.Url()).m_nErrno, EBUSY);
    EXPECT_EQ(int(first.CheckDevice(server.Url()).m_eState), int(EDeviceState::Free)) << "its own port";
    EXPECT_EQ(server.Connections(), 1) << "the second never connected";
    first.Close();
    EXPECT_TRUE(second.Open(server.Url()).m_bOk);
}

TEST(Rfc2217Transport, UnreachableServersAreNamedWithTheReason)
{
    // A socket that listens but never accepts: the kernel completes the connection and
    // nobody speaks.
    const int mute = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    ASSERT_EQ(::bind(mute, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(mute, 1), 0);
    ::getsockname(mute, reinterpret_cast<sockaddr*>(&a), &len);
    const std::string mutePort = std::to_string(ntohs(a.sin_port));
    const std::string closedPort = std::to_string(ClosedPort());

    struct Case {
        std::string device;
        int err;
        std::string reason;  // the start of it
    } cases[] = {
        {"rfc2217://127.0.0.1:" + closedPort, ECONNREFUSED,
         "connection refused by 127.0.0.1:" + closedPort + " (no device server listens on that port)"},
        {"rfc2217://127.0.0.1:" + mutePort, ETIMEDOUT,
         "no RFC 2217 answer from 127.0.0.1:" + mutePort + " within 0.4 s (time-out)"},
        {"rfc2217://no-such-host.invalid:2217", 0, "host no-such-host.invalid not found"},
        {"rfc2217://127.0.0.1", EINVAL, "not a device server address: write rfc2217://HOST:PORT (the port number is missing)"},
        {"rfc2217://:2217", EINVAL, "not a device server address: write rfc2217://HOST:PORT (the host is missing)"},
        {"rfc2217://127.0.0.1:70000", EINVAL,
         "not a device server address: write rfc2217://HOST:PORT (the port must be a number from 1 to 65535)"},
        {"rfc2217://::1:2217", EINVAL,
         "not a device server address: write rfc2217://HOST:PORT (an IPv6 address goes in brackets"},
    };
    for (const Case& c : cases) {
        CDeviceTransport transport;
        transport.Network().m_nAckTimeoutMs = 400;
        transport.Network().m_nConnectTimeoutMs = 2000;
        const CDeviceCheck check = transport.CheckDevice(c.device);
        EXPECT_EQ(int(check.m_eState), int(EDeviceState::Unavailable)) << c.device;
        if (c.err != 0) {
            EXPECT_EQ(check.m_nErrno, c.err) << c.device;
        }
        EXPECT_EQ(check.m_szReason.rfind(c.reason, 0), 0u) << c.device << ": " << check.m_szReason;
        EXPECT_FALSE(transport.Open(c.device).m_bOk);
        EXPECT_FALSE(transport.IsOpen());
    }
    ::close(mute);
}

TEST(Rfc2217Transport, AddressesAreReadWithTheirHostAndPort)
{
    struct Case {
        const char* device;
        bool url;
        const char* host;
        const char* port;
    } cases[] = {
        {"rfc2217://127.0.0.1:2217", true, "127.0.0.1", "2217"},
        {"RFC2217://sign-server.lan:4001/", true, "sign-server.lan", "4001"},
        {"rfc2217://[::1]:7000", true, "::1", "7000"},
        {"/dev/ttyUSB0", false, "", ""},
        {"virtual-sign", false, "", ""},
        {"rfc2217:/host:1", false, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CRfc2217Transport::IsUrl(c.device), c.url) << c.device;
        std::string host, port, error;
        EXPECT_EQ(CRfc2217Transport::ParseUrl(c.device, host, port, error), c.url) << c.device << ": " << error;
        if (!c.url) continue;
        EXPECT_EQ(host, c.host);
        EXPECT_EQ(port, c.port);
    }
}
