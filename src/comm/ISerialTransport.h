#pragma once
// What the sender needs from a serial line: open a device, switch the ninth (parity) bit,
// write bytes and read what has arrived. The frame sender does not know whether a real
// tty, a pseudo-terminal with a simulated sign, or a recorder stands behind it.

#include <cstddef>
#include <cstdint>
#include <string>

enum class EParity { Mark, Space };

// What a device is before a command uses it.
enum class EDeviceState {
    Free,         // it can be opened now
    Busy,         // another program holds it
    Unavailable,  // it does not exist, or cannot be opened at all (m_szReason says why)
};

struct CDeviceCheck {
    EDeviceState m_eState = EDeviceState::Free;
    int m_nErrno = 0;
    std::string m_szReason;
};

struct CSerialOpenResult {
    bool m_bOk = false;
    int m_nErrno = 0;          // errno of the failing call, 0 on success
    std::string m_szReason;    // the system's words, with a hint where one helps
};

class ISerialTransport {
public:
    virtual ~ISerialTransport() = default;

    // 19200 baud, 8 data bits, 1 stop bit, parity bit as ninth bit (mark), held exclusively.
    virtual CSerialOpenResult Open(const std::string& device) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Whether the device can be opened now, is held by another program, or cannot be
    // used at all.
    virtual CDeviceCheck CheckDevice(const std::string& device) = 0;
    bool IsDeviceFree(const std::string& device) { return CheckDevice(device).m_eState == EDeviceState::Free; }

    // Waits until every byte written so far has left, then switches the ninth bit.
    virtual bool SetParity(EParity parity) = 0;
    // Writes all bytes; false on a line error or when the line stalls.
    virtual bool Write(const std::uint8_t* bytes, std::size_t count) = 0;
    // Waits at most timeoutMs for at least one byte (0: only what is already there).
    // Returns the count read (0 on time-out) or -1 when the line is gone.
    virtual int Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) = 0;
    // Drops bytes that arrived before this command.
    virtual void FlushInput() = 0;
    // Returns once every byte written has left the port.
    virtual void Drain() = 0;
};
