#include "comm/FrameProtocol.h"

#include "app/CVemtApp.h"
#include "comm/CSerialLink.h"

#include <algorithm>
#include <cstring>

std::uint8_t ToBCD(int value)
{
    if (value < 10) return std::uint8_t(value);
    return std::uint8_t(((value / 10) << 4) | (value % 10));
}

std::uint8_t FrameChecksum(const std::uint8_t* frame)
{
    unsigned sum = 0;
    for (int i = 1; i <= 1000; ++i) sum += frame[i];
    return std::uint8_t(sum & 0xFFu);
}

void SetFrameChecksum(std::uint8_t* frame)
{
    frame[1001] = FrameChecksum(frame);
}

std::uint8_t TranslateSpeed(std::uint8_t bySpeed)
{
    switch (bySpeed) {
    case 0: return 0;
    case 2: return 4;
    case 3: return 7;
    default: return 2;
    }
}

bool BuildControlFrame(std::uint8_t* frame, int screens, std::uint8_t address, const CVemtApp& app,
                       const std::vector<SCREENINFO>& screenInfo)
{
    std::memset(frame, 0, kFrameSize);
    if (screens < 0 || screens > kMaxControlScreens) return false;
    frame[0] = address;
    frame[1] = CMD_CONTROL;
    frame[2] = std::uint8_t(screens);
    frame[5] = std::uint8_t(screens - 1);
    frame[6] = std::uint8_t(app.m_nTPWidth / 8);
    frame[7] = std::uint8_t(app.m_nTPHeight / 8);
    frame[8] = std::uint8_t(app.m_nColorCount == 1 || app.m_nColorCount == 2 ? app.m_nColorCount : 0);
    frame[9] = std::uint8_t(app.m_nMaxScreen);
    frame[10] = std::uint8_t(app.m_nNeedKVX);
    for (int i = 0; i < screens; ++i) {
        const SCREENINFO info = std::size_t(i) < screenInfo.size() ? screenInfo[std::size_t(i)] : SCREENINFO {};
        std::uint8_t* rec = frame + kScreenRecordOffset + 6 * i;
        rec[0] = info.byImport;
        rec[1] = info.byExport;
        rec[2] = std::uint8_t(info.nPauseSec);
        rec[3] = TranslateSpeed(info.bySpeed);
        rec[4] = info.byAppend;
        rec[5] = std::uint8_t(info.nCartoon);
    }
    SetFrameChecksum(frame);
    return true;
}

int DataFrameCount(int planeBytes)
{
    if (planeBytes <= 0) return 0;
    const int f = (planeBytes + kPlaneBytesPerFrame - 1) / kPlaneBytesPerFrame;
    return f == 1 ? 2 : f;
}

void SetDataFrameHead(std::uint8_t* frame, int index, int count, std::uint8_t address, bool green)
{
    std::memset(frame, 0, kPlaneDataOffset);
    frame[0] = address;
    if (index == 0) frame[1] = green ? CMD_GREEN_FIRST : CMD_RED_FIRST;
    else if (index == count - 1) frame[1] = green ? CMD_GREEN_LAST : CMD_RED_LAST;
    else frame[1] = green ? CMD_GREEN_NEXT : CMD_RED_NEXT;
}

void BuildDataFrame(std::uint8_t* frame, int index, int count, std::uint8_t address, bool green,
                    const std::uint8_t* plane, int planeBytes)
{
    std::memset(frame, 0, kFrameSize);
    SetDataFrameHead(frame, index, count, address, green);
    const int start = index * kPlaneBytesPerFrame;
    const int n = std::clamp(planeBytes - start, 0, kPlaneBytesPerFrame);
    if (n > 0) std::memcpy(frame + kPlaneDataOffset, plane + start, std::size_t(n));
    SetFrameChecksum(frame);
}

void BuildClockFrame(std::uint8_t* frame, std::uint8_t address, const std::tm& t, int clockX, int clockY,
                     bool displaySecond)
{
    std::memset(frame, 0, kFrameSize);
    const int year = t.tm_year + 1900;
    frame[0] = address;
    frame[1] = CMD_CLOCK;
    frame[2] = ToBCD(year / 100);
    frame[3] = ToBCD(year % 100);
    frame[4] = ToBCD(t.tm_mon + 1);
    frame[5] = ToBCD(t.tm_mday);
    frame[6] = ToBCD(t.tm_wday);
    frame[7] = ToBCD(t.tm_hour);
    frame[8] = ToBCD(t.tm_min);
    frame[9] = ToBCD(t.tm_sec);
    frame[10] = std::uint8_t(clockX);
    frame[11] = std::uint8_t(clockY);
    frame[12] = displaySecond ? 0 : 1;
    SetFrameChecksum(frame);
}

void BuildPowerFrame(std::uint8_t* frame, std::uint8_t address, bool open)
{
    std::memset(frame, 0, kFrameSize);
    frame[0] = address;
    frame[1] = CMD_POWER;
    frame[2] = open ? 1 : 0;
    SetFrameChecksum(frame);
}

void BuildShowAddressFrame(std::uint8_t* frame, bool show)
{
    std::memset(frame, 0, kFrameSize);
    frame[0] = 0;
    frame[1] = CMD_SHOW_ADDRESS;
    frame[2] = show ? 1 : 0;
    SetFrameChecksum(frame);
}

std::uint8_t TimerDayCode(std::uint8_t byDay)
{
    if (byDay <= 5) return std::uint8_t(byDay + 1);  // "Mon" .. "Sat"
    if (byDay == 6) return 0;                         // "Sun"
    return 7;                                         // "Everyday"
}

void BuildTimerFrame(std::uint8_t* frame, std::uint8_t address, const TimerTable& timers)
{
    std::memset(frame, 0, kFrameSize);
    frame[0] = address;
    frame[1] = CMD_TIMER;
    for (std::size_t k = 0; k < timers.size(); ++k) {
        const TIMERINFO& t = timers[k];
        std::uint8_t* e = frame + 2 + 6 * k;
        e[0] = t.byEnabled ? 1 : 0;
        e[1] = TimerDayCode(t.byDay);
        e[2] = ToBCD(t.byHour);
        e[3] = ToBCD(t.byMinute);
        e[4] = t.byClose ? 0 : t.byFirstScreen;
        e[5] = t.byClose ? 0 : t.byLastScreen;
    }
    SetFrameChecksum(frame);
}

void BuildQueryFrame(std::uint8_t* frame, std::uint8_t address)
{
    frame[0] = address;
    frame[1] = CMD_QUERY;
    frame[2] = 3;
    frame[3] = 1;
    frame[4] = std::uint8_t(frame[1] + frame[2] + frame[3]);
}

int SendFrame(CSerialLink& link, const std::uint8_t* frame, int length)
{
    if (length < 2 || !link.IsOpen()) return kFrameNoReply;
    const bool broadcast = frame[0] == 0;
    // The quiet time before the address byte tells the signs that a frame starts.
    link.BusyWait(link.m_nAddressGapMs);
    // Whatever is still queued belongs to an earlier exchange (a late 'K', noise); left
    // there it could pass for this frame's answer.
    link.DiscardInput();
    if (!link.InitComPort(0, COM_ADDRESS) || !link.WriteCom(frame, 1)) return kFrameNoReply;
    if (!broadcast) {
        if (!link.WaitForByte(ACK_READY, link.ReplyWaitMs(2)))
            return kFrameNoReply;
    } else {
        link.BusyWait(link.m_nBroadcastReadyMs);
    }
    if (!link.InitComPort(0, COM_DATA) || !link.WriteCom(frame + 1, length - 1)) return kFrameNoReply;
    if (broadcast) {
        // Nobody answers a broadcast; the pause lets every sign take the frame in.
        link.Drain();
        link.BusyWait(link.m_nBroadcastSettleMs);
        return kFrameDelivered;
    }
    switch (link.WaitForAck(link.ReplyWaitMs(length + 1))) {
    case kWaitOk: return kFrameDelivered;
    case kWaitError: return kFrameRefused;
    default: return kFrameNoReply;
    }
}
