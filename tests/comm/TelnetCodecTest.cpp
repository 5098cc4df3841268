// The Telnet stream of a device server: 0xFF doubled in data, negotiations and
// sub-negotiations picked out wherever the stream is cut.

#include "comm/TelnetCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Telnet;

namespace {

struct Decoded {
    std::vector<std::uint8_t> data;
    std::vector<std::pair<int, int>> negotiations;
    std::vector<std::vector<std::uint8_t>> subs;  // option first
};

Decoded Decode(const std::vector<std::uint8_t>& stream, std::size_t piece)
{
    Decoded d;
    CTelnetDecoder decoder;
    decoder.m_fnData = [&](std::uint8_t b) { d.data.push_back(b); };
    decoder.m_fnNegotiation = [&](std::uint8_t c, std::uint8_t o) { d.negotiations.emplace_back(c, o); };
    decoder.m_fnSubnegotiation = [&](std::uint8_t o, const std::vector<std::uint8_t>& p) {
        std::vector<std::uint8_t> sub {o};
        sub.insert(sub.end(), p.begin(), p.end());
        d.subs.push_back(sub);
    };
    for (std::size_t i = 0; i < stream.size(); i += piece)
        decoder.Feed(stream.data() + i, std::min(piece, stream.size() - i));
    return d;
}

} // namespace

TEST(TelnetCodec, DataWithAllOnesIsDoubledAndComesBackSingle)
{
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},
        {0x03},
        {0xFF},
        {0xFF, 0xFF, 0xFF},
        {0x00, 0xFF, 0xF0, 0xFA, 0xFB, 0xFF, 0x0D, 0x0A},
    };
    for (const auto& data : cases) {
        std::vector<std::uint8_t> wire;
        AppendData(wire, data.data(), data.size());
        const auto ones = std::count(data.begin(), data.end(), 0xFF);
        EXPECT_EQ(wire.size(), data.size() + std::size_t(ones));
        for (std::size_t piece : {std::size_t(1), std::size_t(2), std::size_t(64)})
            EXPECT_EQ(Decode(wire, piece).data, data) << "pieces of " << piece;
    }
}

TEST(TelnetCodec, CommandsAreFoundBetweenDataWhereverTheStreamIsCut)
{
    std::vector<std::uint8_t> wire;
    const std::uint8_t k[] = {'K'};
    AppendNegotiation(wire, DO, OPT_COM_PORT);
    AppendData(wire, k, 1);
    // A parity answer, then a baud rate whose bytes include 0xFF (doubled inside SB).
    AppendComPort(wire, CPO_SET_PARITY + CPO_SERVER_OFFSET, {PARITY_MARK});
    AppendComPort(wire, CPO_SET_BAUDRATE + CPO_SERVER_OFFSET, {0x00, 0x00, 0xFF, 0x00});
    wire.insert(wire.end(), {IAC, 241});  // NOP
    const std::uint8_t y[] = {'Y', 0xFF};
    AppendData(wire, y, 2);
    AppendNegotiation(wire, WONT, OPT_ECHO);
    for (std::size_t piece : {std::size_t(1), std::size_t(3), std::size_t(100)}) {
        const Decoded d = Decode(wire, piece);
        EXPECT_EQ(d.data, (std::vector<std::uint8_t> {'K', 'Y', 0xFF})) << piece;
        EXPECT_EQ(d.negotiations, (std::vector<std::pair<int, int>> {{DO, OPT_COM_PORT}, {WONT, OPT_ECHO}}));
        ASSERT_EQ(d.subs.size(), 2u);
        EXPECT_EQ(d.subs[0], (std::vector<std::uint8_t> {OPT_COM_PORT, 103, PARITY_MARK}));
        EXPECT_EQ(d.subs[1], (std::vector<std::uint8_t> {OPT_COM_PORT, 101, 0x00, 0x00, 0xFF, 0x00}));
    }
}

TEST(TelnetCodec, ABrokenSubnegotiationIsDroppedAndDataGoesOn)
{
    const std::vector<std::uint8_t> wire = {IAC, SB, OPT_COM_PORT, 103, IAC, 'x', 'A', 'B'};
    const Decoded d = Decode(wire, 1);
    EXPECT_TRUE(d.subs.empty());
    EXPECT_EQ(d.data, (std::vector<std::uint8_t> {'A', 'B'}));
}
