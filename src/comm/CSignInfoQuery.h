#pragma once
// The information query over an address list: each sign is asked for its firmware
// version, motherboard version, crystal frequency and memory size. Every failure is the
// sign's own; the run goes on with the next address. One log line per address.

#include "comm/CAddressList.h"
#include "comm/SignInfoReply.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CSerialLink;
class IMessageSink;

constexpr int kInfoLogLineMaxChars = 199;

// The answer of one sign.
struct CSignInfoAnswer {
    std::uint8_t m_byAddress = 0;
    EQueryResult m_eResult = EQueryResult::NoReply;
    CSignInfo m_info;
    // The result in words, at most kInfoLogLineMaxChars characters.
    std::string LogLine() const;
};

// The five lines of the information window: the state line and the four facts.
using CSignInfoLines = std::array<std::string, 5>;
// Before the first answer: connecting with address, every fact "NONE".
CSignInfoLines SignInfoLinesWaiting(int address);
// After an answer: "success" and the facts, or "error" and every fact "NONE".
CSignInfoLines SignInfoLinesFor(const CSignInfoAnswer& answer);

// The log lines of a run, in list order, each ending in carriage return and line feed.
std::string JoinInfoLog(const std::vector<CSignInfoAnswer>& answers);

class CSignInfoQuery {
public:
    // beep sounds when a sign takes the query and again when its reply is unusable.
    // answered is called after each address, on the thread that runs the query.
    CSignInfoQuery(CSerialLink& link, IMessageSink& messages, std::function<void()> beep = {},
                   std::function<void(const CSignInfoAnswer&)> answered = {});

    // Opens port, asks every address of the list in order and closes the port. A sign
    // that does not take the query is also reported through messages, without caption.
    // stop, when given, is looked at between addresses.
    std::vector<CSignInfoAnswer> Run(const CAddressList& list, int port, const std::atomic<bool>* stop = nullptr);

private:
    CSerialLink& m_link;
    IMessageSink& m_messages;
    std::function<void()> m_fnBeep;
    std::function<void(const CSignInfoAnswer&)> m_fnAnswered;
};

// The query for the command line: the address string checked as the address dialog
// checks it and refused when it holds 0, the port probed, every sign asked through
// device. kDeviceAllDelivered when every sign answered, kDeviceSomeFailed when one did
// not, kDeviceNothingSent when refused before the line was used (see CDeviceCommand.h).
int RunSignInfoQuery(const std::string& device, const std::string& addresses, IMessageSink& messages,
                     std::vector<CSignInfoAnswer>& answers);
