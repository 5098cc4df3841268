#pragma once
// The on/off timer table as it stands at the end of a document file: the eight 7-byte
// records in table order, each record's bytes in field order.

#include "comm/TIMERINFO.h"

#include <cstddef>
#include <cstdint>

constexpr std::size_t TIMER_TABLE_BYTES = 8 * sizeof(TIMERINFO);
static_assert(TIMER_TABLE_BYTES == 56, "the document file holds 56 timer bytes");

// out receives TIMER_TABLE_BYTES bytes.
void WriteTimerTableBytes(const TimerTable& table, std::uint8_t* out);
// in holds TIMER_TABLE_BYTES bytes; every byte is taken as stored.
TimerTable ReadTimerTableBytes(const std::uint8_t* in);

// True when every record holds the start values 0, 0, 0, 1, 1, 0, 0.
bool IsDefaultTimerTable(const TimerTable& table);
