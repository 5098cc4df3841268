#pragma once
// Sign addresses: the string the user types ("3,4,5", "0" for every sign), its checks,
// and the list the senders work from.

#include <array>
#include <cstdint>
#include <string>

constexpr int kMaxAddressChars = 1024;
constexpr int kMaxAddressCount = 255;

struct CAddressList {
    std::array<std::uint8_t, kMaxAddressCount> m_abyAddress {};
    int m_nAddressCount = 0;
};

// The first failing check of the address dialog; empty message when the string passes.
struct CAddressCheck {
    std::string m_szMessage;
    std::string m_szCaption;
    bool Ok() const { return m_szMessage.empty(); }
};

// The checks in the order the dialog runs them: characters, length, first and last
// character, then one pass over the commas (too many numbers, two commas in a row), and
// last the range of every number (0..255).
CAddressCheck CheckAddressString(const std::string& text);

// Splits a checked string into the list, in string order. A string that does not pass
// CheckAddressString leaves the list empty and returns false, so that an unchecked
// string (a damaged profile entry, say) can never turn into a broadcast.
bool ParseAddressList(const std::string& text, CAddressList& list);

// True when the list holds at least one address and one of them is 0 (every sign).
bool HasBroadcastAddress(const CAddressList& list);
