#include "comm/SignInfoReply.h"

#include "comm/CSerialLink.h"
#include "comm/FrameProtocol.h"

#include <cstring>

bool IsInfoReplyValid(const std::uint8_t* reply, int size)
{
    if (size < 8) return false;
    for (int i = 0; i < 5; ++i)
        if (reply[i] != 'U') return false;
    if (reply[6] != '>') return false;
    const int L = int(std::int8_t(reply[5]));
    // A length that points before the type byte or past the buffer is a broken reply,
    // never an index to follow.
    if (L < 2 || 5 + L >= size) return false;
    unsigned sum = 0;
    for (int i = 5; i <= 4 + L; ++i) sum += reply[i];
    return std::uint8_t(sum) == reply[5 + L];
}

CSignInfo ReadInfoFields(const std::uint8_t* reply, int size)
{
    CSignInfo info;
    if (!IsInfoReplyValid(reply, size) || reply[7] != 1) return info;
    const int end = 5 + int(std::int8_t(reply[5]));  // the checksum is not text
    std::string* fields[4] = {&info.m_szVersion, &info.m_szMotherboard, &info.m_szCrystal, &info.m_szMemory};
    int pos = 8;
    for (std::string* field : fields) {
        while (pos < end && reply[pos] != ' ' && reply[pos] != 0) {
            if (int(field->size()) < kInfoFieldMaxChars) field->push_back(char(reply[pos]));
            ++pos;
        }
        if (pos < end && reply[pos] == ' ') ++pos;
    }
    return info;
}

int BuildInfoReply(std::uint8_t* reply, int size, const CSignInfo& info, std::uint8_t type)
{
    const std::string text = info.m_szVersion + " " + info.m_szMotherboard + " " + info.m_szCrystal + " " + info.m_szMemory;
    const int L = 3 + int(text.size());  // length byte, '>', type, text
    if (L > 127 || L + 6 > size) return 0;
    std::memset(reply, 0, std::size_t(size));
    std::memset(reply, 'U', 5);
    reply[5] = std::uint8_t(L);
    reply[6] = '>';
    reply[7] = type;
    std::memcpy(reply + 8, text.data(), text.size());
    unsigned sum = 0;
    for (int i = 5; i <= 4 + L; ++i) sum += reply[i];
    reply[5 + L] = std::uint8_t(sum);
    return L + 6;
}

EQueryResult QuerySignInfo(CSerialLink& link, std::uint8_t address, CSignInfo& info,
                           const std::function<void()>& acknowledged)
{
    info = CSignInfo {};
    std::uint8_t frame[kQueryFrameSize];
    BuildQueryFrame(frame, address);
    if (SendFrame(link, frame, kQueryFrameSize) != kFrameDelivered) return EQueryResult::NoReply;
    if (acknowledged) acknowledged();
    std::uint8_t reply[kInfoReplyBufferSize] = {};
    if (link.ReadComBlock(reply, kInfoReplyBufferSize)) return EQueryResult::Short;
    if (!IsInfoReplyValid(reply, kInfoReplyBufferSize)) return EQueryResult::BadFormat;
    info = ReadInfoFields(reply, kInfoReplyBufferSize);
    return EQueryResult::Ok;
}
