// vemtctl's device commands against simulated signs on a pseudo-terminal.

#include "cli/CVemtCtl.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "comm/CRfc2217SignServer.h"
#include "comm/CSignSimulator.h"
#include "comm/CSimulatorLine.h"
#include "comm/CTtyTransport.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class DeviceCommandsCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vemtctl-dev-XXXXXX";
        ASSERT_NE(::mkdtemp(templ), nullptr);
        m_szDir = templ;
        ASSERT_TRUE(line.Open());
    }
    void TearDown() override
    {
        line.Stop();
        std::filesystem::remove_all(m_szDir);
    }
    void Start(std::initializer_list<CSimSignConfig> signs)
    {
        for (const CSimSignConfig& s : signs) sim.AddSign(s);
        ASSERT_TRUE(line.Start());
    }
    int Run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        CVemtCtl ctl(profile, m_szDir + "/Vemt.ini", out, err);
        return ctl.Run(args);
    }
    std::string Port() const { return line.SlavePath(); }
    int FramesLogged() const
    {
        int n = 0;
        for (const std::string& l : sim.Log()) n += l.find(" frame, checksum") != std::string::npos;
        return n;
    }
    std::string WriteTimerDocument(const TimerTable& timers)
    {
        CVemtApp app;
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_aTimer = timers;
        CVemtDoc doc(&app);
        doc.AddObj(new CDrawRect(CRect(2, 2, 20, 12), 0x0000FF, 0x00FF00, 1, 1));
        const std::string path = m_szDir + "/timer.KVX";
        const auto bytes = CKvxFile::WriteKvx(doc, app);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return path;
    }

    CMemoryProfile profile;
    std::ostringstream out, err;
    std::string m_szDir;
    CSignSimulator sim;
    CSimulatorLine line {sim};
};

TEST_F(DeviceCommandsCliTest, ClockSetsEachSignAndStopsAtTheSilentOne)
{
    Start({{.m_byAddress = 1}, {.m_byAddress = 2, .m_bSilent = true}, {.m_byAddress = 3}});
    ASSERT_EQ(Run({"clock", "--port", Port(), "--address", "1,3", "--x", "4", "--y", "9", "--no-seconds"}), 0)
        << err.str();
    EXPECT_EQ(out.str(), "clock: sent to 1,3\n");
    EXPECT_NE(err.str().find("Now is adjust the time and date of Moving-Sign to 3# address"), std::string::npos);
    const auto clock = sim.State(3).m_abyClock;
    EXPECT_EQ(clock[8], 4);
    EXPECT_EQ(clock[9], 9);
    EXPECT_EQ(clock[10], 1) << "no seconds";
    EXPECT_EQ(clock[0], 0x20) << "the century of the PC's clock";

    const int before = sim.State(3).m_nFramesAccepted;
    EXPECT_EQ(Run({"clock", "--port", Port(), "--address", "2,3"}), CVemtCtl::kExitFailed);
    EXPECT_NE(err.str().find("Adjust Time: Adjust time failed!"), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(sim.State(3).m_nFramesAccepted, before) << "3 comes after the failure";
}

TEST_F(DeviceCommandsCliTest, PowerShowAddressAndBroadcasts)
{
    Start({{.m_byAddress = 5}, {.m_byAddress = 6}});
    EXPECT_EQ(Run({"power", "off", "--port", Port(), "--address", "5"}), 0) << err.str();
    EXPECT_EQ(out.str(), "power off: sent to 5\n");
    EXPECT_FALSE(sim.State(5).m_bPowerOn);
    EXPECT_TRUE(sim.State(6).m_bPowerOn);
    EXPECT_EQ(Run({"power", "off", "--port", Port(), "--address", "0"}), 0);
    EXPECT_FALSE(sim.State(6).m_bPowerOn);
    EXPECT_EQ(sim.Log().back(), "broadcast power frame, checksum ok");
    EXPECT_EQ(Run({"power", "on", "--port", Port(), "--address", "5,6"}), 0);
    EXPECT_TRUE(sim.State(5).m_bPowerOn && sim.State(6).m_bPowerOn);

    EXPECT_EQ(Run({"show-address", "on", "--port", Port()}), 0) << err.str();
    EXPECT_EQ(out.str(), "show-address on: sent to 0\n");
    EXPECT_EQ(sim.Log().back(), "broadcast show address frame, checksum ok");
    EXPECT_TRUE(sim.State(5).m_bShowAddress && sim.State(6).m_bShowAddress);
    EXPECT_EQ(Run({"show-address", "off", "--port", Port()}), 0);
    EXPECT_FALSE(sim.State(5).m_bShowAddress || sim.State(6).m_bShowAddress);
}

TEST_F(DeviceCommandsCliTest, BadInputIsAUsageErrorAndSendsNothing)
{
    Start({{.m_byAddress = 1}});
    const std::vector<std::vector<std::string>> cases = {
        {"clock", "--port", Port()},
        {"clock", "--address", "1"},
        {"clock", "--port", Port(), "--address", "1", "--x", "256"},
        {"clock", "--port", Port(), "--address", "1", "--y", "-1"},
        {"clock", "--port", Port(), "--address", "1", "--x", "left"},
        {"clock", "--port", Port(), "--address", "1,,2"},
        {"clock", "--port", Port(), "--address", "300"},
        {"power", "--port", Port(), "--address", "1"},
        {"power", "dim", "--port", Port(), "--address", "1"},
        {"power", "on", "--port", Port()},
        {"show-address", "--port", Port()},
        {"show-address", "on"},
        {"show-address", "on", "--port", Port(), "--address", "1"},
        {"info", "--port", Port()},
        {"info", "--port", Port(), "--address", "1,0"},
        {"timer", "--show"},
        {"timer", "x.KVX"},
        {"timer", "x.KVX", "--show", "--port", Port(), "--address", "1"},
        {"timer", "x.KVX", "--port", Port()},
    };
    for (const auto& args : cases) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(Run(args), CVemtCtl::kExitUsage) << joined;
        EXPECT_FALSE(err.str().empty()) << joined;
        EXPECT_TRUE(out.str().empty()) << joined;
    }
    EXPECT_EQ(FramesLogged(), 0);
    EXPECT_NE(err.str().find("vemtctl timer: needs FILE.KVX"), std::string::npos);
    Run({"info", "--port", Port(), "--address", "1,0"});
    EXPECT_EQ(err.str(), "Prompt: Sorry,the address string can't include 0 address.\n");
}

TEST_F(DeviceCommandsCliTest, ABusyPortIsReportedAndNothingIsSent)
{
    Start({{.m_byAddress = 1}});
    CTtyTransport other;
    ASSERT_TRUE(other.Open(Port()).m_bOk);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"power", "on", "--port", Port(), "--address", "1"},
          std::vector<std::string>{"info", "--port", Port(), "--address", "1"}}) {
        EXPECT_EQ(Run(args), CVemtCtl::kExitUsage) << args[0];
        EXPECT_NE(err.str().find("Please Confirm: Sorry,You specified COM is using by another program"),
                  std::string::npos);
    }
    EXPECT_EQ(FramesLogged(), 0);
}

TEST_F(DeviceCommandsCliTest, TimerShowsAndSendsTheDocumentsTable)
{
    TimerTable timers;
    timers[0] = {1, 0, 7, 2, 3, 8, 5};
    timers[2] = {1, 1, 6, 4, 9, 22, 30};
    timers[7] = {0, 0, 0, 5, 1, 0, 0};
    const std::string file = WriteTimerDocument(timers);
    Start({{.m_byAddress = 2}});

    ASSERT_EQ(Run({"timer", file, "--show"}), 0) << err.str();
    std::istringstream lines(out.str());
    std::vector<std::string> table;
    for (std::string l; std::getline(lines, l);) table.push_back(l);
    ASSERT_EQ(table.size(), 8u);
    EXPECT_EQ(table[0], "1 enabled  Everyday 08:05 show screens 002 to 003 repeatedly");
    EXPECT_EQ(table[1], "2 disabled Mon      00:00 show screens 001 to 001 repeatedly");
    EXPECT_EQ(table[2], "3 enabled  Sun      22:30 close the sign");
    EXPECT_EQ(table[7], "8 disabled Mon      00:00 show screens 005 to 001 repeatedly");
    EXPECT_EQ(FramesLogged(), 0);

    ASSERT_EQ(Run({"timer", file, "--port", Port(), "--address", "2"}), 0) << err.str();
    EXPECT_EQ(out.str(), "timer: sent to 2\n");
    const auto& t = sim.State(2).m_abyTimer;
    const std::vector<std::uint8_t> entries(t.begin(), t.begin() + 18);
    EXPECT_EQ(entries, (std::vector<std::uint8_t>{1, 7, 0x08, 0x05, 2, 3,  //
                                                  0, 1, 0x00, 0x00, 1, 1,  //
                                                  1, 0, 0x22, 0x30, 0, 0}));

    EXPECT_EQ(Run({"timer", m_szDir + "/missing.KVX", "--show"}), CVemtCtl::kExitFailed);
    EXPECT_NE(err.str().find("missing.KVX"), std::string::npos);
}

TEST_F(DeviceCommandsCliTest, InfoPrintsEachSignsFactsOrItsFailure)
{
    Start({{.m_byAddress = 1},
           {.m_byAddress = 2, .m_eInfoFault = EInfoFault::Corrupt},
           {.m_byAddress = 3, .m_info = {"V\"4\\0", "B\x01", "12M", "\xe9K"}}});
    ASSERT_EQ(Run({"info", "--port", Port(), "--address", "1"}), 0) << err.str();
    EXPECT_EQ(out.str(), "1: version 3.20, motherboard A1, crystal 11.0592M, memory 64K\n");

    EXPECT_EQ(Run({"info", "--port", Port(), "--address", "1,2,3,4", "--json"}), CVemtCtl::kExitFailed);
    std::istringstream lines(out.str());
    std::vector<QJsonObject> objects;
    for (std::string l; std::getline(lines, l);) {
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(l), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << l;
        ASSERT_TRUE(json.isObject()) << l;
        objects.push_back(json.object());
    }
    ASSERT_EQ(objects.size(), 4u);
    const struct {
        int address;
        const char* result;
        const char* version;
        const char* memory;
    } expected[] = {
        {1, "ok", "3.20", "64K"},
        {2, "bad-reply", nullptr, nullptr},
        {3, "ok", "V\"4\\0", "\u00e9K"},
        {4, "no-reply", nullptr, nullptr},
    };
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const QJsonObject& o = objects[i];
        EXPECT_EQ(o["address"].toInt(), expected[i].address);
        EXPECT_EQ(o["result"].toString().toStdString(), expected[i].result);
        EXPECT_EQ(o.contains("version"), expected[i].version != nullptr);
        if (expected[i].version) {
            EXPECT_EQ(o["version"].toString().toStdString(), expected[i].version);
            EXPECT_EQ(o["memory"].toString().toStdString(), expected[i].memory);
        }
        EXPECT_FALSE(o["log"].toString().isEmpty());
    }
    EXPECT_EQ(objects[0]["motherboard"].toString(), "A1");
    EXPECT_EQ(objects[0]["crystal"].toString(), "11.0592M");
    EXPECT_EQ(objects[2]["motherboard"].toString(), QString("B") + QChar(1));
    EXPECT_EQ(objects[1]["log"].toString().toStdString(),
              "The format or the check sum from 2# address Moving-Sign return is incorrect");
    EXPECT_NE(err.str().find("Occure an error when sending command to 4# address"), std::string::npos);
}

}  // namespace

TEST_F(DeviceCommandsCliTest, EveryDeviceCommandReachesSignsBehindADeviceServer)
{
    sim.AddSign({.m_byAddress = 1});
    sim.AddSign({.m_byAddress = 5});
    CRfc2217SignServer server(sim);
    std::string error;
    ASSERT_TRUE(server.Listen("rfc2217://127.0.0.1:0", error)) << error;
    ASSERT_TRUE(server.Start());
    const std::string url = server.Url();
    const std::vector<std::vector<std::string>> commands = {
        {"clock", "--port", url, "--address", "1,5"},
        {"power", "off", "--port", url, "--address", "5"},
        {"show-address", "on", "--port", url},
        {"info", "--port", url, "--address", "1"},
    };
    for (const auto& command : commands) EXPECT_EQ(Run(command), 0) << command[0] << ": " << err.str();
    server.Stop();
    EXPECT_FALSE(sim.State(5).m_bPowerOn);
    EXPECT_TRUE(sim.State(1).m_bShowAddress);
    EXPECT_EQ(sim.State(1).m_nQueries, 1);
    EXPECT_NE(sim.State(1).m_abyClock, (std::array<std::uint8_t, 11> {}));

    // With nobody listening any more, each says so in words.
    EXPECT_EQ(Run({"power", "on", "--port", url, "--address", "5"}), CVemtCtl::kExitUsage);
    EXPECT_NE(err.str().find("connection refused by 127.0.0.1:"), std::string::npos) << err.str();
}
