#pragma once
// What a sign plays after a send, read back from what it received: the per-screen
// settings of its control frame and the screens of its planes, ready for the preview
// player, so that the built-in sign can show its programme running.

#include "programme/SCREENINFO.h"

#include <cstdint>
#include <memory>
#include <vector>

class CPreviewPlayer;
struct CSimSignState;

// The records of a control frame, one per screen it announces. The sign's speed byte
// goes back to the speed code it came from (0, 2, 4, 7 -> 0, 1, 2, 3); another byte
// takes the nearest of those. Pause time and cartoon are the single bytes sent.
std::vector<SCREENINFO> ScreenSettingsOfControlFrame(const std::vector<std::uint8_t>& control);

// nullptr while the sign holds no complete message.
std::unique_ptr<CPreviewPlayer> MakeSignPlayer(const CSimSignState& state);
