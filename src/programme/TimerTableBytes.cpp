#include "programme/TimerTableBytes.h"

void WriteTimerTableBytes(const TimerTable& table, std::uint8_t* out)
{
    for (const TIMERINFO& t : table) {
        *out++ = t.byEnabled;
        *out++ = t.byClose;
        *out++ = t.byDay;
        *out++ = t.byFirstScreen;
        *out++ = t.byLastScreen;
        *out++ = t.byHour;
        *out++ = t.byMinute;
    }
}

TimerTable ReadTimerTableBytes(const std::uint8_t* in)
{
    TimerTable table;
    for (TIMERINFO& t : table) {
        t.byEnabled = *in++;
        t.byClose = *in++;
        t.byDay = *in++;
        t.byFirstScreen = *in++;
        t.byLastScreen = *in++;
        t.byHour = *in++;
        t.byMinute = *in++;
    }
    return table;
}

bool IsDefaultTimerTable(const TimerTable& table)
{
    for (const TIMERINFO& t : table) {
        if (t.byEnabled != 0 || t.byClose != 0 || t.byDay != 0 || t.byFirstScreen != 1 ||
            t.byLastScreen != 1 || t.byHour != 0 || t.byMinute != 0)
            return false;
    }
    return true;
}
