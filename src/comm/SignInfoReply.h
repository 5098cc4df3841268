#pragma once
// The one block a sign sends back: its answer to the information query.
//   0..4 'U' x5, 5 L (signed: bytes from 5 up to the checksum), 6 '>', 7 type (1 = info),
//   8.. four blank-separated texts, 5 + L checksum of bytes 5 .. 4 + L.

#include <cstdint>
#include <functional>
#include <string>

class CSerialLink;

constexpr int kInfoReplyBufferSize = 255;
constexpr int kInfoFieldMaxChars = 50;

struct CSignInfo {
    std::string m_szVersion;
    std::string m_szMotherboard;
    std::string m_szCrystal;
    std::string m_szMemory;
};

enum class EQueryResult {
    Ok,          // valid reply, fields read
    NoReply,     // the query frame itself was not acknowledged
    Short,       // fewer bytes than the length byte announces
    BadFormat,   // 'U' bytes, '>' or checksum wrong
};

// Whether the block has the five 'U', the '>' and a matching checksum inside size bytes.
bool IsInfoReplyValid(const std::uint8_t* reply, int size);
// The four fields of a valid reply of type 1 (all empty for other types). A field ends
// at a blank, at the checksum, at a zero byte or after 50 characters.
CSignInfo ReadInfoFields(const std::uint8_t* reply, int size);
// Builds a reply the way a sign does (used by the sign simulator and by tests).
int BuildInfoReply(std::uint8_t* reply, int size, const CSignInfo& info, std::uint8_t type = 1);

// One query exchange on an open port. acknowledged, when given, is called as soon as the
// sign has taken the query frame, before its reply is read.
EQueryResult QuerySignInfo(CSerialLink& link, std::uint8_t address, CSignInfo& info,
                           const std::function<void()>& acknowledged = {});
