#include "app/CSettingsProfile.h"

#include <QSettings>
#include <QString>
#include <QStringList>

namespace {
QString KeyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}
}  // namespace

CSettingsProfile::CSettingsProfile()
    : m_pSettings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                              QStringLiteral("Vemt"), QStringLiteral("Vemt")))
{
}

CSettingsProfile::CSettingsProfile(const std::string& iniPath)
    : m_pSettings(std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat))
{
}

CSettingsProfile::~CSettingsProfile() = default;

int CSettingsProfile::GetProfileInt(const std::string& section, const std::string& key, int defaultValue) const
{
    const QVariant v = m_pSettings->value(KeyPath(section, key));
    if (!v.isValid()) return defaultValue;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    return ok ? n : defaultValue;
}

std::string CSettingsProfile::GetProfileString(const std::string& section, const std::string& key,
                                               const std::string& defaultValue) const
{
    const QVariant v = m_pSettings->value(KeyPath(section, key));
    if (!v.isValid()) return defaultValue;
    // An unquoted value with commas (an address list typed by hand) reads as a list.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QLatin1Char(',')).toStdString();
    return v.toString().toStdString();
}

void CSettingsProfile::WriteProfileInt(const std::string& section, const std::string& key, int value)
{
    m_pSettings->setValue(KeyPath(section, key), value);
}

void CSettingsProfile::WriteProfileString(const std::string& section, const std::string& key,
                                          const std::string& value)
{
    m_pSettings->setValue(KeyPath(section, key), QString::fromStdString(value));
}

std::string CSettingsProfile::FileName() const
{
    return m_pSettings->fileName().toStdString();
}

void CSettingsProfile::Sync()
{
    m_pSettings->sync();
}
