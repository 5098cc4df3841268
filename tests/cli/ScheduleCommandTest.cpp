// "vemtctl schedule": the timed-send list from the profile, worked off without a window,
// against simulated signs on a pseudo-terminal; in this process with a set clock, and as
// the real program stopped by SIGTERM.

#include "cli/CScheduleCommand.h"
#include "cli/CVemtCtl.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "comm/CSimulatorLine.h"
#include "comm/TimingSchedule.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"

#include <CLI/App.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::time_t At(int hour, int minute)
{
    std::tm t {};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 11, t.tm_hour = hour, t.tm_min = minute, t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool WaitFor(const std::function<bool()>& cond, int timeoutMs)
{
    for (int waited = 0; !cond() && waited < timeoutMs; waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return cond();
}

const std::string kBar = std::string(82, '=') + "\r\n";

class ScheduleCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vemt-schedule-XXXXXX";
        ASSERT_NE(::mkdtemp(templ), nullptr);
        dir = templ;
        ASSERT_TRUE(line.Open());
        // What the editor leaves in the profile: the sign, the COM choice and its device,
        // the schedule.
        profile.WriteProfileInt("TPParameter", "TPWidth", 64);
        profile.WriteProfileInt("TPParameter", "TPHeight", 16);
        profile.WriteProfileInt("TPParameter", "TotalScreen", 3);
        profile.WriteProfileInt("TPParameter", "ColorCount", 2);
        profile.WriteProfileInt("SendOption", "Comport", 1);
        profile.WriteProfileString("SendOption", "Com1Device", line.SlavePath());
        profile.WriteProfileString("SendOption", "PingHao", "9");
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string WriteDocument(const std::string& name)
    {
        CVemtApp app;
        app.m_nTPWidth = 64, app.m_nTPHeight = 16, app.m_nTotalScreen = 3;
        CVemtDoc doc(&app);
        doc.AddObj(new CDrawRect(CRect(2, 2, 60, 12), 0x0000FF, 0x00FF00, 1, 1));
        const auto bytes = CKvxFile::WriteKvx(doc, app);
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return path;
    }
    void Schedule(const std::vector<CTimingSendItem>& entries)
    {
        CVemtApp app;
        app.m_listTimingSend = entries;
        app.SaveTimingSendList(profile);
    }
    // The command as the tool runs it, with a clock and a log of the test's.
    int RunCommand(const std::string& arguments, std::time_t now,
                   std::function<void(CTimingSendWorker&)> waitForStop = nullptr)
    {
        out.str({}), err.str({});
        CCliContext context {profile, dir + "/Vemt.ini", out, err};
        CScheduleCommand command(context);
        CLI::App cli;
        command.AddOptions(cli);
        cli.parse(arguments, false);
        command.m_fnClock = [now] { return now; };
        command.m_log = CTimingSendLog(dir + "/TimingSendErrorLog.ini");
        command.m_interval = std::chrono::milliseconds(20);
        command.m_fnWaitForStop = std::move(waitForStop);
        return command.Run();
    }

    std::string dir;
    CMemoryProfile profile;
    CSignSimulator sim;
    CSimulatorLine line {sim};
    std::ostringstream out, err;
};

} // namespace

TEST_F(ScheduleCommandTest, ListPrintsTheEntriesAsTheDialogShowsThem)
{
    Schedule({{"3,4", "07:00", "/signs/morning.KVX", 0}, {"0", "17:30", "/signs/evening.KVX", 0}});
    CVemtCtl ctl(profile, dir + "/Vemt.ini", out, err);
    EXPECT_EQ(ctl.Run({"schedule", "--list"}), 0);
    EXPECT_EQ(out.str(), "'07:00' send file '/signs/morning.KVX' to '3,4' Moving-Sign\n"
                         "'17:30' send file '/signs/evening.KVX' to '0' Moving-Sign\n");
}

TEST_F(ScheduleCommandTest, AnEmptyScheduleIsSaidAndNothingRuns)
{
    CVemtCtl ctl(profile, dir + "/Vemt.ini", out, err);
    EXPECT_EQ(ctl.Run({"schedule"}), 2);
    EXPECT_NE(err.str().find("the schedule is empty"), std::string::npos) << err.str();
    EXPECT_EQ(ctl.Run({"schedule", "--list"}), 0);
    EXPECT_EQ(out.str(), "");
}

TEST_F(ScheduleCommandTest, OnceSendsWhatIsDueNowAndEnds)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    ASSERT_TRUE(line.Start());
    const std::string menu = WriteDocument("menu.KVX");
    Schedule({{"3", "07:05", menu, 0}, {"4", "07:05", menu, 0}, {"3", "07:06", menu, 0}});

    EXPECT_EQ(RunCommand("--once", At(7, 4)), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(sim.State(3).m_nMessages, 0);

    EXPECT_EQ(RunCommand("--once", At(7, 5)), 1) << "sign 4 did not answer";
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(out.str(), "07:05 " + menu + ": sent to 3\n07:05 " + menu + ": failed for 4 (1 error)\n");
    EXPECT_EQ(ReadAll(dir + "/TimingSendErrorLog.ini"),
              kBar + "(Year/Month/Date Hour:Minute)2026/12/11 07:05 Sending file '" + menu + "'Successfully!\r\n" + kBar +
                  kBar + "When sending file '" + menu + "' occur some errors as follow:\r\n" +
                  "(Year/Month/Date Hour:Minute)2026/12/11 07:05 Communication Error when sending control frame to 4# address!\r\n" +
                  kBar);
}

TEST_F(ScheduleCommandTest, RunsUntilStoppedSendingEachEntryOnce)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    Schedule({{"3", "07:05", WriteDocument("menu.KVX"), 0}});
    int checksAfterSend = 0;
    const int status = RunCommand("", At(7, 5), [&](CTimingSendWorker& worker) {
        ASSERT_TRUE(WaitFor([&] { return sim.State(3).m_nMessages == 1; }, 10000));
        // Some more looks at the clock in the same minute send nothing more.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        checksAfterSend = sim.State(3).m_nMessages;
        EXPECT_FALSE(worker.Finished());
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(checksAfterSend, 1);
    EXPECT_NE(out.str().find("vemtctl schedule: 1 entries"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("vemtctl schedule: stopped\n"), std::string::npos) << out.str();
}

TEST_F(ScheduleCommandTest, TheProgramSendsADueEntryAndStopsCleanlyOnSigterm)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    const std::string menu = WriteDocument("menu.KVX");
    // The real clock: an entry for this minute, with time enough left in it.
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    if (local.tm_sec > 45) {
        std::this_thread::sleep_for(std::chrono::seconds(61 - local.tm_sec));
        now = std::time(nullptr);
    }
    const std::string config = dir + "/config", data = dir + "/data";
    fs::create_directories(config + "/Vemt");
    std::ofstream(config + "/Vemt/Vemt.ini")
        << "[TPParameter]\nTPWidth=64\nTPHeight=16\nTotalScreen=3\nColorCount=2\n"
        << "[SendOption]\nComport=1\nCom1Device=" << line.SlavePath() << "\nPingHao=9\n"
        << "[TimingSend]\nCount=1\nPingHao0=3\nDate0=" << LocalSendTime(now) << "\nFileName0=" << menu << "\n";

    const std::string program = std::string(VEMT_BINARY_DIR) + "/tools/vemtctl";
    const std::string output = dir + "/out.txt";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        ::chdir(dir.c_str());
        std::FILE* f = std::freopen(output.c_str(), "w", stdout);
        (void)f;
        ::execl(program.c_str(), program.c_str(), "schedule", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const bool sent = WaitFor([&] { return sim.State(3).m_nMessages == 1; }, 20000);
    ::kill(pid, SIGTERM);
    int status = -1;
    bool reaped = false;
    const bool ended = WaitFor([&] { return reaped = reaped || ::waitpid(pid, &status, WNOHANG) == pid; }, 10000);
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(sent);
    ASSERT_TRUE(ended) << "SIGTERM ends the schedule";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(ReadAll(output).find("vemtctl schedule: stopped"), std::string::npos) << ReadAll(output);
    const std::string log = ReadAll(data + "/Vemt/TimingSendErrorLog.ini");
    EXPECT_NE(log.find("Sending file '" + menu + "'Successfully!\r\n"), std::string::npos) << log;
}
