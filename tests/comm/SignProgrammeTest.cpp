// The built-in sign's programme read back from what it received.
#include "app/CVemtApp.h"
#include "comm/CSignSimulator.h"
#include "comm/FrameProtocol.h"
#include "comm/SignProgramme.h"
#include "programme/CPreviewPlayer.h"

#include <gtest/gtest.h>

namespace {

SCREENINFO Record(int import, int exportCode, int speed, int append, int pause, int cartoon)
{
    SCREENINFO r;
    r.byImport = std::uint8_t(import);
    r.byExport = std::uint8_t(exportCode);
    r.bySpeed = std::uint8_t(speed);
    r.byAppend = std::uint8_t(append);
    r.nPauseSec = pause;
    r.nCartoon = cartoon;
    return r;
}

std::vector<std::uint8_t> ControlFrame(const CVemtApp& app, const std::vector<SCREENINFO>& table)
{
    std::vector<std::uint8_t> frame(kFrameSize);
    EXPECT_TRUE(BuildControlFrame(frame.data(), int(table.size()), 1, app, table));
    return frame;
}

} // namespace

TEST(SignProgramme, SettingsComeBackFromTheControlFrame)
{
    CVemtApp app;
    app.m_nTPWidth = 16;
    app.m_nTPHeight = 8;
    const std::vector<SCREENINFO> table = {
        Record(15, 9, 0, APPEND_PAUSE | APPEND_FLICKER, 25, 0),
        Record(4, 13, 1, APPEND_CARTOON, 10, 3),
        Record(0, 5, 2, APPEND_TIME | APPEND_QUIESCENCE, 0, 0),
        Record(13, 2, 3, APPEND_CONTINUUM, 99, 4),
    };
    const auto back = ScreenSettingsOfControlFrame(ControlFrame(app, table));
    ASSERT_EQ(back.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i].byImport, table[i].byImport);
        EXPECT_EQ(back[i].byExport, table[i].byExport);
        EXPECT_EQ(back[i].bySpeed, table[i].bySpeed);
        EXPECT_EQ(back[i].byAppend, table[i].byAppend);
        EXPECT_EQ(back[i].nPauseSec, table[i].nPauseSec);
        EXPECT_EQ(back[i].nCartoon, table[i].nCartoon);
    }
    // A sign speed byte no code sends takes the nearest code.
    auto frame = ControlFrame(app, {Record(0, 0, 0, 0, 10, 0)});
    struct Case { std::uint8_t sign; int code; };
    for (Case c : {Case {1, 0}, Case {3, 1}, Case {5, 2}, Case {6, 3}, Case {200, 3}}) {
        frame[kScreenRecordOffset + 3] = c.sign;
        EXPECT_EQ(ScreenSettingsOfControlFrame(frame).at(0).bySpeed, c.code) << int(c.sign);
    }
    EXPECT_TRUE(ScreenSettingsOfControlFrame({}).empty());
}

TEST(SignProgramme, PlaysTheReceivedScreensLikeThePreview)
{
    CVemtApp app;
    app.m_nTPWidth = 16;
    app.m_nTPHeight = 8;
    app.m_nColorCount = 2;
    CSimSignState state;
    EXPECT_EQ(MakeSignPlayer(state), nullptr) << "nothing received yet";

    const std::vector<SCREENINFO> table = {Record(5, 6, 1, 0, 10, 0), Record(9, 0, 0, APPEND_FLICKER, 10, 0)};
    state.m_aControl = ControlFrame(app, table);
    state.m_aRed.assign(2 * 8 * 2, 0);
    state.m_aGreen.assign(2 * 8 * 2, 0);
    state.m_aRed[0] = 0xF0;    // screen 1, row 0: four red dots, the first two yellow
    state.m_aGreen[0] = 0xC0;
    state.m_aGreen[16 + 3] = 0x0F;  // screen 2, row 1, right half: green
    state.m_nMessages = 1;

    auto fromSign = MakeSignPlayer(state);
    ASSERT_NE(fromSign, nullptr);
    EXPECT_EQ(fromSign->ScreenCount(), 2);
    CPreviewPlayer direct(CSignSimulator::DecodeScreens(state), 16, 8, 2, table);
    CPreviewFrame a, b;
    for (int i = 0; i < 120; ++i) {
        ASSERT_TRUE(fromSign->Next(a));
        ASSERT_TRUE(direct.Next(b));
        ASSERT_EQ(a.m_nWaitMs, b.m_nWaitMs) << i;
        ASSERT_EQ(a.m_pPicture->Pixels(), b.m_pPicture->Pixels()) << i;
    }
    // The first screen opens from the left at the "Fast " speed: the leftmost column first.
    CPreviewPlayer again(CSignSimulator::DecodeScreens(state), 16, 8, 2, table);
    ASSERT_TRUE(again.Next(a));
    EXPECT_EQ(a.m_nWaitMs, 50);
    EXPECT_EQ(a.m_pPicture->GetPixel(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(a.m_pPicture->GetPixel(2, 0), 0u);
}
