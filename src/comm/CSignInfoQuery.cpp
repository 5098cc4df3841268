#include "comm/CSignInfoQuery.h"

#include "app/IMessageSink.h"
#include "comm/CComPortMap.h"
#include "comm/CDeviceCommand.h"
#include "comm/CSerialLink.h"
#include "comm/CDeviceTransport.h"
#include "comm/CommTexts.h"

#include <algorithm>
#include <cstdio>

namespace {

using namespace CommTexts;

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    // Four fields of 50 characters make the longest text, well inside the buffer.
    char text[512];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

}  // namespace

std::string CSignInfoAnswer::LogLine() const
{
    const int a = m_byAddress;
    std::string line;
    switch (m_eResult) {
    case EQueryResult::NoReply: line = Format(kInfoLogNoReply, a); break;
    case EQueryResult::Short: line = Format(kInfoLogShort, a); break;
    case EQueryResult::BadFormat: line = Format(kInfoLogBadFormat, a); break;
    case EQueryResult::Ok:
        line = Format(kInfoLogOk, a, m_info.m_szVersion.c_str(), m_info.m_szMemory.c_str(),
                      m_info.m_szMotherboard.c_str(), m_info.m_szCrystal.c_str());
        break;
    }
    // A log line has room for 199 characters; four long fields are cut, not overrun.
    if (line.size() > std::size_t(kInfoLogLineMaxChars)) line.resize(kInfoLogLineMaxChars);
    return line;
}

CSignInfoLines SignInfoLinesWaiting(int address)
{
    return {Format(kInfoConnecting, address), Format(kInfoVersion, address, kInfoNone),
            Format(kInfoMemory, address, kInfoNone), Format(kInfoMotherboard, address, kInfoNone),
            Format(kInfoCrystal, address, kInfoNone)};
}

CSignInfoLines SignInfoLinesFor(const CSignInfoAnswer& answer)
{
    const int a = answer.m_byAddress;
    if (answer.m_eResult != EQueryResult::Ok) {
        CSignInfoLines lines = SignInfoLinesWaiting(a);
        lines[0] = Format(kInfoResult, a, kInfoError);
        return lines;
    }
    const CSignInfo& info = answer.m_info;
    return {Format(kInfoResult, a, kInfoSuccess), Format(kInfoVersion, a, info.m_szVersion.c_str()),
            Format(kInfoMemory, a, info.m_szMemory.c_str()),
            Format(kInfoMotherboard, a, info.m_szMotherboard.c_str()),
            Format(kInfoCrystal, a, info.m_szCrystal.c_str())};
}

std::string JoinInfoLog(const std::vector<CSignInfoAnswer>& answers)
{
    std::string log;
    for (const CSignInfoAnswer& answer : answers) log += answer.LogLine() + "\r\n";
    return log;
}

CSignInfoQuery::CSignInfoQuery(CSerialLink& link, IMessageSink& messages, std::function<void()> beep,
                               std::function<void(const CSignInfoAnswer&)> answered)
    : m_link(link), m_messages(messages), m_fnBeep(std::move(beep)), m_fnAnswered(std::move(answered))
{
}

std::vector<CSignInfoAnswer> CSignInfoQuery::Run(const CAddressList& list, int port, const std::atomic<bool>* stop)
{
    std::vector<CSignInfoAnswer> answers;
    m_link.InitComPort(port, COM_OPEN);
    for (int i = 0; i < list.m_nAddressCount && !(stop && stop->load()); ++i) {
        CSignInfoAnswer answer;
        answer.m_byAddress = list.m_abyAddress[std::size_t(i)];
        answer.m_eResult = QuerySignInfo(m_link, answer.m_byAddress, answer.m_info, [this] {
            if (m_fnBeep) m_fnBeep();
        });
        if (answer.m_eResult == EQueryResult::NoReply)
            m_messages.ShowMessage(answer.LogLine(), "");
        else if (answer.m_eResult != EQueryResult::Ok && m_fnBeep)
            m_fnBeep();
        answers.push_back(answer);
        if (m_fnAnswered) m_fnAnswered(answer);
    }
    m_link.CloseComPort();
    return answers;
}

int RunSignInfoQuery(const std::string& device, const std::string& addresses, IMessageSink& messages,
                     std::vector<CSignInfoAnswer>& answers)
{
    answers.clear();
    const CAddressCheck check = CheckAddressString(addresses);
    if (!check.Ok()) {
        messages.ShowMessage(check.m_szMessage, check.m_szCaption);
        return kDeviceNothingSent;
    }
    CAddressList list;
    ParseAddressList(addresses, list);
    if (HasBroadcastAddress(list)) {
        messages.ShowMessage(kInfoNoBroadcast, kInfoNoBroadcastCaption);
        return kDeviceNothingSent;
    }
    CComPortMap ports;
    ports.SetDevicePath(1, device);
    CDeviceTransport tty;
    CSerialLink link(tty, ports, &messages);
    if (!link.ConfirmComPortUsable(1, messages)) return kDeviceNothingSent;
    answers = CSignInfoQuery(link, messages).Run(list, 1);
    const bool allOk = std::all_of(answers.begin(), answers.end(),
                                   [](const CSignInfoAnswer& a) { return a.m_eResult == EQueryResult::Ok; });
    return allOk ? kDeviceAllDelivered : kDeviceSomeFailed;
}
