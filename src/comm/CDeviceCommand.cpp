#include "comm/CDeviceCommand.h"

#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "comm/CComPortMap.h"
#include "comm/CSerialLink.h"
#include "comm/CDeviceTransport.h"
#include "comm/CommTexts.h"
#include "comm/FrameProtocol.h"
#include "comm/IProgressSink.h"

#include <algorithm>
#include <cstdio>

namespace {

using namespace CommTexts;

const CDeviceCommandTexts kTexts[] = {
    {"Adjust Time", kClockAddress, kClockBroadcast, kClockFailed, kClockCaption, true, false},
    {"Open Lextrel", kOpenAddress, kOpenBroadcast, kOpenFailed, kOpenCaption, true, false},
    {"Close Lextrel", kCloseAddress, kCloseBroadcast, kCloseFailed, kCloseCaption, true, false},
    {"Timer", kTimerAddress, kTimerBroadcast, kTimerFailed, kTimerCaption, true, false},
    {"Display Lextrel Address", nullptr, kShowAddressBroadcast, kShowAddressFailed, kShowAddressCaption, false,
     true},
    {"Close display Lextrel Address", nullptr, kHideAddressBroadcast, kHideAddressFailed, kHideAddressCaption,
     false, true},
};

}  // namespace

const CDeviceCommandTexts& DeviceCommandTexts(EDeviceCommand command)
{
    return kTexts[static_cast<int>(command)];
}

CDeviceFrameData CDeviceFrameData::From(const CVemtApp& app)
{
    CDeviceFrameData data;
    data.m_nClockX = app.m_nClockX;
    data.m_nClockY = app.m_nClockY;
    data.m_bDisplaySecond = app.m_bDisplaySecond != 0;
    data.m_aTimer = app.m_aTimer;
    return data;
}

std::tm CDeviceFrameData::LocalTime() const
{
    if (m_fnLocalTime) return m_fnLocalTime();
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    return local;
}

void BuildDeviceFrame(EDeviceCommand command, std::uint8_t address, const CDeviceFrameData& data,
                      std::uint8_t* frame)
{
    switch (command) {
    case EDeviceCommand::AdjustTime:
        BuildClockFrame(frame, address, data.LocalTime(), data.m_nClockX, data.m_nClockY, data.m_bDisplaySecond);
        break;
    case EDeviceCommand::OpenSign: BuildPowerFrame(frame, address, true); break;
    case EDeviceCommand::CloseSign: BuildPowerFrame(frame, address, false); break;
    case EDeviceCommand::Timer: BuildTimerFrame(frame, address, data.m_aTimer); break;
    case EDeviceCommand::ShowAddress: BuildShowAddressFrame(frame, true); break;
    case EDeviceCommand::HideAddress: BuildShowAddressFrame(frame, false); break;
    }
}

bool CDeviceOutcome::AllDelivered() const
{
    return !m_bCancelled && !m_aResults.empty() &&
           std::all_of(m_aResults.begin(), m_aResults.end(),
                       [](const CFrameResult& r) { return r.m_nResult == kFrameDelivered; });
}

CDeviceCommand::CDeviceCommand(EDeviceCommand command, const CDeviceFrameData& data, CSerialLink& link,
                               IMessageSink& messages, IProgressSink* progress, std::function<void()> beep,
                               const std::atomic<bool>* cancel)
    : m_eCommand(command), m_data(data), m_link(link), m_messages(messages), m_pProgress(progress),
      m_fnBeep(std::move(beep)), m_pCancel(cancel)
{
}

int CDeviceCommand::SendOne(std::uint8_t address, int port)
{
    std::uint8_t frame[kFrameSize];
    // Built just before it goes, so that a clock frame carries the time of its own send.
    BuildDeviceFrame(m_eCommand, address, m_data, frame);
    m_link.InitComPort(port, COM_OPEN);
    const int result = SendFrame(m_link, frame, kFrameSize);
    if (result == kFrameDelivered) {
        if (m_fnBeep) m_fnBeep();
    } else {
        const CDeviceCommandTexts& texts = DeviceCommandTexts(m_eCommand);
        m_messages.ShowMessage(texts.m_szFailure, texts.m_szCaption);
    }
    return result;
}

CDeviceOutcome CDeviceCommand::Run(const CAddressList& list, int port)
{
    const CDeviceCommandTexts& texts = DeviceCommandTexts(m_eCommand);
    CDeviceOutcome outcome;
    outcome.m_bBroadcast = texts.m_bAlwaysBroadcast || HasBroadcastAddress(list);
    if (outcome.m_bBroadcast) {
        if (m_pProgress) {
            m_pProgress->SetText(texts.m_szBroadcast);
            m_pProgress->SetRange(0, 1);
            m_pProgress->SetStep(1);
            m_pProgress->SetPos(0);
            m_pProgress->StepIt();
        }
        outcome.m_aResults.push_back({0, SendOne(0, port)});
    } else {
        if (m_pProgress) {
            m_pProgress->SetRange(0, list.m_nAddressCount);
            m_pProgress->SetStep(1);
            m_pProgress->SetPos(0);
        }
        for (int i = 0; i < list.m_nAddressCount; ++i) {
            if (m_pCancel && m_pCancel->load()) {
                outcome.m_bCancelled = true;
                break;
            }
            const std::uint8_t address = list.m_abyAddress[std::size_t(i)];
            if (m_pProgress) {
                char text[256];
                std::snprintf(text, sizeof text, texts.m_szPerAddress, int(address));
                m_pProgress->SetText(text);
                m_pProgress->StepIt();
            }
            const int result = SendOne(address, port);
            outcome.m_aResults.push_back({address, result});
            if (result != kFrameDelivered) break;
        }
    }
    m_link.CloseComPort();
    return outcome;
}

int RunDeviceCommand(EDeviceCommand command, const CDeviceFrameData& data, const std::string& device,
                     const std::string& addresses, IMessageSink& messages, IProgressSink* progress)
{
    const CDeviceCommandTexts& texts = DeviceCommandTexts(command);
    CAddressList list;
    if (!texts.m_bAlwaysBroadcast) {
        const CAddressCheck check = CheckAddressString(addresses);
        if (!check.Ok()) {
            messages.ShowMessage(check.m_szMessage, check.m_szCaption);
            return kDeviceNothingSent;
        }
        ParseAddressList(addresses, list);
    }
    CComPortMap ports;
    ports.SetDevicePath(1, device);
    CDeviceTransport tty;
    CSerialLink link(tty, ports, &messages);
    if (!link.ConfirmComPortUsable(1, messages)) return kDeviceNothingSent;
    CDeviceCommand runner(command, data, link, messages, progress);
    const CDeviceOutcome outcome = runner.Run(list, 1);
    return outcome.AllDelivered() ? kDeviceAllDelivered : kDeviceSomeFailed;
}
