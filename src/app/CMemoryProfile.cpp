#include "app/CMemoryProfile.h"

#include <cstdlib>

int CMemoryProfile::GetProfileInt(const std::string& section, const std::string& key, int defaultValue) const
{
    auto it = m_values.find({section, key});
    if (it == m_values.end()) return defaultValue;
    return int(std::strtol(it->second.c_str(), nullptr, 10));
}

std::string CMemoryProfile::GetProfileString(const std::string& section, const std::string& key,
                                             const std::string& defaultValue) const
{
    auto it = m_values.find({section, key});
    return it == m_values.end() ? defaultValue : it->second;
}

void CMemoryProfile::WriteProfileInt(const std::string& section, const std::string& key, int value)
{
    m_values[{section, key}] = std::to_string(value);
    ++m_nWrites;
}

void CMemoryProfile::WriteProfileString(const std::string& section, const std::string& key,
                                        const std::string& value)
{
    m_values[{section, key}] = value;
    ++m_nWrites;
}

bool CMemoryProfile::Has(const std::string& section, const std::string& key) const
{
    return m_values.count({section, key}) != 0;
}
