// Device commands and the information query against simulated signs on a pseudo-terminal.

#include "CommTestSupport.h"

#include "comm/CComPortMap.h"
#include "comm/CDeviceCommand.h"
#include "comm/CSerialLink.h"
#include "comm/CSignInfoQuery.h"
#include "comm/CSimulatorLine.h"
#include "comm/CTtyTransport.h"
#include "comm/FrameProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct DeviceCommandTest : ::testing::Test {
    CSignSimulator sim;
    CSimulatorLine simLine {sim};
    CTtyTransport tty;
    CComPortMap ports;
    CMessageList messages;
    CProgressLog progress;
    CSerialLink link {tty, ports, &messages};
    CDeviceFrameData data;
    int beeps = 0;

    void SetUp() override
    {
        ASSERT_TRUE(simLine.Open());
        ports.SetDevicePath(2, simLine.SlavePath());
        link.m_nReplyTimeoutMs = 100;
    }
    void AddSigns(std::initializer_list<CSimSignConfig> signs)
    {
        for (const CSimSignConfig& s : signs) sim.AddSign(s);
        ASSERT_TRUE(simLine.Start());
    }
    CDeviceOutcome Run(EDeviceCommand command, const std::string& addresses)
    {
        CAddressList list;
        ParseAddressList(addresses, list);
        CDeviceCommand runner(command, data, link, messages, &progress, [this] { ++beeps; });
        return runner.Run(list, 2);
    }
    int FramesLogged() const
    {
        int n = 0;
        for (const std::string& line : sim.Log()) n += line.find(" frame, checksum") != std::string::npos;
        return n;
    }
};

// Sunday 5 May 2002 09:07:03.
std::tm InjectedClock()
{
    std::tm t {};
    t.tm_year = 2002 - 1900;
    t.tm_mon = 4;
    t.tm_mday = 5;
    t.tm_wday = 0;
    t.tm_hour = 9;
    t.tm_min = 7;
    t.tm_sec = 3;
    return t;
}

TEST_F(DeviceCommandTest, AFailureStopsTheListWithTheCommandsOwnMessage)
{
    const struct {
        EDeviceCommand command;
        const char* message;
        const char* caption;
    } cases[] = {
        {EDeviceCommand::AdjustTime, "Adjust time failed!", "Adjust Time"},
        {EDeviceCommand::OpenSign, "Open Lextrel failed!", "Open"},
        {EDeviceCommand::CloseSign, "Close Lextrel failed!", "Close"},
        {EDeviceCommand::Timer, "Sending timer infomation to Lextrel failed!", "Timer"},
    };
    AddSigns({{.m_byAddress = 1, .m_bSilent = true}, {.m_byAddress = 2}});
    for (const auto& c : cases) {
        messages.items.clear();
        beeps = 0;
        const CDeviceOutcome outcome = Run(c.command, "1,2");
        ASSERT_EQ(messages.items.size(), 1u) << c.message;
        EXPECT_EQ(messages.items[0].text, c.message);
        EXPECT_EQ(messages.items[0].caption, c.caption);
        EXPECT_FALSE(outcome.AllDelivered());
        ASSERT_EQ(outcome.m_aResults.size(), 1u);
        EXPECT_EQ(outcome.m_aResults[0].m_byAddress, 1);
        EXPECT_EQ(beeps, 0);
    }
    EXPECT_EQ(sim.State(2).m_nBytesSeen, 0) << "sign 2 is never contacted";
    EXPECT_FALSE(link.IsOpen()) << "the port is closed at the end";
}

TEST_F(DeviceCommandTest, ARefusedFrameIsAFailureWithoutRepeat)
{
    AddSigns({{.m_byAddress = 1, .m_nErrorReplies = 1}, {.m_byAddress = 2}});
    const CDeviceOutcome outcome = Run(EDeviceCommand::OpenSign, "1,2");
    ASSERT_EQ(outcome.m_aResults.size(), 1u);
    EXPECT_EQ(outcome.m_aResults[0].m_nResult, kFrameRefused);
    EXPECT_EQ(sim.State(1).m_nFramesRefused, 1);
    EXPECT_EQ(sim.State(1).m_nFramesAccepted, 0);
    EXPECT_EQ(messages.items.size(), 1u);
}

TEST_F(DeviceCommandTest, TheClockFrameCarriesTheTimeOfItsOwnSendAndThePosition)
{
    int asked = 0;
    data.m_fnLocalTime = [&] {
        std::tm t = InjectedClock();
        t.tm_sec += asked++;  // each frame asks again
        return t;
    };
    data.m_nClockX = 3;
    data.m_nClockY = 17;
    data.m_bDisplaySecond = false;
    AddSigns({{.m_byAddress = 1}, {.m_byAddress = 2}});
    const CDeviceOutcome outcome = Run(EDeviceCommand::AdjustTime, "1,2");
    EXPECT_TRUE(outcome.AllDelivered());
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(asked, 2);
    const std::array<std::uint8_t, 11> first = {0x20, 0x02, 0x05, 0x05, 0x00, 0x09, 0x07, 0x03, 3, 17, 1};
    EXPECT_EQ(sim.State(1).m_abyClock, first);
    std::array<std::uint8_t, 11> second = first;
    second[7] = 0x04;
    EXPECT_EQ(sim.State(2).m_abyClock, second);
    const std::vector<std::string> texts = {
        "Now is adjust the time and date of Moving-Sign to 1# address, Please waitting...",
        "Now is adjust the time and date of Moving-Sign to 2# address, Please waitting..."};
    EXPECT_EQ(progress.texts, texts);
    EXPECT_EQ(progress.high, 2);
}

TEST_F(DeviceCommandTest, AListHoldingZeroSendsOneBroadcastAndBeepsOnce)
{
    data.m_fnLocalTime = InjectedClock;
    AddSigns({{.m_byAddress = 1}, {.m_byAddress = 2}});
    const CDeviceOutcome outcome = Run(EDeviceCommand::AdjustTime, "3,0,4");
    EXPECT_TRUE(outcome.m_bBroadcast);
    ASSERT_EQ(outcome.m_aResults.size(), 1u);
    EXPECT_EQ(outcome.m_aResults[0].m_byAddress, 0);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(FramesLogged(), 1);
    EXPECT_EQ(sim.Log().back(), "broadcast clock frame, checksum ok");
    EXPECT_EQ(sim.State(1).m_abyClock[3], 0x05);
    EXPECT_EQ(sim.State(2).m_abyClock[3], 0x05);
    EXPECT_EQ(progress.texts,
              std::vector<std::string>{
                  "Now is adjust the time and date of Moving-Sign(broadcast sending), Please waitting..."});
    EXPECT_EQ(progress.high, 1);
}

TEST_F(DeviceCommandTest, ShowAddressAlwaysGoesToEverySign)
{
    AddSigns({{.m_byAddress = 1}, {.m_byAddress = 7}});
    for (const char* addresses : {"7", "1,7", "", "garbage"}) {
        progress.texts.clear();
        beeps = 0;
        const CDeviceOutcome outcome = Run(EDeviceCommand::ShowAddress, addresses);
        EXPECT_TRUE(outcome.m_bBroadcast) << addresses;
        EXPECT_EQ(beeps, 1);
        EXPECT_EQ(sim.Log().back(), "broadcast show address frame, checksum ok");
        EXPECT_EQ(progress.texts, std::vector<std::string>{
                                      "Now is let LED Lextrel to display itself address always, Please waitting..."});
    }
    EXPECT_TRUE(sim.State(1).m_bShowAddress);
    EXPECT_TRUE(sim.State(7).m_bShowAddress);
    Run(EDeviceCommand::HideAddress, "7");
    EXPECT_FALSE(sim.State(1).m_bShowAddress);
    EXPECT_FALSE(sim.State(7).m_bShowAddress);
    EXPECT_EQ(FramesLogged(), 5);
}

TEST_F(DeviceCommandTest, PowerAndTimerReachEachSign)
{
    data.m_aTimer[0] = {1, 0, 6, 2, 4, 8, 30};   // Sunday 08:30 show 2..4
    data.m_aTimer[1] = {1, 1, 7, 5, 9, 23, 59};  // every day 23:59 close
    AddSigns({{.m_byAddress = 4}, {.m_byAddress = 5}});
    EXPECT_TRUE(Run(EDeviceCommand::CloseSign, "4,5").AllDelivered());
    EXPECT_FALSE(sim.State(4).m_bPowerOn);
    EXPECT_FALSE(sim.State(5).m_bPowerOn);
    EXPECT_TRUE(Run(EDeviceCommand::OpenSign, "5").AllDelivered());
    EXPECT_TRUE(sim.State(5).m_bPowerOn);
    EXPECT_FALSE(sim.State(4).m_bPowerOn);
    EXPECT_TRUE(Run(EDeviceCommand::Timer, "4").AllDelivered());
    const auto& t = sim.State(4).m_abyTimer;
    const std::vector<std::uint8_t> first(t.begin(), t.begin() + 12);
    EXPECT_EQ(first, (std::vector<std::uint8_t>{1, 0, 0x08, 0x30, 2, 4, 1, 7, 0x23, 0x59, 0, 0}));
    EXPECT_EQ(beeps, 4);
    EXPECT_EQ(progress.texts.back(), "Now is sending timer infomation to Lextrel(4# address), Please waitting...");
}

TEST_F(DeviceCommandTest, TheCommandLineRunChecksAddressesAndThePort)
{
    AddSigns({{.m_byAddress = 1}, {.m_byAddress = 2, .m_bSilent = true}});
    EXPECT_EQ(RunDeviceCommand(EDeviceCommand::OpenSign, data, simLine.SlavePath(), "1", messages),
              kDeviceAllDelivered);
    EXPECT_EQ(RunDeviceCommand(EDeviceCommand::OpenSign, data, simLine.SlavePath(), "1,2", messages),
              kDeviceSomeFailed);
    messages.items.clear();
    EXPECT_EQ(RunDeviceCommand(EDeviceCommand::OpenSign, data, simLine.SlavePath(), "1,,2", messages),
              kDeviceNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "The address can't have two comma continuously,please re-enter!");
    EXPECT_EQ(RunDeviceCommand(EDeviceCommand::ShowAddress, data, simLine.SlavePath(), "1,,2", messages),
              kDeviceAllDelivered)
        << "the address string plays no part";

    CTtyTransport other;
    ASSERT_TRUE(other.Open(simLine.SlavePath()).m_bOk);
    messages.items.clear();
    const int framesBefore = FramesLogged();
    EXPECT_EQ(RunDeviceCommand(EDeviceCommand::CloseSign, data, simLine.SlavePath(), "1", messages),
              kDeviceNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].caption, "Please Confirm");
    EXPECT_EQ(FramesLogged(), framesBefore);
}

struct SignInfoQueryTest : DeviceCommandTest {
    std::vector<CSignInfoAnswer> Query(const std::string& addresses, std::vector<CSignInfoAnswer>* seen = nullptr)
    {
        CAddressList list;
        EXPECT_TRUE(ParseAddressList(addresses, list));
        CSignInfoQuery query(link, messages, [this] { ++beeps; },
                             [seen](const CSignInfoAnswer& a) { if (seen) seen->push_back(a); });
        return query.Run(list, 2);
    }
};

TEST_F(SignInfoQueryTest, EachKindOfAnswerGivesItsLinesAndLogLine)
{
    const std::string longField(60, 'x');
    AddSigns({
        {.m_byAddress = 1},
        {.m_byAddress = 2, .m_eInfoFault = EInfoFault::Short},
        {.m_byAddress = 3, .m_eInfoFault = EInfoFault::Corrupt},
        {.m_byAddress = 4, .m_info = {longField, "B2", "12M", "128K"}},
        {.m_byAddress = 5, .m_bSilent = true},
    });
    std::vector<CSignInfoAnswer> seen;
    const std::vector<CSignInfoAnswer> answers = Query("1,2,3,4,5,6", &seen);
    ASSERT_EQ(answers.size(), 6u) << "every failure is the sign's own";
    EXPECT_EQ(seen.size(), 6u);

    const struct {
        EQueryResult result;
        const char* log;
        const char* line1;
        const char* line2;
    } expected[] = {
        {EQueryResult::Ok,
         "1 address Moving-Sign's Version is 3.20,Memory size is 64K,Motherboard version is A1,Crystal Frequency is "
         "11.0592M",
         "Get 1# address Moving-Sign's information success", "1# address Moving-Sign's version is:3.20"},
        {EQueryResult::Short, "The number from 2# address Moving-Sign return is incorrect",
         "Get 2# address Moving-Sign's information error", "2# address Moving-Sign's version is:NONE"},
        {EQueryResult::BadFormat, "The format or the check sum from 3# address Moving-Sign return is incorrect",
         "Get 3# address Moving-Sign's information error", "3# address Moving-Sign's version is:NONE"},
        {EQueryResult::Ok, nullptr, "Get 4# address Moving-Sign's information success", nullptr},
        {EQueryResult::NoReply, "Occure an error when sending command to 5# address",
         "Get 5# address Moving-Sign's information error", "5# address Moving-Sign's version is:NONE"},
        {EQueryResult::NoReply, "Occure an error when sending command to 6# address",
         "Get 6# address Moving-Sign's information error", "6# address Moving-Sign's version is:NONE"},
    };
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const CSignInfoAnswer& a = answers[i];
        EXPECT_EQ(a.m_eResult, expected[i].result) << i;
        const CSignInfoLines lines = SignInfoLinesFor(a);
        EXPECT_EQ(lines[0], expected[i].line1);
        if (expected[i].log) {
            EXPECT_EQ(a.LogLine(), expected[i].log);
        }
        if (expected[i].line2) {
            EXPECT_EQ(lines[1], expected[i].line2);
        }
        if (a.m_eResult != EQueryResult::Ok) {
            for (int k = 1; k < 5; ++k) EXPECT_TRUE(lines[std::size_t(k)].ends_with(":NONE")) << lines[std::size_t(k)];
        }
    }
    const CSignInfoLines ok = SignInfoLinesFor(answers[0]);
    EXPECT_EQ(ok[2], "1# address Moving-Sign's memory size is:64K");
    EXPECT_EQ(ok[3], "1# address Moving-Sign's Motherboard version is:A1");
    EXPECT_EQ(ok[4], "1# address Moving-Sign's Crystal Frenquency is:11.0592M");

    // A field over 50 characters is cut to 50; the log line keeps to its 199 characters.
    EXPECT_EQ(answers[3].m_info.m_szVersion, std::string(50, 'x'));
    EXPECT_EQ(answers[3].m_info.m_szMotherboard, "B2");
    EXPECT_EQ(answers[3].m_info.m_szMemory, "128K");
    EXPECT_EQ(SignInfoLinesFor(answers[3])[1], "4# address Moving-Sign's version is:" + std::string(50, 'x'));
    EXPECT_LE(answers[3].LogLine().size(), 199u);
    EXPECT_TRUE(answers[3].LogLine().starts_with("4 address Moving-Sign's Version is " + std::string(50, 'x')));

    // Only the silent signs get a box, without caption.
    ASSERT_EQ(messages.items.size(), 2u);
    EXPECT_EQ(messages.items[0].text, "Occure an error when sending command to 5# address");
    EXPECT_EQ(messages.items[0].caption, "");
    // A beep for each sign that took the query, another for each unusable reply.
    EXPECT_EQ(beeps, 4 + 2);
    EXPECT_FALSE(link.IsOpen());

    const std::string log = JoinInfoLog(answers);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6);
    EXPECT_TRUE(log.ends_with("6# address\r\n"));
    EXPECT_EQ(log.find("The number from 2#"), log.find("\r\n", log.find("1 address")) + 2) << "list order";
}

TEST_F(SignInfoQueryTest, WaitingLinesNameTheFirstAddress)
{
    const CSignInfoLines lines = SignInfoLinesWaiting(12);
    EXPECT_EQ(lines[0], "Is connecting with 12# address Moving-Sign,Please waiting...");
    EXPECT_EQ(lines[1], "12# address Moving-Sign's version is:NONE");
    EXPECT_EQ(lines[4], "12# address Moving-Sign's Crystal Frenquency is:NONE");
}

}  // namespace
