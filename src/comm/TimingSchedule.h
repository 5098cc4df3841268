#pragma once
// The timed-send list as the user sees it: times of day, list lines, the clock reading
// an entry is compared with.

#include "app/CTimingSendItem.h"

#include <ctime>
#include <string>
#include <vector>

// "07:05" for hour 7 and minute 5.
std::string FormatSendTime(int hour, int minute);

// The local time of `when` in the same form, which a due entry's time equals.
std::string LocalSendTime(std::time_t when);

// "'07:05' send file '/signs/menu.KVX' to '3,4' Moving-Sign".
std::string TimingSendListLine(const CTimingSendItem& item);

// A new run sends every entry again when its time comes.
void ResetSentFlags(std::vector<CTimingSendItem>& entries);
