#pragma once
// A profile held in memory: for tests and for runs that must not touch the user's file.

#include "app/IProfile.h"

#include <map>
#include <utility>

class CMemoryProfile : public IProfile {
public:
    int GetProfileInt(const std::string& section, const std::string& key, int defaultValue) const override;
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const override;
    void WriteProfileInt(const std::string& section, const std::string& key, int value) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;

    bool Has(const std::string& section, const std::string& key) const;
    std::size_t WriteCount() const { return m_nWrites; }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
    std::size_t m_nWrites = 0;
};
