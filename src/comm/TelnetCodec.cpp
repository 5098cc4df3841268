#include "comm/TelnetCodec.h"

namespace Telnet {

const char* ParityName(std::uint8_t value)
{
    switch (value) {
    case PARITY_NONE: return "NONE";
    case PARITY_ODD: return "ODD";
    case PARITY_EVEN: return "EVEN";
    case PARITY_MARK: return "MARK";
    case PARITY_SPACE: return "SPACE";
    default: return "unknown";
    }
}

void AppendData(std::vector<std::uint8_t>& out, const std::uint8_t* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == IAC) out.push_back(IAC);
    }
}

void AppendNegotiation(std::vector<std::uint8_t>& out, std::uint8_t command, std::uint8_t option)
{
    out.insert(out.end(), {IAC, command, option});
}

void AppendSubnegotiation(std::vector<std::uint8_t>& out, std::uint8_t option, const std::vector<std::uint8_t>& payload)
{
    out.insert(out.end(), {IAC, SB, option});
    AppendData(out, payload.data(), payload.size());
    out.insert(out.end(), {IAC, SE});
}

void AppendComPort(std::vector<std::uint8_t>& out, std::uint8_t code, const std::vector<std::uint8_t>& value)
{
    std::vector<std::uint8_t> payload;
    payload.reserve(value.size() + 1);
    payload.push_back(code);
    for (std::uint8_t b : value) payload.push_back(b);
    AppendSubnegotiation(out, OPT_COM_PORT, payload);
}

void CTelnetDecoder::Reset()
{
    m_eState = EState::Data;
    m_aSub.clear();
}

void CTelnetDecoder::Feed(const std::uint8_t* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t b = bytes[i];
        switch (m_eState) {
        case EState::Data:
            if (b == IAC) m_eState = EState::Iac;
            else if (m_fnData) m_fnData(b);
            break;
        case EState::Iac:
            if (b == IAC) {
                if (m_fnData) m_fnData(IAC);
                m_eState = EState::Data;
            } else if (b >= WILL && b <= DONT) {
                m_byCommand = b;
                m_eState = EState::Option;
            } else if (b == SB) {
                m_aSub.clear();
                m_eState = EState::Sub;
            } else {
                // NOP, GA, AYT and the like carry nothing a serial line needs.
                m_eState = EState::Data;
            }
            break;
        case EState::Option:
            if (m_fnNegotiation) m_fnNegotiation(m_byCommand, b);
            m_eState = EState::Data;
            break;
        case EState::Sub:
            if (b == IAC) m_eState = EState::SubIac;
            else if (m_aSub.size() < kMaxSub) m_aSub.push_back(b);
            break;
        case EState::SubIac:
            if (b == IAC) {
                if (m_aSub.size() < kMaxSub) m_aSub.push_back(IAC);
                m_eState = EState::Sub;
            } else if (b == SE) {
                if (!m_aSub.empty() && m_fnSubnegotiation) {
                    const std::uint8_t option = m_aSub.front();
                    m_fnSubnegotiation(option, std::vector<std::uint8_t>(m_aSub.begin() + 1, m_aSub.end()));
                }
                m_aSub.clear();
                m_eState = EState::Data;
            } else {
                // IAC and anything but SE or IAC ends a broken sub-negotiation.
                m_aSub.clear();
                m_eState = EState::Data;
            }
            break;
        }
    }
}

} // namespace Telnet
