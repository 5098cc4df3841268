#pragma once
// A Linux serial device (or pseudo-terminal) driven through termios.
//
// The ninth bit is carried by "stick" parity (CMSPAR): mark for the address byte, space
// for everything else. A pseudo-terminal accepts the request and clears PARENB; that is
// expected and reported by ParityIgnored(), not treated as a failure.

#include "comm/ISerialTransport.h"

#include <string>

class CTtyTransport : public ISerialTransport {
public:
    CTtyTransport() = default;
    ~CTtyTransport() override;
    CTtyTransport(const CTtyTransport&) = delete;
    CTtyTransport& operator=(const CTtyTransport&) = delete;

    CSerialOpenResult Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return m_nFd >= 0; }
    CDeviceCheck CheckDevice(const std::string& device) override;
    bool SetParity(EParity parity) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    int Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;
    void FlushInput() override;
    void Drain() override;

    // True when the device took the line settings but dropped the parity bit (a pty).
    bool ParityIgnored() const { return m_bParityIgnored; }
    const std::string& Device() const { return m_szDevice; }
    // UUCP lock file name for a device: /var/lock/LCK..ttyS0.
    static std::string LockFilePath(const std::string& device);
    // The system's words for errno, with what the user can do about it.
    static std::string DescribeError(int err);

private:
    bool ApplyLineFormat(EParity parity);
    bool TakeLockFile(const std::string& device, int& err);
    void ReleaseLockFile();

    int m_nFd = -1;
    std::string m_szDevice;
    std::string m_szLockFile;   // empty when no lock file was written by us
    EParity m_eParity = EParity::Mark;
    bool m_bParityIgnored = false;
};
