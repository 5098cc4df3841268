#include "CommTestSupport.h"

#include "comm/CSerialLink.h"
#include "comm/SignInfoReply.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Reply {
    std::uint8_t bytes[kInfoReplyBufferSize] = {};
    int length = 0;
    explicit Reply(const CSignInfo& info, std::uint8_t type = 1)
    {
        length = BuildInfoReply(bytes, kInfoReplyBufferSize, info, type);
    }
};

} // namespace

TEST(InfoReply, LayoutOfAValidReply)
{
    Reply r({"3.20", "A1", "11.0592M", "64K"});
    const char text[] = "3.20 A1 11.0592M 64K";
    const int L = 3 + int(std::strlen(text));
    ASSERT_EQ(r.length, L + 6);
    EXPECT_EQ(std::memcmp(r.bytes, "UUUUU", 5), 0);
    EXPECT_EQ(r.bytes[5], L);
    EXPECT_EQ(r.bytes[6], '>');
    EXPECT_EQ(r.bytes[7], 1);
    EXPECT_EQ(std::memcmp(r.bytes + 8, text, std::strlen(text)), 0);
    unsigned sum = 0;
    for (int i = 5; i <= 4 + L; ++i) sum += r.bytes[i];
    EXPECT_EQ(r.bytes[5 + L], std::uint8_t(sum));
    ASSERT_TRUE(IsInfoReplyValid(r.bytes, kInfoReplyBufferSize));
    const CSignInfo info = ReadInfoFields(r.bytes, kInfoReplyBufferSize);
    EXPECT_EQ(info.m_szVersion, "3.20");
    EXPECT_EQ(info.m_szMotherboard, "A1");
    EXPECT_EQ(info.m_szCrystal, "11.0592M");
    EXPECT_EQ(info.m_szMemory, "64K") << "the checksum byte is not part of the last field";
}

TEST(InfoReply, DamagedRepliesAreRejected)
{
    const struct { const char* name; int offset; int value; } cases[] = {
        {"first U", 0, 'V'}, {"fifth U", 4, 0}, {"no '>'", 6, '<'}, {"checksum", -1, -1},
        {"text changed", 9, 'X'}, {"length points before the type", 5, 1}, {"negative length", 5, 0x90},
    };
    for (const auto& c : cases) {
        Reply r({"3.20", "A1", "11.0592M", "64K"});
        const int offset = c.offset < 0 ? r.length - 1 : c.offset;
        r.bytes[offset] = c.value < 0 ? std::uint8_t(r.bytes[offset] + 1) : std::uint8_t(c.value);
        EXPECT_FALSE(IsInfoReplyValid(r.bytes, kInfoReplyBufferSize)) << c.name;
        EXPECT_TRUE(ReadInfoFields(r.bytes, kInfoReplyBufferSize).m_szVersion.empty()) << c.name;
    }
}

TEST(InfoReply, FieldLongerThanFiftyIsCutAndOtherTypesCarryNoFields)
{
    const std::string longField(60, 'v');
    Reply r({longField, "A1", "11.0592M", "64K"});
    const CSignInfo info = ReadInfoFields(r.bytes, kInfoReplyBufferSize);
    EXPECT_EQ(info.m_szVersion, std::string(50, 'v'));
    EXPECT_EQ(info.m_szMotherboard, "A1");
    EXPECT_EQ(info.m_szMemory, "64K");

    Reply other({"3.20", "A1", "11.0592M", "64K"}, 2);
    ASSERT_TRUE(IsInfoReplyValid(other.bytes, kInfoReplyBufferSize));
    const CSignInfo none = ReadInfoFields(other.bytes, kInfoReplyBufferSize);
    EXPECT_TRUE(none.m_szVersion.empty() && none.m_szMemory.empty());
}

TEST(SerialLink, ReadComBlockIsShortWhenLessThanTheLengthByteSaysArrived)
{
    CComPortMap ports;
    CRecordingTransport line;
    CSerialLink link(line, ports);
    link.m_nBlockTimeoutMs = 10;
    ASSERT_EQ(link.InitComPort(1, COM_OPEN), 1);
    Reply r({"3.20", "A1", "11.0592M", "64K"});
    std::uint8_t buffer[kInfoReplyBufferSize] = {};

    line.Inject(std::vector<std::uint8_t>(r.bytes, r.bytes + r.length));
    EXPECT_FALSE(link.ReadComBlock(buffer, kInfoReplyBufferSize));

    std::memset(buffer, 0, sizeof buffer);
    line.Inject(std::vector<std::uint8_t>(r.bytes, r.bytes + r.length - 1));
    EXPECT_TRUE(link.ReadComBlock(buffer, kInfoReplyBufferSize));

    std::memset(buffer, 0, sizeof buffer);
    EXPECT_TRUE(link.ReadComBlock(buffer, kInfoReplyBufferSize)) << "nothing at all";
}

TEST(SerialLink, BytesAfterTheAckAreKeptForTheReplyBlock)
{
    CComPortMap ports;
    CRecordingTransport line;
    CSerialLink link(line, ports);
    ASSERT_EQ(link.InitComPort(1, COM_OPEN), 1);
    Reply r({"3.20", "A1", "11.0592M", "64K"});
    std::vector<std::uint8_t> burst {0x00, 'Y'};
    burst.insert(burst.end(), r.bytes, r.bytes + r.length);
    line.Inject(burst);
    EXPECT_EQ(link.WaitForAck(10), kWaitOk);
    std::uint8_t buffer[kInfoReplyBufferSize] = {};
    EXPECT_FALSE(link.ReadComBlock(buffer, kInfoReplyBufferSize));
    EXPECT_TRUE(IsInfoReplyValid(buffer, kInfoReplyBufferSize));
}

TEST(SerialLink, WaitsSkipOtherBytesAndTellNothingFromError)
{
    CComPortMap ports;
    CRecordingTransport line;
    CSerialLink link(line, ports);
    ASSERT_EQ(link.InitComPort(2, COM_OPEN), 2);
    EXPECT_EQ(link.ReadComByte(), 0) << "empty read";
    line.Inject({0x00, 'K', 'x', 'E'});
    EXPECT_TRUE(link.WaitForByte('K', 10));
    EXPECT_EQ(link.WaitForAck(10), kWaitError);
    EXPECT_EQ(link.WaitForAck(10), kWaitNothing);
    line.Inject({'Q', 'Q'});
    EXPECT_FALSE(link.WaitForByte('K', 10));
}

TEST(SerialLink, OpeningAgainClosesTheOldPortFirstAndFreeWhileHeld)
{
    CComPortMap ports;
    ports.SetDevicePath(1, "/dev/ttyS4");
    ports.SetDevicePath(2, "/dev/pts/9");
    CRecordingTransport line;
    CSerialLink link(line, ports);
    line.m_bDeviceFree = false;
    EXPECT_FALSE(link.IsComPortFree(1));
    ASSERT_EQ(link.InitComPort(1, COM_OPEN), 1);
    EXPECT_TRUE(link.IsComPortFree(1)) << "the port this program holds counts as free";
    ASSERT_EQ(link.InitComPort(2, COM_OPEN), 2);
    EXPECT_EQ(line.m_nCloseCount, 1);
    EXPECT_EQ(line.m_aOpened, (std::vector<std::string> {"/dev/ttyS4", "/dev/pts/9"}));
    EXPECT_EQ(link.InitComPort(1, COM_DATA), 2) << "switching works on the open port";
    link.CloseComPort();
    EXPECT_EQ(link.InitComPort(1, COM_ADDRESS), 0) << "no port open";
}
