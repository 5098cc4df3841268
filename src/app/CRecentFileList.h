#pragma once
// The documents opened or saved last, newest first, kept in the profile (section
// "Recent File List", keys "File1" .. "File4") and offered in the File menu.

#include <string>
#include <vector>

class IProfile;

class CRecentFileList {
public:
    static constexpr int kMaxEntries = 4;

    void Load(const IProfile& profile);
    void Save(IProfile& profile) const;

    // Puts path first; an entry for the same path moves up instead of repeating.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Entries() const { return m_aPaths; }

private:
    std::vector<std::string> m_aPaths;
};
