#include "app/CRecentFileList.h"

#include "app/IProfile.h"

#include <algorithm>

namespace {
const char* const kSection = "Recent File List";
std::string Key(int i) { return "File" + std::to_string(i + 1); }
}  // namespace

void CRecentFileList::Load(const IProfile& profile)
{
    m_aPaths.clear();
    for (int i = 0; i < kMaxEntries; ++i) {
        const std::string path = profile.GetProfileString(kSection, Key(i), "");
        if (!path.empty() && std::find(m_aPaths.begin(), m_aPaths.end(), path) == m_aPaths.end())
            m_aPaths.push_back(path);
    }
}

void CRecentFileList::Save(IProfile& profile) const
{
    for (int i = 0; i < kMaxEntries; ++i)
        profile.WriteProfileString(kSection, Key(i), i < int(m_aPaths.size()) ? m_aPaths[std::size_t(i)] : "");
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty()) return;
    Remove(path);
    m_aPaths.insert(m_aPaths.begin(), path);
    if (m_aPaths.size() > std::size_t(kMaxEntries)) m_aPaths.resize(kMaxEntries);
}

void CRecentFileList::Remove(const std::string& path)
{
    m_aPaths.erase(std::remove(m_aPaths.begin(), m_aPaths.end(), path), m_aPaths.end());
}
