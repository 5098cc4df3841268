#pragma once
// The port a user names, whatever stands behind it: a local serial device or
// pseudo-terminal (a path such as /dev/ttyUSB0), or a serial device server in the
// network (rfc2217://HOST:PORT). Every command that opens a named port uses this one,
// so each of them accepts both kinds.

#include "comm/CRfc2217Transport.h"
#include "comm/CTtyTransport.h"

class CDeviceTransport : public ISerialTransport {
public:
    CSerialOpenResult Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return m_pActive && m_pActive->IsOpen(); }
    CDeviceCheck CheckDevice(const std::string& device) override;
    bool SetParity(EParity parity) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    int Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;
    void FlushInput() override;
    void Drain() override;

    // The transport for a device string.
    ISerialTransport& For(const std::string& device);
    CTtyTransport& Tty() { return m_tty; }
    CRfc2217Transport& Network() { return m_network; }

private:
    CTtyTransport m_tty;
    CRfc2217Transport m_network;
    ISerialTransport* m_pActive = nullptr;
};
