#pragma once
// While timed sending runs nobody watches the screen: every message becomes a line of
// the send-error list, stamped with the local time, and the log file gets it later.

#include "app/CSendErrorItem.h"
#include "app/IMessageSink.h"

#include <ctime>
#include <functional>
#include <vector>

class CTimedMessageSink : public IMessageSink {
public:
    using Clock = std::function<std::time_t()>;
    explicit CTimedMessageSink(std::vector<CSendErrorItem>& list, Clock clock = nullptr)
        : m_list(list), m_fnClock(std::move(clock)) {}
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageButtons buttons = MessageButtons::Ok,
                              MessageIcon icon = MessageIcon::None) override;

    static std::string TimeStamp(std::time_t when);

private:
    std::vector<CSendErrorItem>& m_list;
    Clock m_fnClock;
};
