#pragma once
// One entry of the sign's weekly on/off timer: seven bytes, sent and stored as they are.

#include <array>
#include <cstdint>

struct TIMERINFO {
    std::uint8_t byEnabled = 0;     // 1 = entry active
    std::uint8_t byClose = 0;       // 1 = switch the sign off at this time, 0 = show screens
    std::uint8_t byDay = 0;         // 0 "Mon" .. 6 "Sun", 7 "Everyday"
    std::uint8_t byFirstScreen = 1; // from 1
    std::uint8_t byLastScreen = 1;
    std::uint8_t byHour = 0;
    std::uint8_t byMinute = 0;
};
static_assert(sizeof(TIMERINFO) == 7, "TIMERINFO is a 7-byte record");

using TimerTable = std::array<TIMERINFO, 8>;
