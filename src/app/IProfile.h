#pragma once
// The user's persistent profile: sections of integer and text keys. A missing key is
// never an error: the caller's default comes back.

#include <string>

class IProfile {
public:
    virtual ~IProfile() = default;
    virtual int GetProfileInt(const std::string& section, const std::string& key, int defaultValue) const = 0;
    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const = 0;
    virtual void WriteProfileInt(const std::string& section, const std::string& key, int value) = 0;
    virtual void WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
};
