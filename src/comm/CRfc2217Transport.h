#pragma once
// A serial port on a device server in the network (ser2net, industrial serial-to-Ethernet
// boxes), reached as rfc2217://HOST:PORT and driven with the Telnet COM-PORT-OPTION.
//
// Every connection starts from the server's own line settings, so each open sets them
// all: 19200 baud, 8 data bits, 1 stop bit, no flow control, and MARK/SPACE parity for
// the ninth bit, each read back from the server's acknowledgement. A server that cannot
// do MARK or SPACE is refused at open: a sign never gets a frame with the wrong parity.
//
// A server switches the parity as soon as it reads the request, while bytes it read
// earlier may still be leaving its UART. So a switch waits until those bytes are known to
// be out: the sign has answered since the last write, or their wire time at 19200 baud
// has passed. Every wait (look-up, connect, each acknowledgement) is bounded.

#include "comm/ISerialTransport.h"
#include "comm/TelnetCodec.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class CRfc2217Transport : public ISerialTransport {
public:
    static constexpr const char* kScheme = "rfc2217://";
    static constexpr std::uint32_t kBaudRate = 19200;

    // Whether a device string names a device server rather than a local device.
    static bool IsUrl(const std::string& device);
    // HOST and PORT of rfc2217://HOST:PORT (an IPv6 HOST in brackets); false with the
    // reason when the string is not such an address. A server that listens may ask for
    // port 0 (any free port).
    static bool ParseUrl(const std::string& device, std::string& host, std::string& port, std::string& error,
                         bool portZeroAllowed = false);

    CRfc2217Transport();
    ~CRfc2217Transport() override;
    CRfc2217Transport(const CRfc2217Transport&) = delete;
    CRfc2217Transport& operator=(const CRfc2217Transport&) = delete;

    CSerialOpenResult Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return m_nSocket >= 0; }
    // Connects and sets the line up as an open would, then lets go again: a server
    // port in use by another client is busy, one that cannot be reached is unavailable.
    CDeviceCheck CheckDevice(const std::string& device) override;
    bool SetParity(EParity parity) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    int Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;
    void FlushInput() override;
    void Drain() override;

    // Why the last operation failed, in words for the user.
    const std::string& LastError() const { return m_szError; }

    // Line settings as the server acknowledged them.
    struct CConfirmed {
        std::uint32_t m_nBaud = 0;
        std::uint8_t m_byDataSize = 0;
        std::uint8_t m_byParity = 0;
        std::uint8_t m_byStopSize = 0;
        std::uint8_t m_byControl = 0;
    };
    const CConfirmed& Confirmed() const { return m_confirmed; }

    int m_nConnectTimeoutMs = 5000;  // look-up and connection
    int m_nAckTimeoutMs = 2000;      // each acknowledgement of the server
    static constexpr int kCloseWaitMs = 500;  // for the server to close its side

private:
    using Clock = std::chrono::steady_clock;

    bool Connect(const std::string& host, const std::string& port, CSerialOpenResult& result);
    bool Negotiate(CSerialOpenResult& result);
    bool ApplyLineSettings(CSerialOpenResult& result);
    // Reads what the server sent, waiting at most timeoutMs; false once the connection
    // is gone.
    bool Pump(int timeoutMs);
    // Sends raw protocol bytes, reading meanwhile; false on a lost connection or when
    // the server takes nothing before the deadline.
    bool SendRaw(const std::vector<std::uint8_t>& bytes, Clock::time_point deadline);
    // Sends a COM-PORT-OPTION command and waits for its answer; the answered value, or
    // false after the time-out or a lost connection.
    bool Request(std::uint8_t code, const std::vector<std::uint8_t>& value, std::vector<std::uint8_t>& answer);
    bool WaitForAnswer(std::uint8_t code, int countBefore, std::vector<std::uint8_t>& answer, Clock::time_point deadline);
    void WaitUntilLineDrained();
    void OnNegotiation(std::uint8_t command, std::uint8_t option);
    void OnSubnegotiation(std::uint8_t option, const std::vector<std::uint8_t>& payload);
    void OnData(std::uint8_t byte);
    void Fail(const std::string& reason);
    // The server's own words when it closed the connection ("Port already in use").
    std::string PeerWords() const;
    std::string Where() const { return m_szHost + ":" + m_szPort; }

    int m_nSocket = -1;
    std::string m_szHost;
    std::string m_szPort;
    std::string m_szError;
    std::string m_szClaim;        // this program's claim on the server's port while open
    bool m_bFailed = false;       // a time-out or refusal mid-session: nothing more is sent
    bool m_bPeerClosed = false;
    Telnet::CTelnetDecoder m_decoder;
    std::vector<std::uint8_t> m_aReply;   // negotiation answers to send
    std::deque<std::uint8_t> m_aData;     // line bytes not yet read
    std::string m_szPeerText;             // the first bytes the server sent, for its words

    // Option state: what we asked for or agreed to, so that nothing is answered twice.
    std::array<bool, 256> m_abWillSent {};
    std::array<bool, 256> m_abDoSent {};
    std::array<bool, 256> m_abRefusalSent {};
    bool m_bComPortAgreed = false;
    bool m_bComPortRefused = false;
    bool m_bBinaryRefused = false;
    bool m_bSuspended = false;            // the server asked us to stop sending

    std::array<int, 16> m_anAnswers {};   // answers counted per command code
    std::array<std::vector<std::uint8_t>, 16> m_aAnswer;
    bool m_bPurging = false;

    CConfirmed m_confirmed;
    EParity m_eParity = EParity::Mark;
    Clock::time_point m_tLineFree {};     // when the bytes written so far have left the server
    bool m_bAnsweredSinceWrite = true;    // the line sent something after our last write
    // Time the server may take to pass bytes on: the slowest answer seen at open plus a
    // little, never less than kMinMarginMs (a busy server reads its socket late).
    static constexpr int kMinMarginMs = 20;
    std::chrono::milliseconds m_margin {kMinMarginMs};
};
