#pragma once
// Frames on the wire to the signs. A standard frame is 1002 bytes: address (sent with
// the ninth bit set), command, 999 body bytes, and a checksum of bytes 1..1000. The
// query frame is 5 bytes. Every builder clears the frame, fills its fields and puts the
// checksum last.

#include "comm/TIMERINFO.h"
#include "programme/SCREENINFO.h"

#include <cstdint>
#include <ctime>
#include <vector>

class CSerialLink;
class CVemtApp;

constexpr int kFrameSize = 1002;
constexpr int kQueryFrameSize = 5;
constexpr int kPlaneBytesPerFrame = 990;
constexpr int kPlaneDataOffset = 11;
constexpr int kScreenRecordOffset = 11;
// Six bytes a screen from offset 11 must end before the checksum at 1001.
constexpr int kMaxControlScreens = (kFrameSize - 1 - kScreenRecordOffset) / 6;

constexpr std::uint8_t CMD_CONTROL = 0x5F;
constexpr std::uint8_t CMD_RED_FIRST = 0x7F;
constexpr std::uint8_t CMD_RED_NEXT = 0x7E;
constexpr std::uint8_t CMD_RED_LAST = 0x7D;
constexpr std::uint8_t CMD_GREEN_FIRST = 0x6F;
constexpr std::uint8_t CMD_GREEN_NEXT = 0x6E;
constexpr std::uint8_t CMD_GREEN_LAST = 0x6D;
constexpr std::uint8_t CMD_CLOCK = 0x4F;
constexpr std::uint8_t CMD_POWER = 0x2F;
constexpr std::uint8_t CMD_SHOW_ADDRESS = 0x3F;
constexpr std::uint8_t CMD_TIMER = 0x1F;
constexpr std::uint8_t CMD_QUERY = 0x3D;

constexpr std::uint8_t ACK_READY = 'K';
constexpr std::uint8_t ACK_OK = 'Y';
constexpr std::uint8_t ACK_ERROR = 'E';

// SendFrame results.
constexpr int kFrameDelivered = 1;
constexpr int kFrameNoReply = 0;
constexpr int kFrameRefused = -1;

// Wire length of a frame that starts with this command byte.
inline int FrameLengthForCommand(std::uint8_t command)
{
    return command == CMD_QUERY ? kQueryFrameSize : kFrameSize;
}

// 0..99 as two decimal digits in the two nibbles: 45 -> 0x45.
std::uint8_t ToBCD(int value);

// Sum of bytes 1..1000 modulo 256.
std::uint8_t FrameChecksum(const std::uint8_t* frame);
void SetFrameChecksum(std::uint8_t* frame);

// The sign's speed byte for a stored speed code: 0 -> 0, 2 -> 4, 3 -> 7, others -> 2.
std::uint8_t TranslateSpeed(std::uint8_t bySpeed);

// Control frame for S screens with the sign geometry of app and the first S records of
// screenInfo (a table already brought to the document's screen count; a missing record
// is sent with default settings). False when S does not fit in one frame.
bool BuildControlFrame(std::uint8_t* frame, int screens, std::uint8_t address, const CVemtApp& app,
                       const std::vector<SCREENINFO>& screenInfo);

// Data frames per plane of B bytes: B / 990 rounded up, never 1 (a lone frame gets a
// zero-filled last frame after it), 0 for an empty plane.
int DataFrameCount(int planeBytes);
// Offsets 0..10 of data frame index of count.
void SetDataFrameHead(std::uint8_t* frame, int index, int count, std::uint8_t address, bool green);
// A whole data frame: head, plane bytes 990*index.. (zero past planeBytes), checksum.
void BuildDataFrame(std::uint8_t* frame, int index, int count, std::uint8_t address, bool green,
                    const std::uint8_t* plane, int planeBytes);

void BuildClockFrame(std::uint8_t* frame, std::uint8_t address, const std::tm& localTime, int clockX, int clockY,
                     bool displaySecond);
void BuildPowerFrame(std::uint8_t* frame, std::uint8_t address, bool open);
// Always to every sign (address 0).
void BuildShowAddressFrame(std::uint8_t* frame, bool show);
void BuildTimerFrame(std::uint8_t* frame, std::uint8_t address, const TimerTable& timers);
// Day code on the wire for a timer's day index (0 "Mon" .. 6 "Sun", 7 "Everyday").
std::uint8_t TimerDayCode(std::uint8_t byDay);
void BuildQueryFrame(std::uint8_t* frame, std::uint8_t address);

// One frame exchange on an open port: address byte with mark parity, 'K' from the sign
// (not for broadcast), the rest with space parity, then 'Y' or 'E' (not for broadcast).
// Returns kFrameDelivered, kFrameNoReply or kFrameRefused.
int SendFrame(CSerialLink& link, const std::uint8_t* frame, int length);
