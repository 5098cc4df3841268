#include "comm/CSendOperation.h"

#include "app/CVemtApp.h"
#include "comm/CSerialLink.h"
#include "comm/CommTexts.h"
#include "comm/FrameProtocol.h"
#include "app/IMessageSink.h"
#include "comm/IProgressSink.h"

#include <cstdio>

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

} // namespace

CSendOperation::CSendOperation(const CVemtApp& app, CSerialLink& link, IMessageSink& messages,
                               IProgressSink* progress, const std::atomic<bool>* cancel)
    : m_app(app), m_link(link), m_messages(messages), m_pProgress(progress), m_pCancel(cancel)
{
}

bool CSendOperation::CancelRequested()
{
    if (m_pCancel && m_pCancel->load()) m_bCancelled = true;
    return m_bCancelled;
}

void CSendOperation::Report(const std::string& text)
{
    m_messages.ShowMessage(text, CommTexts::kSendErrorCaption);
}

int CSendOperation::SendFile(const CBitPlanes& planes, const std::vector<SCREENINFO>& screenInfo)
{
    m_bCancelled = false;
    m_aResults.clear();
    if (!m_link.ConfirmComPortUsable(m_app.m_nComPort, m_messages)) {
        m_link.CloseComPort();
        return -1;
    }
    if (!ParseAddressList(m_app.m_szAddress, m_addresses)) {
        const CAddressCheck check = CheckAddressString(m_app.m_szAddress);
        m_messages.ShowMessage(check.m_szMessage, check.m_szCaption);
        return 0;
    }
    const bool broadcast = HasBroadcastAddress(m_addresses);
    for (int i = 0; i < m_addresses.m_nAddressCount; ++i) {
        if (CancelRequested()) break;
        const std::uint8_t address = m_addresses.m_abyAddress[std::size_t(i)];
        m_aResults.push_back({address, SendFileToAddress(planes, screenInfo, address)});
        // A broadcast reaches every sign, so one entry of such a list is all it takes.
        if (broadcast || m_bCancelled) break;
    }
    m_link.CloseComPort();
    return 0;
}

int CSendOperation::SendWithAttempts(const std::uint8_t* frame, const std::string& firstText,
                                     const std::string& repeatFormat, int repeatArg1, int repeatArg2,
                                     bool twoRepeatArgs)
{
    int result = kFrameNoReply;
    for (int attempt = 1; attempt <= kMaxFrameAttempts; ++attempt) {
        if (m_pProgress) {
            if (attempt == 1) m_pProgress->SetText(firstText);
            else if (twoRepeatArgs) m_pProgress->SetText(Format(repeatFormat.c_str(), attempt, repeatArg1, repeatArg2));
            else m_pProgress->SetText(Format(repeatFormat.c_str(), attempt, repeatArg1));
        }
        result = SendFrame(m_link, frame, kFrameSize);
        if (result != kFrameRefused) break;
    }
    return result;
}

int CSendOperation::SendFileToAddress(const CBitPlanes& planes, const std::vector<SCREENINFO>& screenInfo,
                                      std::uint8_t address)
{
    using namespace CommTexts;
    const int a = address;
    const bool broadcast = address == 0;
    const bool dbl = planes.HasGreen();
    m_link.InitComPort(m_app.m_nComPort, COM_OPEN);

    const int F = DataFrameCount(planes.m_nBytes);
    if (m_pProgress) {
        // One step for the control frame and one per data frame, so the bar ends full.
        m_pProgress->SetRange(0, (dbl ? 2 * F : F) + 1);
        m_pProgress->SetPos(0);
        m_pProgress->SetStep(1);
    }
    auto fail = [&](const char* format) {
        Report(Format(format, a));
        m_link.CloseComPort();
        return 0;
    };

    std::uint8_t frame[kFrameSize];
    const int screens = m_app.m_nTPHeight > 0 ? planes.m_nRows / m_app.m_nTPHeight : 0;
    if (!BuildControlFrame(frame, screens, address, m_app, screenInfo)) return fail(kCtrlNoReply);
    const int ctrl = SendWithAttempts(frame, broadcast ? std::string(kCtrlBroadcast) : Format(kCtrlFirst, a),
                                      kCtrlRepeat, a, 0, false);
    if (ctrl == kFrameNoReply) return fail(kCtrlNoReply);
    if (ctrl == kFrameRefused) return fail(kCtrlFailed);
    if (m_pProgress) m_pProgress->SetPos(1);
    int p = 2;

    for (int j = 0; j < F; ++j) {
        const bool last = j == F - 1;
        for (int plane = 0; plane < (dbl ? 2 : 1); ++plane) {
            if (CancelRequested()) {
                m_link.CloseComPort();
                return 0;
            }
            const bool green = plane == 1;
            const std::uint8_t* bytes = green ? planes.m_aGreen.data() : planes.m_aRed.data();
            BuildDataFrame(frame, j, F, address, green, bytes, planes.m_nBytes);
            std::string first;
            if (broadcast) first = last ? std::string(green ? kGreenEndBroadcast : kRedEndBroadcast)
                                        : Format(green ? kGreenBroadcast : kRedBroadcast, j + 1);
            else first = last ? Format(green ? kGreenEndFirst : kRedEndFirst, a)
                              : Format(green ? kGreenFirst : kRedFirst, j + 1, a);
            const int r = last ? SendWithAttempts(frame, first, green ? kGreenEndRepeat : kRedEndRepeat, a, 0, false)
                               : SendWithAttempts(frame, first, green ? kGreenRepeat : kRedRepeat, j + 1, a, true);
            if (r == kFrameNoReply)
                return fail(green ? (last ? kGreenEndNoReply : kGreenNoReply) : (last ? kRedEndNoReply : kRedNoReply));
            if (r == kFrameRefused)
                return fail(green ? (last ? kGreenEndFailed : kGreenFailed) : (last ? kRedEndFailed : kRedFailed));
            if (m_pProgress) m_pProgress->SetPos(p);
            ++p;
        }
    }
    m_link.CloseComPort();
    return 1;
}
