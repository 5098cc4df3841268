#include "comm/CRecordingTransport.h"

#include <cerrno>
#include <chrono>
#include <thread>

CSerialOpenResult CRecordingTransport::Open(const std::string& device)
{
    CSerialOpenResult result;
    if (m_bOpenFails) {
        result.m_nErrno = ENOENT;
        result.m_szReason = "No such file or directory";
        return result;
    }
    m_bOpen = true;
    m_eParity = EParity::Mark;
    m_aOpened.push_back(device);
    m_aInput.clear();
    result.m_bOk = true;
    return result;
}

void CRecordingTransport::Close()
{
    if (m_bOpen) ++m_nCloseCount;
    m_bOpen = false;
}

CDeviceCheck CRecordingTransport::CheckDevice(const std::string&)
{
    if (m_bDeviceMissing) return {EDeviceState::Unavailable, ENOENT, "No such file or directory"};
    if (!m_bDeviceFree) return {EDeviceState::Busy, EBUSY, "Device or resource busy"};
    return {};
}

bool CRecordingTransport::SetParity(EParity parity)
{
    if (!m_bOpen) return false;
    if (parity != m_eParity) ++m_nParitySwitches;
    m_eParity = parity;
    return true;
}

bool CRecordingTransport::Write(const std::uint8_t* bytes, std::size_t count)
{
    if (!m_bOpen) return false;
    for (std::size_t i = 0; i < count; ++i) m_aWire.push_back({bytes[i], m_eParity});
    if (m_fnResponder) Inject(m_fnResponder(bytes, count, m_eParity));
    return true;
}

int CRecordingTransport::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs)
{
    if (!m_bOpen) return -1;
    // Nothing else can arrive while the sender waits: silence lasts the whole time-out,
    // as it would on a line.
    if (m_aInput.empty() && timeoutMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    std::size_t n = 0;
    while (n < size && !m_aInput.empty()) {
        buffer[n++] = m_aInput.front();
        m_aInput.pop_front();
    }
    return int(n);
}
