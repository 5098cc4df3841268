#include "comm/TimingSchedule.h"

#include "comm/CommTexts.h"

#include <cstdio>

std::string FormatSendTime(int hour, int minute)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

std::string LocalSendTime(std::time_t when)
{
    std::tm local {};
    localtime_r(&when, &local);
    return FormatSendTime(local.tm_hour, local.tm_min);
}

std::string TimingSendListLine(const CTimingSendItem& item)
{
    // Paths and address strings have no fixed length, so the line is built to fit.
    const char* format = CommTexts::kTimingListLine;
    const int n = std::snprintf(nullptr, 0, format, item.m_szTime.c_str(), item.m_szFileName.c_str(),
                                item.m_szAddress.c_str());
    std::string line(std::size_t(n > 0 ? n : 0), '\0');
    std::snprintf(line.data(), line.size() + 1, format, item.m_szTime.c_str(), item.m_szFileName.c_str(),
                  item.m_szAddress.c_str());
    return line;
}

void ResetSentFlags(std::vector<CTimingSendItem>& entries)
{
    for (CTimingSendItem& item : entries) item.m_nSent = 0;
}
