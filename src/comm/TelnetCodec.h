#pragma once
// The Telnet byte stream of a serial device server (RFC 854/855 with the COM-PORT-OPTION
// of RFC 2217): data bytes, with 0xFF doubled, between option negotiations and
// sub-negotiations. Both the client transport and the simulator's server use it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace Telnet {

constexpr std::uint8_t IAC = 255;
constexpr std::uint8_t DONT = 254;
constexpr std::uint8_t DO = 253;
constexpr std::uint8_t WONT = 252;
constexpr std::uint8_t WILL = 251;
constexpr std::uint8_t SB = 250;
constexpr std::uint8_t SE = 240;

constexpr std::uint8_t OPT_BINARY = 0;
constexpr std::uint8_t OPT_ECHO = 1;
constexpr std::uint8_t OPT_SGA = 3;
constexpr std::uint8_t OPT_COM_PORT = 44;

// COM-PORT-OPTION commands, client to server; the server answers with the code + 100.
constexpr std::uint8_t CPO_SIGNATURE = 0;
constexpr std::uint8_t CPO_SET_BAUDRATE = 1;
constexpr std::uint8_t CPO_SET_DATASIZE = 2;
constexpr std::uint8_t CPO_SET_PARITY = 3;
constexpr std::uint8_t CPO_SET_STOPSIZE = 4;
constexpr std::uint8_t CPO_SET_CONTROL = 5;
constexpr std::uint8_t CPO_NOTIFY_LINESTATE = 6;
constexpr std::uint8_t CPO_NOTIFY_MODEMSTATE = 7;
constexpr std::uint8_t CPO_FLOWCONTROL_SUSPEND = 8;
constexpr std::uint8_t CPO_FLOWCONTROL_RESUME = 9;
constexpr std::uint8_t CPO_SET_LINESTATE_MASK = 10;
constexpr std::uint8_t CPO_SET_MODEMSTATE_MASK = 11;
constexpr std::uint8_t CPO_PURGE_DATA = 12;
constexpr std::uint8_t CPO_SERVER_OFFSET = 100;

constexpr std::uint8_t PARITY_REQUEST = 0;
constexpr std::uint8_t PARITY_NONE = 1;
constexpr std::uint8_t PARITY_ODD = 2;
constexpr std::uint8_t PARITY_EVEN = 3;
constexpr std::uint8_t PARITY_MARK = 4;
constexpr std::uint8_t PARITY_SPACE = 5;

constexpr std::uint8_t STOPSIZE_1 = 1;
constexpr std::uint8_t CONTROL_NO_FLOW = 1;          // outbound (and both, on most servers)
constexpr std::uint8_t CONTROL_NO_FLOW_INBOUND = 14;
constexpr std::uint8_t PURGE_RECEIVE = 1;            // data the server took from the line
constexpr std::uint8_t PURGE_TRANSMIT = 2;
constexpr std::uint8_t PURGE_BOTH = 3;

// The name of a parity value, as a user reads it in a message.
const char* ParityName(std::uint8_t value);

// Appends data with every 0xFF doubled.
void AppendData(std::vector<std::uint8_t>& out, const std::uint8_t* bytes, std::size_t count);
void AppendNegotiation(std::vector<std::uint8_t>& out, std::uint8_t command, std::uint8_t option);
// IAC SB option payload IAC SE, 0xFF in the payload doubled.
void AppendSubnegotiation(std::vector<std::uint8_t>& out, std::uint8_t option, const std::vector<std::uint8_t>& payload);
// A COM-PORT-OPTION sub-negotiation: command code and its value bytes.
void AppendComPort(std::vector<std::uint8_t>& out, std::uint8_t code, const std::vector<std::uint8_t>& value);

// Splits a received stream into its parts. Feed may be called with any piece of the
// stream; a command cut between two pieces is completed by the next one.
class CTelnetDecoder {
public:
    std::function<void(std::uint8_t)> m_fnData;
    // WILL, WONT, DO or DONT and the option.
    std::function<void(std::uint8_t command, std::uint8_t option)> m_fnNegotiation;
    // Option and payload of IAC SB ... IAC SE.
    std::function<void(std::uint8_t option, const std::vector<std::uint8_t>& payload)> m_fnSubnegotiation;

    void Feed(const std::uint8_t* bytes, std::size_t count);
    void Reset();

private:
    enum class EState { Data, Iac, Option, Sub, SubIac };
    EState m_eState = EState::Data;
    std::uint8_t m_byCommand = 0;
    std::vector<std::uint8_t> m_aSub;
    // A sub-negotiation longer than any this protocol uses is noise, not a message.
    static constexpr std::size_t kMaxSub = 256;
};

} // namespace Telnet
