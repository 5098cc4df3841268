#include "comm/CDeviceTransport.h"

ISerialTransport& CDeviceTransport::For(const std::string& device)
{
    if (CRfc2217Transport::IsUrl(device)) return m_network;
    return m_tty;
}

CSerialOpenResult CDeviceTransport::Open(const std::string& device)
{
    Close();
    m_pActive = &For(device);
    return m_pActive->Open(device);
}

void CDeviceTransport::Close()
{
    if (m_pActive) m_pActive->Close();
    m_pActive = nullptr;
}

CDeviceCheck CDeviceTransport::CheckDevice(const std::string& device)
{
    return For(device).CheckDevice(device);
}

bool CDeviceTransport::SetParity(EParity parity)
{
    return m_pActive && m_pActive->SetParity(parity);
}

bool CDeviceTransport::Write(const std::uint8_t* bytes, std::size_t count)
{
    return m_pActive && m_pActive->Write(bytes, count);
}

int CDeviceTransport::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs)
{
    return m_pActive ? m_pActive->Read(buffer, size, timeoutMs) : -1;
}

void CDeviceTransport::FlushInput()
{
    if (m_pActive) m_pActive->FlushInput();
}

void CDeviceTransport::Drain()
{
    if (m_pActive) m_pActive->Drain();
}
