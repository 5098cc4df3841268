#pragma once
// What a simulated line passed on to its signs: each byte with the ninth bit it carried
// ('M' mark, 'S' space, 'N' no stick parity). Written by the line's thread, read by tests.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class CReceivedLineLog {
public:
    void Append(const std::uint8_t* bytes, std::size_t count, char ninthBit)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_szParity.append(count, ninthBit);
        m_aBytes.insert(m_aBytes.end(), bytes, bytes + count);
    }
    std::string Parity() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_szParity;
    }
    std::vector<std::uint8_t> Bytes() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_aBytes;
    }

private:
    mutable std::mutex m_mutex;
    std::string m_szParity;
    std::vector<std::uint8_t> m_aBytes;
};
