#include "comm/CAddressList.h"

#include "comm/CommTexts.h"

CAddressCheck CheckAddressString(const std::string& text)
{
    using namespace CommTexts;
    for (char c : text)
        if (!(c >= '0' && c <= '9') && c != ',') return {kAddrBadChar, kAddrBadCharCaption};
    if (text.size() > std::size_t(kMaxAddressChars)) return {kAddrTooLong, kAddrCaption};
    // The dialog keeps "Ok" disabled for an empty edit; other callers get a plain refusal.
    if (text.empty()) return {kAddrEmpty, kAddrCaption};
    if (text.front() == ',') return {kAddrFirstComma, kAddrCaption};
    if (text.back() == ',') return {kAddrLastComma, kAddrCaption};
    int commas = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ',') continue;
        if (++commas >= kMaxAddressCount) return {kAddrTooMany, kAddrCaption};
        if (i + 1 < text.size() && text[i + 1] == ',') return {kAddrTwoCommas, kAddrTwoCommasCaption};
    }
    int value = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            value = 0;
            continue;
        }
        value = value * 10 + (text[i] - '0');
        if (value > 255) return {kAddrTooLarge, kAddrCaption};
    }
    return {};
}

bool ParseAddressList(const std::string& text, CAddressList& list)
{
    list.m_abyAddress.fill(0);
    list.m_nAddressCount = 0;
    if (!CheckAddressString(text).Ok()) return false;
    int value = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            list.m_abyAddress[std::size_t(list.m_nAddressCount++)] = std::uint8_t(value);
            value = 0;
            continue;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool HasBroadcastAddress(const CAddressList& list)
{
    for (int i = 0; i < list.m_nAddressCount; ++i)
        if (list.m_abyAddress[std::size_t(i)] == 0) return true;
    return false;
}
