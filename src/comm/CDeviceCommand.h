#pragma once
// The commands that send one frame to each sign: set the clock, switch the sign on or
// off, send the on/off timer table, show or stop showing the sign's own address. Each
// goes to every address of a list in order and stops at the first sign that does not
// take its frame, or sends one frame to address 0 when the list holds 0 (the two
// show-address commands always do). Used by the editor's menu commands and vemtctl.

#include "comm/CAddressList.h"
#include "comm/TIMERINFO.h"

#include <atomic>
#include <ctime>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CSerialLink;
class CVemtApp;
class IMessageSink;
class IProgressSink;

enum class EDeviceCommand { AdjustTime, OpenSign, CloseSign, Timer, ShowAddress, HideAddress };

// What the user sees of a command.
struct CDeviceCommandTexts {
    const char* m_szMenuText;
    const char* m_szPerAddress;  // printf format with the address; nullptr when always broadcast
    const char* m_szBroadcast;
    const char* m_szFailure;
    const char* m_szCaption;
    bool m_bAddressEditable;     // whether the address dialog lets the user change the list
    bool m_bAlwaysBroadcast;
};
const CDeviceCommandTexts& DeviceCommandTexts(EDeviceCommand command);

// What the frames carry besides the address.
struct CDeviceFrameData {
    int m_nClockX = 0;
    int m_nClockY = 0;
    bool m_bDisplaySecond = true;
    TimerTable m_aTimer {};
    // The time a clock frame carries, asked for as each frame is built; empty: the PC's
    // local time at that moment.
    std::function<std::tm()> m_fnLocalTime;

    static CDeviceFrameData From(const CVemtApp& app);
    std::tm LocalTime() const;
};

// The 1002-byte frame of command for address.
void BuildDeviceFrame(EDeviceCommand command, std::uint8_t address, const CDeviceFrameData& data,
                      std::uint8_t* frame);

struct CDeviceOutcome {
    struct CFrameResult {
        std::uint8_t m_byAddress = 0;
        int m_nResult = 0;  // SendFrame's result
    };
    bool m_bBroadcast = false;
    bool m_bCancelled = false;
    std::vector<CFrameResult> m_aResults;  // one per frame sent, in order
    // Every frame went through (and at least one was sent).
    bool AllDelivered() const;
};

class CDeviceCommand {
public:
    // beep, when given, sounds once for every frame the sign took. cancel, when given, is
    // looked at between frames.
    CDeviceCommand(EDeviceCommand command, const CDeviceFrameData& data, CSerialLink& link, IMessageSink& messages,
                   IProgressSink* progress = nullptr, std::function<void()> beep = {},
                   const std::atomic<bool>* cancel = nullptr);

    // Sends through port (opened for every frame, closed at the end) to the list, which
    // the show-address commands ignore. A failed frame is reported once with the
    // command's message and ends the command.
    CDeviceOutcome Run(const CAddressList& list, int port);

private:
    int SendOne(std::uint8_t address, int port);

    EDeviceCommand m_eCommand;
    const CDeviceFrameData& m_data;
    CSerialLink& m_link;
    IMessageSink& m_messages;
    IProgressSink* m_pProgress;
    std::function<void()> m_fnBeep;
    const std::atomic<bool>* m_pCancel;
};

// RunDeviceCommand results (the command line's exit status).
constexpr int kDeviceAllDelivered = 0;
constexpr int kDeviceSomeFailed = 1;
constexpr int kDeviceNothingSent = 2;  // refused before the line was used

// The whole command for the command line: the address string checked as the address
// dialog checks it (not for the show-address commands), the port probed, the frames
// sent through device.
int RunDeviceCommand(EDeviceCommand command, const CDeviceFrameData& data, const std::string& device,
                     const std::string& addresses, IMessageSink& messages, IProgressSink* progress = nullptr);
