#include "comm/CTimedMessageSink.h"

#include "comm/CommTexts.h"

#include <cstdio>

std::string CTimedMessageSink::TimeStamp(std::time_t when)
{
    std::tm local {};
    localtime_r(&when, &local);
    char text[96];
    std::snprintf(text, sizeof text, CommTexts::kTimedStamp, local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min);
    return text;
}

MessageAnswer CTimedMessageSink::ShowMessage(const std::string& text, const std::string&, MessageButtons,
                                             MessageIcon)
{
    const std::time_t now = m_fnClock ? m_fnClock() : std::time(nullptr);
    m_list.push_back(CSendErrorItem {TimeStamp(now) + text});
    return MessageAnswer::Ok;
}
