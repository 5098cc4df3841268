#pragma once
// Whole numbers typed on the command line: digits with an optional minus sign, nothing else.

#include <charconv>
#include <optional>
#include <string>

inline std::optional<int> ParseInt(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}
