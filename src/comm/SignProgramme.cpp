#include "comm/SignProgramme.h"

#include "comm/CSignSimulator.h"
#include "comm/FrameProtocol.h"
#include "programme/CPreviewPlayer.h"

namespace {

std::uint8_t SpeedCodeOf(std::uint8_t signSpeed)
{
    if (signSpeed <= 1) return 0;
    if (signSpeed <= 3) return 1;
    if (signSpeed <= 5) return 2;
    return 3;
}

}  // namespace

std::vector<SCREENINFO> ScreenSettingsOfControlFrame(const std::vector<std::uint8_t>& control)
{
    std::vector<SCREENINFO> records;
    if (control.size() < std::size_t(kFrameSize)) return records;
    const int screens = std::min<int>(control[2], kMaxControlScreens);
    for (int i = 0; i < screens; ++i) {
        const std::uint8_t* rec = control.data() + kScreenRecordOffset + 6 * i;
        SCREENINFO info;
        info.byImport = rec[0];
        info.byExport = rec[1];
        info.nPauseSec = rec[2];
        info.bySpeed = SpeedCodeOf(rec[3]);
        info.byAppend = rec[4];
        info.nCartoon = rec[5];
        records.push_back(info);
    }
    return records;
}

std::unique_ptr<CPreviewPlayer> MakeSignPlayer(const CSimSignState& state)
{
    if (state.m_nMessages == 0 || state.Width() <= 0 || state.ScreenHeight() <= 0) return nullptr;
    return std::make_unique<CPreviewPlayer>(CSignSimulator::DecodeScreens(state), state.Width(),
                                            state.ScreenHeight(), state.ColorCount() == 2 ? 2 : 1,
                                            ScreenSettingsOfControlFrame(state.m_aControl));
}
