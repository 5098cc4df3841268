#include "app/VemtIni.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <fstream>
#include <unistd.h>

namespace {

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The leading integer of a value (optional sign, then digits, rest ignored).
bool ParseLeadingInt(const std::string& value, int& result)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    if (i >= value.size() || !std::isdigit(static_cast<unsigned char>(value[i]))) return false;
    long long n = 0;
    for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i) {
        n = n * 10 + (value[i] - '0');
        if (n > INT_MAX) n = INT_MAX;  // saturate instead of overflowing
    }
    result = int(negative ? -n : n);
    return true;
}

}  // namespace

int ReadIniInt(const std::string& path, const std::string& section, const std::string& key,
               int defaultValue)
{
    std::ifstream in(path);
    if (!in) return defaultValue;
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        const std::string t = Trim(line);
        if (t.empty() || t[0] == ';') continue;
        if (t.front() == '[') {
            const auto close = t.find(']');
            inSection = close != std::string::npos && EqualNoCase(Trim(t.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        const auto eq = t.find('=');
        if (eq == std::string::npos || !EqualNoCase(Trim(t.substr(0, eq)), key)) continue;
        // An empty value keeps the default; text that is no number reads as 0.
        const std::string value = Trim(t.substr(eq + 1));
        if (value.empty()) return defaultValue;
        int n = 0;
        return ParseLeadingInt(value, n) ? n : 0;
    }
    return defaultValue;
}

std::string VemtIniPath()
{
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer)) return "Vemt.ini";
    std::string dir = buffer;
    if (!dir.empty() && dir.back() == '/') dir.pop_back();
    return dir + "/Vemt.ini";
}

int ReadNeedKVX(const std::string& path)
{
    return ReadIniInt(path, "TPInfo", "NeedKVX", 1);
}
