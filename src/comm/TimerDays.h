#pragma once
// The day list of a timer entry, by its day index.

#include <array>

inline constexpr std::array<const char*, 8> kTimerDayNames = {"Mon",    "Tues", "Wed", "Thurs",
                                                               "Friday", "Sat",  "Sun", "Everyday"};
