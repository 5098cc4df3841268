#include "comm/CSerialLink.h"

#include "comm/CommTexts.h"
#include "app/IMessageSink.h"

#include <chrono>
#include <thread>

namespace {

using SteadyClock = std::chrono::steady_clock;

int MsLeft(SteadyClock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
    return left > 0 ? int(left) : 0;
}

} // namespace

CSerialLink::CSerialLink(ISerialTransport& transport, const CComPortMap& ports, IMessageSink* messages)
    : m_transport(transport), m_ports(ports), m_pMessages(messages)
{
}

CSerialLink::~CSerialLink()
{
    CloseComPort();
}

int CSerialLink::InitComPort(int port, int mode)
{
    if (mode == COM_OPEN) {
        CloseComPort();
        const std::string device = m_ports.DevicePath(port);
        const CSerialOpenResult r = m_transport.Open(device);
        if (!r.m_bOk) {
            if (m_pMessages)
                m_pMessages->ShowMessage(OpenFailureText(port, device, r.m_szReason), CommTexts::kInitErrorCaption);
            return 0;
        }
        m_aPending.clear();
        m_bLineLost = false;
        m_nOpenPort = port;
        return port;
    }
    // The port number is ignored here: the open port is the one switched.
    if (!m_transport.IsOpen()) return 0;
    if (!m_transport.SetParity(mode == COM_ADDRESS ? EParity::Mark : EParity::Space)) return 0;
    return m_nOpenPort;
}

void CSerialLink::CloseComPort()
{
    if (m_transport.IsOpen()) m_transport.Close();
    m_aPending.clear();
}

std::string CSerialLink::OpenFailureText(int port, const std::string& device, const std::string& reason)
{
    return std::string(CommTexts::kInitError) + "\n" + CComPortMap::PortName(port) + " (" + device + "): " + reason;
}

bool CSerialLink::IsComPortFree(int port)
{
    return CheckComPort(port).m_eState == EDeviceState::Free;
}

CDeviceCheck CSerialLink::CheckComPort(int port)
{
    if (m_transport.IsOpen()) return {};
    return m_transport.CheckDevice(m_ports.DevicePath(port));
}

bool CSerialLink::ConfirmComPortUsable(int port, IMessageSink& messages)
{
    const CDeviceCheck check = CheckComPort(port);
    switch (check.m_eState) {
    case EDeviceState::Free:
        return true;
    case EDeviceState::Busy:
        messages.ShowMessage(CommTexts::kPortBusy, CommTexts::kPortBusyCaption);
        return false;
    case EDeviceState::Unavailable:
        messages.ShowMessage(OpenFailureText(port, m_ports.DevicePath(port), check.m_szReason),
                             CommTexts::kInitErrorCaption);
        return false;
    }
    return false;
}

bool CSerialLink::Fill(int timeoutMs)
{
    if (m_bLineLost || !m_transport.IsOpen()) return false;
    std::uint8_t buffer[512];
    const int n = m_transport.Read(buffer, sizeof buffer, timeoutMs);
    if (n < 0) {
        m_bLineLost = true;
        return false;
    }
    m_aPending.insert(m_aPending.end(), buffer, buffer + n);
    return true;
}

std::uint8_t CSerialLink::ReadComByte()
{
    if (m_aPending.empty()) Fill(0);
    if (m_aPending.empty()) return 0;
    const std::uint8_t b = m_aPending.front();
    m_aPending.pop_front();
    return b;
}

bool CSerialLink::ReadComBlock(std::uint8_t* buffer, int size)
{
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(m_nBlockTimeoutMs);
    int count = 0;
    auto wanted = [&]() { return count > 5 ? int(std::int8_t(buffer[5])) + 6 : 6; };
    for (;;) {
        while (count < size && !m_aPending.empty()) {
            buffer[count++] = m_aPending.front();
            m_aPending.pop_front();
        }
        // Done as soon as the whole block is in: there is no point in waiting longer.
        if (count >= size || (count > 5 && count >= wanted())) break;
        const int left = MsLeft(deadline);
        if (left == 0 || !Fill(left)) break;
    }
    return count < wanted();
}

void CSerialLink::DiscardInput()
{
    m_aPending.clear();
    if (m_transport.IsOpen()) m_transport.FlushInput();
}

bool CSerialLink::WriteCom(const std::uint8_t* bytes, int count)
{
    if (count <= 0) return true;
    return m_transport.Write(bytes, std::size_t(count));
}

void CSerialLink::BusyWait(int ms)
{
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool CSerialLink::WaitForByte(std::uint8_t wanted, int timeoutMs)
{
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (!m_aPending.empty()) {
            const std::uint8_t b = m_aPending.front();
            m_aPending.pop_front();
            if (b == wanted) return true;
        }
        const int left = MsLeft(deadline);
        if (left == 0 || !Fill(left)) return false;
    }
}

int CSerialLink::WaitForAck(int timeoutMs)
{
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (!m_aPending.empty()) {
            const std::uint8_t b = m_aPending.front();
            m_aPending.pop_front();
            if (b == 'E') return kWaitError;
            if (b == 'Y') return kWaitOk;
        }
        const int left = MsLeft(deadline);
        if (left == 0 || !Fill(left)) return kWaitNothing;
    }
}
