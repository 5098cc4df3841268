#pragma once
// The one serial port through which every sign is reached, with the operations the
// frame protocol is built on. Waits are wall-clock time-outs on poll(): they block for at
// most their time-out and use no CPU while they wait.

#include "comm/CComPortMap.h"
#include "comm/ISerialTransport.h"

#include <cstdint>
#include <deque>
#include <string>

class IMessageSink;

constexpr int COM_OPEN = 1;
constexpr int COM_ADDRESS = 2;
constexpr int COM_DATA = 3;

constexpr int kWaitNothing = 0;
constexpr int kWaitError = 1;   // 'E'
constexpr int kWaitOk = 2;      // 'Y'

class CSerialLink {
public:
    CSerialLink(ISerialTransport& transport, const CComPortMap& ports, IMessageSink* messages = nullptr);
    ~CSerialLink();
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    // COM_OPEN opens (closing any open port first) with mark parity; COM_ADDRESS and
    // COM_DATA switch the ninth bit on the open port. Returns the port, 0 on failure.
    int InitComPort(int port, int mode);
    void CloseComPort();
    bool IsComPortFree(int port);
    // Free, held by another program, or not there at all (the port this link has open
    // counts as free).
    CDeviceCheck CheckComPort(int port);
    // Before a command uses the port: true when it is free; otherwise says why on
    // messages (the busy text for a port another program holds, the device and the
    // system's reason for one that cannot be opened) and returns false.
    bool ConfirmComPortUsable(int port, IMessageSink& messages);
    // "Initalize error of Serial com-port!" with the port, its device and the reason.
    static std::string OpenFailureText(int port, const std::string& device, const std::string& reason);
    bool IsOpen() const { return m_transport.IsOpen(); }

    // One byte if one is waiting, else 0 at once.
    std::uint8_t ReadComByte();
    // Reads an information reply of up to size bytes, waiting at most m_nBlockTimeoutMs;
    // true when fewer than (signed length byte at offset 5) + 6 bytes arrived.
    bool ReadComBlock(std::uint8_t* buffer, int size);
    bool WriteCom(const std::uint8_t* bytes, int count);
    // Returns once everything written has left the port.
    void Drain() { m_transport.Drain(); }
    // Forgets bytes that arrived and were not read.
    void DiscardInput();
    // Sleeps; the sign counts the quiet time before an address byte as a frame start.
    void BusyWait(int ms);
    // True as soon as the wanted byte arrives; other bytes are skipped.
    bool WaitForByte(std::uint8_t wanted, int timeoutMs);
    bool WaitForByte(std::uint8_t wanted) { return WaitForByte(wanted, m_nReplyTimeoutMs); }
    // kWaitError on 'E', kWaitOk on 'Y', kWaitNothing after the time-out or a lost line.
    int WaitForAck(int timeoutMs);
    int WaitForAck() { return WaitForAck(m_nReplyTimeoutMs); }

    // How long a sign may take to answer once the last byte has reached it.
    int m_nReplyTimeoutMs = 300;
    int m_nBlockTimeoutMs = 400;
    // Pauses of a frame exchange: quiet line before the address byte, after a broadcast
    // address byte, and after a broadcast frame.
    int m_nAddressGapMs = 15;
    int m_nBroadcastReadyMs = 10;
    int m_nBroadcastSettleMs = 50;
    // A write returns once the bytes are queued, so a reply wait also allows for the
    // time the frame spends on the wire. A line that is not a wire may turn this off.
    bool m_bWireTimeInWaits = true;
    int ReplyWaitMs(int bytesOnWire) const
    {
        return m_nReplyTimeoutMs + (m_bWireTimeInWaits ? WireTimeMs(bytesOnWire) : 0);
    }

    // Time the line needs for count bytes at 19200 baud, 11 bits a byte, rounded up.
    static int WireTimeMs(int count) { return (count * 11 * 1000 + 19199) / 19200; }

private:
    // Moves what the line has into m_aPending; false when the line is gone.
    bool Fill(int timeoutMs);

    ISerialTransport& m_transport;
    const CComPortMap& m_ports;
    IMessageSink* m_pMessages;
    // Bytes read past a reply byte: a sign may send its information block in the same
    // burst as the 'Y' before it.
    std::deque<std::uint8_t> m_aPending;
    bool m_bLineLost = false;
    int m_nOpenPort = 0;
};
