// Sends through a real serial device server: ser2net on 127.0.0.1 serves the simulated
// signs' pseudo-terminal over RFC 2217, and the sender reaches it as rfc2217://.

#include "CommTestSupport.h"
#include "Ser2netServer.h"
#include "SendPipelineSupport.h"

#include "comm/CDeviceTransport.h"
#include "comm/CRfc2217Transport.h"
#include "comm/CSendFileCommand.h"
#include "comm/CSerialLink.h"
#include "comm/FrameProtocol.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct Ser2netSend : SendPipeline {
    CSer2netServer server;

    void StartServer(const std::string& ownSettings = "9600e71")
    {
        if (!CSer2netServer::Installed()) GTEST_SKIP() << "ser2net is not installed (scripts/setup installs it)";
        line.m_bRecordParity = true;
        ASSERT_TRUE(line.Start());
        std::string error;
        ASSERT_TRUE(server.Start(line.SlavePath(), VEMT_BINARY_DIR, ownSettings, error)) << error;
    }
};

} // namespace

TEST_F(Ser2netSend, SignsThreeAndFiveShowTheCanvasFourIsNamedAndEveryAddressByteIsMark)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    sim.AddSign({.m_byAddress = 5});
    StartServer();
    CProgressLog progress;

    const int result = RunSendCommand(doc, app, server.Url(), "3,4,5", messages, &progress);

    EXPECT_EQ(result, kSendSomeFailed) << server.Log();
    ASSERT_EQ(messages.items.size(), 1u) << messages.items[0].text;
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending control frame to 4# address!");
    const CRasterSurface expected = Canvas(32);
    ExpectShows(3, expected);
    ExpectShows(5, expected);
    EXPECT_EQ(sim.State(4).m_nBytesSeen, 0);
    ExpectParityOfEveryFrame(line.ReceivedBytes(), line.ReceivedParity(), {4});
}

TEST_F(Ser2netSend, EveryConnectionSetsTheWholeLineAndReadsItBack)
{
    sim.AddSign({.m_byAddress = 3});
    StartServer("9600e71");
    // Each connection right after the last one closed, as the addresses of a list do.
    for (int round = 0; round < 10; ++round) {
        CRfc2217Transport network;
        const CSerialOpenResult r = network.Open(server.Url());
        ASSERT_TRUE(r.m_bOk) << "round " << round << ": " << r.m_szReason << "\n" << server.Log();
        EXPECT_EQ(network.Confirmed().m_nBaud, 19200u);
        EXPECT_EQ(network.Confirmed().m_byDataSize, 8);
        EXPECT_EQ(network.Confirmed().m_byStopSize, 1);
        EXPECT_EQ(network.Confirmed().m_byControl, 1);
        EXPECT_EQ(network.Confirmed().m_byParity, 4) << "an open port starts with MARK";
        EXPECT_TRUE(network.SetParity(EParity::Space));
        EXPECT_EQ(network.Confirmed().m_byParity, 5);
        network.Close();
    }
}

TEST_F(Ser2netSend, ASecondClientIsTurnedAwayAsBusy)
{
    sim.AddSign({.m_byAddress = 3});
    StartServer();
    CRawTcpClient first;
    ASSERT_TRUE(first.Connect(server.Port()));

    CDeviceTransport second;
    const CDeviceCheck check = second.CheckDevice(server.Url());
    EXPECT_EQ(int(check.m_eState), int(EDeviceState::Busy));
    EXPECT_NE(check.m_szReason.find("Port already in use"), std::string::npos) << check.m_szReason;

    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3", messages), kSendNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Sorry,You specified COM is using by another program.Please Close it and retry!");
    first.Close();
    CDeviceTransport probe;
    ASSERT_TRUE(WaitUntilFree(probe, server.Url()));
    messages.items.clear();
    EXPECT_EQ(RunSendCommand(doc, app, server.Url(), "3", messages), kSendAllDelivered) << server.Log();
    ExpectShows(3, Canvas(32));
}
