// Timed sending without a window: the schedule's texts and profile keys, the log report
// bytes, and the worker sending real document files to simulated signs on a
// pseudo-terminal by a clock the test sets.

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "comm/CHeadlessTimingHost.h"
#include "comm/CSimulatorLine.h"
#include "comm/CTimedMessageSink.h"
#include "comm/CTtyTransport.h"
#include "comm/CTimingSendLog.h"
#include "comm/CTimingSendWorker.h"
#include "comm/TimingSchedule.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A local time: the log and the schedule speak the wall clock.
std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second = 0)
{
    std::tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

const std::string kBar = std::string(82, '=') + "\r\n";

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "vemt-timing-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(m_path); }
    std::string operator/(const std::string& name) const { return (fs::path(m_path) / name).string(); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

TEST(TimingSchedule, SendTimesAndListLines)
{
    struct Case {
        int hour, minute;
        const char* time;
    } cases[] = {{7, 5, "07:05"}, {0, 0, "00:00"}, {23, 59, "23:59"}, {17, 30, "17:30"}, {9, 0, "09:00"}};
    for (const Case& c : cases) EXPECT_EQ(FormatSendTime(c.hour, c.minute), c.time) << c.hour << ":" << c.minute;

    CTimingSendItem item {"3,4", FormatSendTime(7, 5), "/signs/morning menu.KVX", 0};
    EXPECT_EQ(TimingSendListLine(item), "'07:05' send file '/signs/morning menu.KVX' to '3,4' Moving-Sign");
    // Long paths are not cut, and a percent sign in a name is only a character.
    item.m_szFileName = "/" + std::string(600, 'a') + "/100%s.KVX";
    EXPECT_EQ(TimingSendListLine(item), "'07:05' send file '" + item.m_szFileName + "' to '3,4' Moving-Sign");

    EXPECT_EQ(LocalSendTime(LocalTime(2026, 12, 11, 7, 5, 59)), "07:05");
    EXPECT_EQ(LocalSendTime(LocalTime(2026, 12, 11, 17, 30, 0)), "17:30");
}

TEST(TimingSchedule, ListGoesToTheProfileAndBackWithoutSentFlags)
{
    CVemtApp app;
    app.m_listTimingSend = {{"3,4", "07:00", "/signs/morning.KVX", 1}, {"0", "17:30", "/signs/evening.KVX", 0}};
    CMemoryProfile profile;
    app.SaveTimingSendList(profile);

    EXPECT_EQ(profile.GetProfileInt("TimingSend", "Count", -1), 2);
    struct Key {
        const char* key;
        const char* value;
    } keys[] = {{"PingHao0", "3,4"}, {"Date0", "07:00"}, {"FileName0", "/signs/morning.KVX"},
                {"PingHao1", "0"}, {"Date1", "17:30"}, {"FileName1", "/signs/evening.KVX"}};
    for (const Key& k : keys) EXPECT_EQ(profile.GetProfileString("TimingSend", k.key, "?"), k.value) << k.key;

    CVemtApp loaded;
    loaded.LoadTimingSendList(profile);
    ASSERT_EQ(loaded.m_listTimingSend.size(), 2u);
    EXPECT_EQ(loaded.m_listTimingSend[0].m_szAddress, "3,4");
    EXPECT_EQ(loaded.m_listTimingSend[1].m_szFileName, "/signs/evening.KVX");
    EXPECT_EQ(loaded.m_listTimingSend[0].m_nSent, 0) << "a new run starts with nothing sent";

    // A shorter list: Count says how many entries there are.
    app.m_listTimingSend.pop_back();
    app.SaveTimingSendList(profile);
    CVemtApp reloaded;
    reloaded.LoadTimingSendList(profile);
    EXPECT_EQ(reloaded.m_listTimingSend.size(), 1u);

    ResetSentFlags(app.m_listTimingSend);
    EXPECT_EQ(app.m_listTimingSend[0].m_nSent, 0);
}

TEST(TimingSendLog, ReportBytesForSuccessAndFailure)
{
    const std::time_t now = LocalTime(2026, 12, 11, 7, 5, 42);
    EXPECT_EQ(CTimingSendLog::FormatReport("/signs/menu.KVX", {}, now),
              kBar + "(Year/Month/Date Hour:Minute)2026/12/11 07:05 Sending file '/signs/menu.KVX'Successfully!\r\n" +
                  kBar);

    const std::vector<CSendErrorItem> errors = {
        {"(Year/Month/Date Hour:Minute)2026/12/11 07:05 Communication Error when sending control frame to 4# address!"},
        {"(Year/Month/Date Hour:Minute)2026/12/11 07:06 Sending control frame to 6# address falied!"}};
    EXPECT_EQ(CTimingSendLog::FormatReport("/signs/menu.KVX", errors, now),
              kBar + "When sending file '/signs/menu.KVX' occur some errors as follow:\r\n" +
                  "(Year/Month/Date Hour:Minute)2026/12/11 07:05 Communication Error when sending control frame to 4# address!\r\n" +
                  "(Year/Month/Date Hour:Minute)2026/12/11 07:06 Sending control frame to 6# address falied!\r\n" + kBar);
    EXPECT_EQ(kBar.size(), 84u);
}

TEST(TimingSendLog, GrowsInTheUsersDataFolder)
{
    TempDir dir;
    struct Case {
        const char* xdg;  // nullptr: unset
        std::string expected;
    } cases[] = {
        {nullptr, dir / "home/.local/share/Vemt/TimingSendErrorLog.ini"},
        {"", dir / "home/.local/share/Vemt/TimingSendErrorLog.ini"},
        {"relative/data", dir / "home/.local/share/Vemt/TimingSendErrorLog.ini"},
        {"/srv/data", "/srv/data/Vemt/TimingSendErrorLog.ini"},
    };
    const char* oldHome = std::getenv("HOME");
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string savedHome = oldHome ? oldHome : "", savedXdg = oldXdg ? oldXdg : "";
    ::setenv("HOME", (dir / "home").c_str(), 1);
    for (const Case& c : cases) {
        if (c.xdg) ::setenv("XDG_DATA_HOME", c.xdg, 1);
        else ::unsetenv("XDG_DATA_HOME");
        EXPECT_EQ(CTimingSendLog::DefaultPath(), c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
    oldHome ? ::setenv("HOME", savedHome.c_str(), 1) : ::unsetenv("HOME");
    oldXdg ? ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");

    // The folder is made on first use and the file only grows.
    const CTimingSendLog log(dir / "data/Vemt/TimingSendErrorLog.ini");
    ASSERT_TRUE(log.Append("first\r\n"));
    ASSERT_TRUE(log.Append("second\r\n"));
    EXPECT_EQ(ReadAll(log.Path()), "first\r\nsecond\r\n");

    // Nowhere to write: the report is dropped, and that is said.
    std::ofstream(dir / "plain") << "x";
    EXPECT_FALSE(CTimingSendLog(dir / "plain/Vemt/TimingSendErrorLog.ini").Append("lost\r\n"));
}

namespace {

// Real document files, a pseudo-terminal with simulated signs, a clock the test sets.
struct TimingWorkerTest : ::testing::Test {
    TempDir dir;
    CVemtApp app;
    CSignSimulator sim;
    CSimulatorLine line {sim};
    std::atomic<std::time_t> now {LocalTime(2026, 12, 11, 7, 4, 50)};
    CTimingSendWorker::Clock clock = [this] { return now.load(); };
    std::string logPath;

    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 8;
        app.m_nColorCount = 2;
        app.m_szAddress = "9";
        logPath = dir / "data/Vemt/TimingSendErrorLog.ini";
        ASSERT_TRUE(line.Open());
    }
    void TearDown() override { ResetEditorState(); }

    // A document with one box, `height` dots tall, saved as name.
    std::string WriteDocument(const std::string& name, int height)
    {
        CVemtApp writer = app;
        CVemtDoc doc(&writer);
        doc.AddObj(new CDrawRect(CRect(2, 2, 60, 2 + height), 0x0000FF, 0x00FFFF, 1, 1));
        const auto bytes = CKvxFile::WriteKvx(doc, writer);
        const std::string path = dir / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    CComPortMap Ports() const
    {
        CComPortMap ports;
        ports.SetDevicePath(1, line.SlavePath());
        ports.SetDevicePath(2, line.SlavePath());
        return ports;
    }
};

// Decorates the real host: says what was asked, in order, and can act while a send
// is being prepared on the worker's thread.
struct WatchedHost : ITimingSendHost {
    ITimingSendHost& inner;
    std::vector<std::string> requests;
    std::function<void()> onPrepare;
    explicit WatchedHost(ITimingSendHost& h) : inner(h) {}
    bool LoadTimingFile(const std::string& path, IMessageSink& messages) override
    {
        requests.push_back("load " + fs::path(path).filename().string());
        return inner.LoadTimingFile(path, messages);
    }
    bool PrepareTimingSend(const std::string& address, CTimedSend& send, IMessageSink& messages) override
    {
        requests.push_back("prepare " + address);
        if (onPrepare) onPrepare();
        return inner.PrepareTimingSend(address, send, messages);
    }
    void TimingSendDone() override { requests.push_back("done"); }
};

} // namespace

TEST_F(TimingWorkerTest, EntriesOfTheSameMinuteGoOutInListOrderEachWithItsReport)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 5});
    std::vector<std::uint8_t> order;
    sim.m_fnOnMessage = [&order](std::uint8_t address, const CSimSignState&) { order.push_back(address); };
    ASSERT_TRUE(line.Start());
    const std::string morning = WriteDocument("morning.KVX", 10);
    const std::string lunch = WriteDocument("lunch.KVX", 25);
    app.m_nComPort = 2;
    CHeadlessTimingHost host(app, Ports());
    WatchedHost watched(host);
    CTimingSendWorker worker({{"5", "07:05", morning, 0}, {"3", "07:05", lunch, 0}, {"3", "07:06", morning, 0}},
                             watched, CTimingSendLog(logPath), clock);

    EXPECT_EQ(worker.CheckOnce(), 0) << "07:04 is nobody's time";
    EXPECT_FALSE(fs::exists(logPath));

    now = LocalTime(2026, 12, 11, 7, 5, 1);
    EXPECT_EQ(worker.CheckOnce(), 2);
    EXPECT_EQ(order, (std::vector<std::uint8_t> {5, 3}));
    EXPECT_EQ(watched.requests, (std::vector<std::string> {"load morning.KVX", "prepare 5", "done",
                                                           "load lunch.KVX", "prepare 3", "done"}));
    EXPECT_EQ(sim.State(5).PlaneBytes(), 64 * 16 / 8) << "the morning message is one screen";
    EXPECT_EQ(sim.State(3).PlaneBytes(), 2 * 64 * 16 / 8) << "the lunch message is two screens";
    EXPECT_EQ(ReadAll(logPath),
              kBar + "(Year/Month/Date Hour:Minute)2026/12/11 07:05 Sending file '" + morning + "'Successfully!\r\n" + kBar +
                  kBar + "(Year/Month/Date Hour:Minute)2026/12/11 07:05 Sending file '" + lunch + "'Successfully!\r\n" + kBar);

    // The same minute again: nothing is sent twice in one run.
    now = LocalTime(2026, 12, 11, 7, 5, 30);
    EXPECT_EQ(worker.CheckOnce(), 0);
    EXPECT_EQ(sim.State(5).m_nMessages, 1);
    EXPECT_EQ(worker.Entries()[0].m_nSent, 1);
    EXPECT_EQ(worker.Entries()[2].m_nSent, 0);
    // The address the user last chose is not disturbed by the entries' addresses.
    EXPECT_EQ(app.m_szAddress, "9");
}

TEST_F(TimingWorkerTest, FailuresGoToTheLogWithTheirTimeStamps)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    ASSERT_TRUE(line.Start());
    const std::string menu = WriteDocument("menu.KVX", 10);
    const std::string foreign = dir / "foreign.KVX";
    std::ofstream(foreign) << "not a sign message";
    const std::string missing = dir / "missing.KVX";
    app.m_nComPort = 1;
    CHeadlessTimingHost host(app, Ports());
    WatchedHost watched(host);
    CTimingSendWorker worker({{"3,4", "07:05", menu, 0}, {"3", "07:05", foreign, 0}, {"3", "07:05", missing, 0}},
                             watched, CTimingSendLog(logPath), clock);
    now = LocalTime(2026, 12, 11, 7, 5, 0);
    EXPECT_EQ(worker.CheckOnce(), 3);

    const std::string stamp = "(Year/Month/Date Hour:Minute)2026/12/11 07:05 ";
    EXPECT_EQ(ReadAll(logPath),
              kBar + "When sending file '" + menu + "' occur some errors as follow:\r\n" + stamp +
                  "Communication Error when sending control frame to 4# address!\r\n" + kBar +
                  kBar + "When sending file '" + foreign + "' occur some errors as follow:\r\n" + stamp +
                  "Sorry,the file be opened isn't created by this program!\r\n" + kBar +
                  kBar + "When sending file '" + missing + "' occur some errors as follow:\r\n" + stamp +
                  "Cannot open the file " + missing + " (No such file or directory).\r\n" + kBar);
    // A file that did not open is not sent: the sign keeps the message it has.
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(watched.requests, (std::vector<std::string> {"load menu.KVX", "prepare 3,4", "done",
                                                           "load foreign.KVX", "done", "load missing.KVX", "done"}));
}

TEST_F(TimingWorkerTest, PortHeldByAnotherProgramIsLoggedNotShown)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    CTtyTransport other;
    ASSERT_TRUE(other.Open(line.SlavePath()).m_bOk);
    const std::string menu = WriteDocument("menu.KVX", 10);
    app.m_nComPort = 1;
    CHeadlessTimingHost host(app, Ports());
    CTimingSendWorker worker({{"3", "07:05", menu, 0}}, host, CTimingSendLog(logPath), clock);
    now = LocalTime(2026, 12, 11, 7, 5, 0);
    EXPECT_EQ(worker.CheckOnce(), 1);
    EXPECT_NE(ReadAll(logPath).find("07:05 Sorry,You specified COM is using by another program.Please Close it and retry!\r\n"),
              std::string::npos);
    EXPECT_EQ(sim.State(3).m_nBytesSeen, 0);
}

TEST_F(TimingWorkerTest, StartingAgainSendsEntriesAlreadySent)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    app.m_listTimingSend = {{"3", "07:05", WriteDocument("menu.KVX", 10), 0}};
    app.m_nComPort = 1;
    CHeadlessTimingHost host(app, Ports());
    now = LocalTime(2026, 12, 11, 7, 5, 0);
    for (int run = 1; run <= 2; ++run) {
        // What starting timing does: every entry is due again.
        ResetSentFlags(app.m_listTimingSend);
        CTimingSendWorker worker(app.m_listTimingSend, host, CTimingSendLog(logPath), clock);
        EXPECT_EQ(worker.CheckOnce(), 1) << "run " << run;
        EXPECT_EQ(worker.CheckOnce(), 0) << "run " << run;
        app.m_listTimingSend = worker.Entries();
        EXPECT_EQ(app.m_listTimingSend[0].m_nSent, 1);
    }
    EXPECT_EQ(sim.State(3).m_nMessages, 2);
}

TEST_F(TimingWorkerTest, StopDuringASendEndsAfterItHasFinished)
{
    line.m_bPaced = true;  // the send takes a few seconds on a 19200 baud line
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    const std::string menu = WriteDocument("menu.KVX", 10);
    app.m_nComPort = 1;
    CHeadlessTimingHost host(app, Ports());
    WatchedHost watched(host);
    now = LocalTime(2026, 12, 11, 7, 5, 0);
    CTimingSendWorker worker({{"3", "07:05", menu, 0}}, watched, CTimingSendLog(logPath), clock);
    worker.SetCheckInterval(std::chrono::hours(1));  // only the stop can wake it
    std::promise<void> ended;
    worker.m_fnOnFinished = [&ended] { ended.set_value(); };
    // F12 arrives while the file is on its way to the line.
    watched.onPrepare = [&worker] { worker.RequestStop(); };
    worker.Start();
    ASSERT_EQ(ended.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);
    worker.Join();
    EXPECT_TRUE(worker.Finished());
    EXPECT_EQ(sim.State(3).m_nMessages, 1) << "the send in progress was finished";
    EXPECT_NE(ReadAll(logPath).find("Sending file '" + menu + "'Successfully!"), std::string::npos);
}

TEST_F(TimingWorkerTest, AWaitingWorkerStopsAtOnceAndLooksAtTheClockMeanwhile)
{
    CHeadlessTimingHost host(app, Ports());
    WatchedHost watched(host);
    CTimingSendWorker worker({{"3", "23:59", dir / "menu.KVX", 0}}, watched, CTimingSendLog(logPath), clock);
    std::promise<void> ended;
    worker.m_fnOnFinished = [&ended] { ended.set_value(); };
    worker.SetCheckInterval(std::chrono::hours(1));
    worker.Start();
    worker.RequestStop();
    ASSERT_EQ(ended.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    worker.Join();
    EXPECT_TRUE(watched.requests.empty());
    EXPECT_FALSE(fs::exists(logPath));
}
