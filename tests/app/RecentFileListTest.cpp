#include "app/CMemoryProfile.h"
#include "app/CRecentFileList.h"

#include <gtest/gtest.h>

namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, KeepsFourNewestFirstWithoutRepeats)
{
    CRecentFileList list;
    for (const char* p : {"/a.KVX", "/b.KVX", "/c.KVX", "/d.KVX", "/e.KVX"}) list.Add(p);
    EXPECT_EQ(list.Entries(), (Paths {"/e.KVX", "/d.KVX", "/c.KVX", "/b.KVX"}));
    list.Add("/c.KVX");
    EXPECT_EQ(list.Entries(), (Paths {"/c.KVX", "/e.KVX", "/d.KVX", "/b.KVX"}));
    list.Add("");
    EXPECT_EQ(list.Entries().size(), 4u);
}

TEST(RecentFileList, RoundTripsThroughTheProfile)
{
    CMemoryProfile profile;
    CRecentFileList list;
    list.Add("/one.KVX");
    list.Add("/two.KVX");
    list.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1", ""), "/two.KVX");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File2", ""), "/one.KVX");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File3", "x"), "");

    CRecentFileList again;
    again.Load(profile);
    EXPECT_EQ(again.Entries(), (Paths {"/two.KVX", "/one.KVX"}));
}

}  // namespace
