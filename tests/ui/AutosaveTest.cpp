// Autosave and recovery with real document windows: a modified document's state in its
// recovery file, gone once saved or closed; restoring, discarding, damaged files kept
// aside, and files of a copy of the program that still runs left alone.

#include "RecordingMessageSink.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "document/CDocumentFiles.h"
#include "document/CDrawRect.h"
#include "document/CFileBytes.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/autosave/CAutosave.h"
#include "editor/undo/CEditRecorder.h"
#include "editor/undo/CUndoHistory.h"

#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {
class AutosaveTest : public testing::Test {
protected:
    void SetUp() override
    {
        app.m_nTPWidth = 32;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 2;
        char templ[] = "/tmp/vemt-autosave-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::vector<std::uint8_t> ReadAll(const std::string& path)
    {
        std::vector<std::uint8_t> bytes;
        std::string error;
        EXPECT_EQ(CFileBytes::Read(path, 1 << 20, bytes, error), CFileBytes::ReadResult::Ok) << path;
        return bytes;
    }
    void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    }
    CRecoveryState StateWithOneRect(const std::string& path)
    {
        CVemtDoc doc(&app);
        doc.AddObj(new CDrawRect(CRect(2, 3, 12, 9), 0x0000FF, 0x00FF00, 1, 1));
        CRecoveryState state;
        state.m_szDocPath = path;
        state.m_szTitle = path.empty() ? "Vemt1" : std::filesystem::path(path).filename().string();
        state.m_kvxBytes = CKvxFile::WriteKvx(doc, app);
        return state;
    }

    CVemtApp app;
    CMemoryProfile profile;
    RecordingMessageSink messages;
    std::string dir;
};

TEST_F(AutosaveTest, AModifiedDocumentIsWrittenAndItsFileGoesWhenSavedOrClosed)
{
    CMainFrame frame(app, profile);
    CAutosave autosave(frame, app, dir, 60);
    CChildFrame* child = frame.NewDocumentWindow();
    autosave.SaveAll();
    EXPECT_EQ(autosave.FileOf(child), "") << "nothing to keep for an unchanged document";

    child->Document().AddObj(new CDrawRect(CRect(0, 0, 4, 4), 0x0000FF, 0, 1, 0));
    autosave.SaveAll();
    const std::string file = autosave.FileOf(child);
    ASSERT_FALSE(file.empty());
    std::string error;
    const auto state = CRecoveryFile::Decode(ReadAll(file), error);
    ASSERT_TRUE(state) << error;
    EXPECT_EQ(*state, CAutosave::StateOf(*child, app));
    EXPECT_EQ(state->m_kvxBytes, CKvxFile::WriteKvx(child->Document(), app));

    // A further change is written over it.
    child->Document().AddObj(new CDrawRect(CRect(5, 5, 9, 9), 0x00FF00, 0, 1, 0));
    autosave.SaveAll();
    EXPECT_EQ(CRecoveryFile::Decode(ReadAll(file), error)->m_kvxBytes, CKvxFile::WriteKvx(child->Document(), app));

    // Saved: the file goes.
    child->Files().SetPathName(dir + "/saved.KVX", false);
    ASSERT_TRUE(child->Files().SaveDoc());
    autosave.SaveAll();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(autosave.FileOf(child), "");

    // Changed again, then the window closes without saving: the file goes too.
    child->Document().AddObj(new CDrawRect(CRect(1, 1, 3, 3), 0x00FF00, 0, 1, 0));
    autosave.SaveAll();
    const std::string second = autosave.FileOf(child);
    ASSERT_TRUE(std::filesystem::exists(second));
    child->Document().SetModifiedFlag(false);  // the close question answered "No"
    delete child->parentWidget();
    EXPECT_FALSE(std::filesystem::exists(second));
    EXPECT_TRUE(CRecoveryFile::List(dir).empty());
}

TEST_F(AutosaveTest, RestoreOpensTheDocumentModifiedUnderItsOwnPath)
{
    const std::string path = dir + "/morning.KVX";
    const CRecoveryState left = StateWithOneRect(path);
    const std::string file = dir + "/1-1.vemt-recovery";
    WriteAll(file, CRecoveryFile::Encode(left));

    CMainFrame frame(app, profile);
    CAutosave autosave(frame, app, dir, 60);
    int asked = 0;
    const auto restored = autosave.OfferRecovery(
        [&](const CRecoveryState& state) {
            ++asked;
            EXPECT_EQ(state.m_szDocPath, path);
            return ERecoveryChoice::Restore;
        },
        messages);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(restored.size(), 1u);
    CChildFrame* child = restored.front();
    EXPECT_TRUE(child->Document().IsModified());
    EXPECT_EQ(child->Files().GetPathName(), path);
    EXPECT_EQ(child->windowTitle(), "LED Lextrel Software(morning.KVX)");
    EXPECT_EQ(CKvxFile::WriteKvx(child->Document(), app), left.m_kvxBytes);
    EXPECT_TRUE(messages.messages.empty());
    // The state lives on in this run's own file; the old one is gone.
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_FALSE(autosave.FileOf(child).empty());
    EXPECT_EQ(CRecoveryFile::List(dir), std::vector<std::string>{autosave.FileOf(child)});

    // A change undone again leaves the restored message unsaved, and its file in place.
    {
        CEditRecorder recorder(child->Document());
        child->Document().AddObj(new CDrawRect(CRect(0, 0, 3, 3), 0x00FF00, 0, 1, 0));
        recorder.Commit(QStringLiteral("Rectangle"));
    }
    CUndoHistory::Of(child->Document()).Undo();
    EXPECT_TRUE(child->Document().IsModified());
    autosave.SaveAll();
    EXPECT_FALSE(autosave.FileOf(child).empty());

    // Save goes to the original path without asking.
    ASSERT_TRUE(child->Files().SaveDoc());
    EXPECT_EQ(ReadAll(path), left.m_kvxBytes);
}

TEST_F(AutosaveTest, DiscardRemovesDamagedIsKeptAsideARunningCopysFileIsLeftAlone)
{
    const std::string discard = dir + "/1-1.vemt-recovery";
    const std::string damaged = dir + "/1-2.vemt-recovery";
    const std::string running = dir + "/1-3.vemt-recovery";
    WriteAll(discard, CRecoveryFile::Encode(StateWithOneRect("")));
    auto cut = CRecoveryFile::Encode(StateWithOneRect(dir + "/x.KVX"));
    cut.resize(cut.size() - 9);
    WriteAll(damaged, cut);
    WriteAll(running, CRecoveryFile::Encode(StateWithOneRect("")));
    QLockFile held(QString::fromStdString(running + ".lock"));
    ASSERT_TRUE(held.tryLock(0));

    CMainFrame frame(app, profile);
    CAutosave autosave(frame, app, dir, 60);
    int asked = 0;
    const auto restored = autosave.OfferRecovery(
        [&](const CRecoveryState&) {
            ++asked;
            return ERecoveryChoice::Discard;
        },
        messages);
    EXPECT_TRUE(restored.empty());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(std::filesystem::exists(discard));
    EXPECT_FALSE(std::filesystem::exists(damaged));
    EXPECT_TRUE(std::filesystem::exists(damaged + ".damaged"));
    EXPECT_EQ(ReadAll(damaged + ".damaged"), cut);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find(damaged + ".damaged"), std::string::npos) << messages.messages[0].text;
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
}
}  // namespace
