#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "document/CDocumentFiles.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CVemtView.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class MainFrameFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        app.m_nTPWidth = 32;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 2;
        char templ[] = "/tmp/vemt-frame-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string WriteDocument(const std::string& name)
    {
        CVemtDoc doc(&app);
        doc.AddObj(new CDrawRect(CRect(1, 17, 9, 25), 0x00FF00, 0x00FF00, 1, 1));
        const auto bytes = CKvxFile::WriteKvx(doc, app);
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return path;
    }

    CVemtApp app;
    CMemoryProfile profile;
    std::string dir;
};

TEST_F(MainFrameFilesTest, ADocumentFileOpensInItsOwnWindowAndJoinsTheRecentFiles)
{
    const std::string path = WriteDocument("morning.KVX");
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.OpenDocumentWindow(QString::fromStdString(path));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), "LED Lextrel Software(morning.KVX)");
    EXPECT_EQ(child->Document().m_objects.size(), 1u);
    EXPECT_FALSE(child->Document().IsModified());
    EXPECT_EQ(child->View()->Dots().GetPixel(1, 17), 0x00FF00u) << "the view shows what was read";
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1", ""), path);
    EXPECT_EQ(frame.ActiveChild(), child);
}

TEST_F(MainFrameFilesTest, SavingANewDocumentKeepsItsNameAndCompanion)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    EXPECT_EQ(child->windowTitle(), "LED Lextrel Software");
    child->Document().AddObj(new CDrawRect(CRect(0, 0, 4, 4), 0x0000FF, 0, 1, 0));
    const std::string path = dir + "/new.KVX";
    child->Files().SetPathName(path);
    ASSERT_TRUE(child->Files().SaveDoc());
    child->UpdateTitle();
    EXPECT_EQ(child->windowTitle(), "LED Lextrel Software(new.KVX)");
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::exists(child->Files().GetParPath()));
    EXPECT_FALSE(child->Document().IsModified());
}

}  // namespace
