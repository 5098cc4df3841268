// The whole road of a send: drawn shapes, rendered canvas, planes, frames over a
// pseudo-terminal, and the pictures the simulated signs end up showing.

#include "CommTestSupport.h"
#include "SendPipelineSupport.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "comm/CSendFileCommand.h"
#include "comm/CSimulatorLine.h"
#include "comm/CTtyTransport.h"
#include "comm/CVirtualSign.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

TEST_F(SendPipeline, SilentSignInTheMiddleIsNamedAndTheOthersShowTheCanvas)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4, .m_bSilent = true});
    sim.AddSign({.m_byAddress = 5});
    ASSERT_TRUE(line.Start());
    CProgressLog progress;

    const int result = RunSendCommand(doc, app, line.SlavePath(), "3,4,5", messages, &progress);

    EXPECT_EQ(result, kSendSomeFailed);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text, "Communication Error when sending control frame to 4# address!");
    EXPECT_EQ(messages.items[0].caption, "Error-exit sending");
    const CRasterSurface expected = Canvas(32);
    EXPECT_GT(Count(expected, kRed), 0);
    EXPECT_GT(Count(expected, kGreen), 0);
    EXPECT_GT(Count(expected, kYellow), 0);
    ExpectShows(3, expected);
    ExpectShows(5, expected);
    EXPECT_EQ(sim.State(4).m_nBytesSeen, 0);
    EXPECT_EQ(app.ScreenInfoCount(), 2) << "the settings table follows the document's two screens";
    EXPECT_EQ(progress.texts.front(), "Now  is  sacnning  the  bitmap, Please waitting...");
    EXPECT_EQ(app.m_szAddress, "0") << "the command line leaves the stored address alone";
}

TEST_F(SendPipeline, SingleColourSignShowsYellowAsRedAndGreenDark)
{
    app.m_nColorCount = 1;
    sim.AddSign({.m_byAddress = 7});
    ASSERT_TRUE(line.Start());
    EXPECT_EQ(RunSendCommand(doc, app, line.SlavePath(), "7", messages), kSendAllDelivered);
    EXPECT_TRUE(messages.items.empty());
    const CRasterSurface expected = Canvas(32);
    EXPECT_EQ(Count(expected, kGreen) + Count(expected, kYellow), 0);
    ExpectShows(7, expected);
}

TEST_F(SendPipeline, BroadcastReachesEverySignAndCountsAsDelivered)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 9});
    ASSERT_TRUE(line.Start());
    EXPECT_EQ(RunSendCommand(doc, app, line.SlavePath(), "0,3", messages), kSendAllDelivered);
    const CRasterSurface expected = Canvas(32);
    ExpectShows(3, expected);
    ExpectShows(9, expected);
}

struct RefusalCase {
    const char* name;
    int width;
    bool emptyDocument;
    const char* addresses;
    const char* text;
    const char* caption;
};

const RefusalCase kRefusals[] = {
    {"two commas in a row", 48, false, "3,,5", "The address can't have two comma continuously,please re-enter!",
     "Address-error"},
    {"a blank in the list", 48, false, "3, 5", "Invalidate character.The character must be number or comma!", "Error"},
    {"an address above 255", 48, false, "256", "The address can't be larger than 255,please re-enter!",
     "Address error"},
    {"a width that is no whole number of bytes", 44, false, "3",
     "The width of Moving-Sign must be a multiple of 8 dots,so the message can't be sent!", "Error"},
    // Last: it empties the document.
    {"an empty document", 48, true, "3", "The edit area is empty,so can't process this operation!", "Warning"},
};

TEST_F(SendPipeline, RefusedBeforeAnythingGoesOnTheLine)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(c.name);
        messages.items.clear();
        app.m_nTPWidth = c.width;
        if (c.emptyDocument) doc.DeleteAllObjects();
        EXPECT_EQ(RunSendCommand(doc, app, line.SlavePath(), c.addresses, messages), kSendNothingSent);
        ASSERT_EQ(messages.items.size(), 1u);
        EXPECT_EQ(messages.items[0].text, c.text);
        EXPECT_EQ(messages.items[0].caption, c.caption);
        EXPECT_EQ(sim.State(3).m_nBytesSeen, 0);
    }
}

TEST_F(SendPipeline, PortHeldByAnotherProgramSendsNothing)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    CTtyTransport other;
    ASSERT_TRUE(other.Open(line.SlavePath()).m_bOk);
    EXPECT_EQ(RunSendCommand(doc, app, line.SlavePath(), "3", messages), kSendNothingSent);
    ASSERT_EQ(messages.items.size(), 1u);
    EXPECT_EQ(messages.items[0].text,
              "Sorry,You specified COM is using by another program.Please Close it and retry!");
    EXPECT_EQ(messages.items[0].caption, "Please Confirm");
    EXPECT_EQ(sim.State(3).m_nMessages, 0);
}

TEST_F(SendPipeline, CancelledBeforeTheStartSendsNothingAndIsNoError)
{
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    CPreparedSend prepared;
    ASSERT_TRUE(PrepareSend(doc, app, prepared, messages));
    CVemtApp sendApp = app;
    sendApp.m_szAddress = "3";
    sendApp.m_nComPort = 1;
    CComPortMap ports;
    ports.SetDevicePath(1, line.SlavePath());
    std::atomic<bool> cancel {true};
    const CSendOutcome outcome = ScanAndSend(prepared, sendApp, ports, messages, nullptr, &cancel);
    EXPECT_TRUE(outcome.m_bCancelled);
    EXPECT_FALSE(outcome.AllDelivered());
    EXPECT_TRUE(messages.items.empty()) << "a cancelled send is not an error";
    EXPECT_EQ(sim.State(3).m_nMessages, 0);
}

TEST(VirtualSign, NewUserGetsTheBuiltInSignOnComTwo)
{
    CMemoryProfile profile;
    EXPECT_EQ(LoadPortChoices(profile).DevicePath(2), CVirtualSign::kDeviceName);
    EXPECT_EQ(LoadPortChoices(profile).DevicePath(1), CComPortMap::kDefaultCom1);
    profile.WriteProfileString("SendOption", "Com2Device", "/dev/ttyUSB3");
    EXPECT_EQ(LoadPortChoices(profile).DevicePath(2), "/dev/ttyUSB3");
}

TEST(VirtualSign, TakesAMessageSentThroughItsChoiceAndTellsItsListeners)
{
    ResetEditorState();
    CVemtApp app;
    app.m_nTPWidth = 32;
    app.m_nTPHeight = 8;
    app.m_nTotalScreen = 2;
    CVemtDoc doc(&app);
    doc.AddObj(Shape(kShapeRectangle, {0, 0, 32, 8}, kYellow, 0, 1, kFillOutline));
    CVirtualSign sign;
    std::atomic<int> told {0};
    const int id = sign.AddListener([&told] { ++told; });
    EXPECT_FALSE(sign.IsRunning()) << "the line starts only when a send needs it";

    CComPortMap choices;
    choices.SetDevicePath(2, CVirtualSign::kDeviceName);
    const CComPortMap resolved = ResolvePortChoices(choices, sign);
    EXPECT_TRUE(sign.IsRunning());
    EXPECT_EQ(resolved.DevicePath(1), CComPortMap::kDefaultCom1);
    ASSERT_NE(resolved.DevicePath(2), CVirtualSign::kDeviceName);

    CMessageList messages;
    EXPECT_EQ(RunSendCommand(doc, app, resolved.DevicePath(2), "1", messages), kSendAllDelivered);
    EXPECT_TRUE(messages.items.empty());
    const CSimSignState st = sign.State();
    EXPECT_EQ(st.m_nMessages, 1);
    EXPECT_EQ(Count(CSignSimulator::DecodeScreens(st), kYellow), 2 * 32 + 2 * 6);
    EXPECT_EQ(told.load(), 1);
    sign.RemoveListener(id);
}
