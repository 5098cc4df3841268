#pragma once
// The user profile as an INI file (QSettings), by default
// $XDG_CONFIG_HOME/Vemt/Vemt.ini (~/.config/Vemt/Vemt.ini).

#include "app/IProfile.h"

#include <memory>

class QSettings;

class CSettingsProfile : public IProfile {
public:
    CSettingsProfile();                               // the user's profile
    explicit CSettingsProfile(const std::string& iniPath);  // a given file
    ~CSettingsProfile() override;

    int GetProfileInt(const std::string& section, const std::string& key, int defaultValue) const override;
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const override;
    void WriteProfileInt(const std::string& section, const std::string& key, int value) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;

    std::string FileName() const;
    void Sync();

private:
    std::unique_ptr<QSettings> m_pSettings;
};
