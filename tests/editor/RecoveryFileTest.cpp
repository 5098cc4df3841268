// The recovery file's bytes: everything a document would save comes back exactly, and
// any file cut short, overwritten or not ours is told apart from a sound one.

#include "editor/autosave/CRecoveryFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
CRecoveryState Sample()
{
    CRecoveryState state;
    state.m_szDocPath = "/home/sign/morning.KVX";
    state.m_szTitle = "morning.KVX";
    for (int i = 0; i < 300; ++i) state.m_kvxBytes.push_back(std::uint8_t(i * 7));
    state.m_parBytes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    return state;
}
}  // namespace

TEST(RecoveryFile, WhatIsWrittenComesBackExactly)
{
    for (const CRecoveryState& state : {Sample(), CRecoveryState{}}) {
        std::string error;
        const auto read = CRecoveryFile::Decode(CRecoveryFile::Encode(state), error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(*read, state);
    }
}

TEST(RecoveryFile, AFileCutShortOrChangedIsDamaged)
{
    const std::vector<std::uint8_t> good = CRecoveryFile::Encode(Sample());
    std::vector<std::vector<std::uint8_t>> damaged;
    for (std::size_t cut = 0; cut < good.size(); cut += 5) damaged.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(cut));
    for (std::size_t at = 0; at < good.size(); at += 11) {
        auto changed = good;
        changed[at] ^= 0x20;
        damaged.push_back(changed);
    }
    auto longer = good;
    longer.push_back(0);
    damaged.push_back(longer);
    for (const auto& bytes : damaged) {
        std::string error;
        EXPECT_FALSE(CRecoveryFile::Decode(bytes, error)) << bytes.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(RecoveryFile, TheFolderFollowsTheStateDirectoryAndListsOnlyRecoveryFiles)
{
    const char* oldState = std::getenv("XDG_STATE_HOME");
    const std::string saved = oldState ? oldState : "";
    setenv("XDG_STATE_HOME", "/var/tmp/state-test", 1);
    EXPECT_EQ(CRecoveryFile::Directory(), "/var/tmp/state-test/Vemt/recovery");
    setenv("XDG_STATE_HOME", "relative", 1);  // not absolute: ignored
    EXPECT_NE(CRecoveryFile::Directory().find("/.local/state/Vemt/recovery"), std::string::npos);
    if (oldState) setenv("XDG_STATE_HOME", saved.c_str(), 1);
    else unsetenv("XDG_STATE_HOME");

    char templ[] = "/tmp/vemt-recovery-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    const std::string dir = templ;
    for (const char* name : {"2-1.vemt-recovery", "1-1.vemt-recovery", "1-1.vemt-recovery.lock",
                             "0-1.vemt-recovery.damaged", "notes.txt"})
        std::ofstream(dir + "/" + name) << "x";
    EXPECT_EQ(CRecoveryFile::List(dir),
              (std::vector<std::string>{dir + "/1-1.vemt-recovery", dir + "/2-1.vemt-recovery"}));
    EXPECT_TRUE(CRecoveryFile::List(dir + "/missing").empty());
    std::filesystem::remove_all(dir);
}
