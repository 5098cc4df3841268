#include "document/CDocumentFiles.h"

#include "FakeDrawView.h"
#include "SampleDocument.h"
#include "app/IMessageSink.h"
#include "document/CKvxFile.h"
#include "programme/TimerTableBytes.h"

#include <gtest/gtest.h>

#include <optional>

#include <csignal>
#include <deque>
#include <sys/resource.h>

namespace {

struct Shown {
    std::string text;
    std::string caption;
};

struct ScriptedSink : IMessageSink {
    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageButtons,
                              MessageIcon) override
    {
        shown.push_back({text, caption});
        if (answers.empty()) return MessageAnswer::Ok;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct ScriptedDialogs : IFileDialogs {
    std::optional<std::string> savePath;
    std::optional<std::string> openPath;
    int saveAsked = 0;
    int openAsked = 0;
    CFileDialogParams lastParams;
    std::optional<std::string> GetSavePath(const CFileDialogParams& p) override
    {
        ++saveAsked;
        lastParams = p;
        return savePath;
    }
    std::optional<std::string> GetOpenPath(const CFileDialogParams& p) override
    {
        ++openAsked;
        lastParams = p;
        return openPath;
    }
};

class DocumentFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 3;
        doc.AddView(&view);
    }

    CVemtApp app;
    CVemtDoc doc{&app};
    CFakeDrawView view;
    ScriptedSink sink;
    ScriptedDialogs dialogs;
    CDocumentFiles files{doc, app, sink, dialogs};
    TempDir dir;
};

TEST_F(DocumentFilesTest, SavingAnEmptyDocumentWrites60BytesAndA12ByteCompanion)
{
    dialogs.savePath = dir / "empty.KVX";
    ASSERT_TRUE(files.SaveDoc());
    EXPECT_EQ(dialogs.saveAsked, 1);
    EXPECT_EQ(dialogs.lastParams.m_szFilter, "VazuVida (*.KVX)|*.KVX|");
    EXPECT_EQ(dialogs.lastParams.m_szQtFilter, "VazuVida (*.KVX)");
    EXPECT_EQ(dialogs.lastParams.m_szDefaultExt, "*.KVX");
    EXPECT_TRUE(dialogs.lastParams.m_bOverwritePrompt);

    const Bytes kvx = ReadAll(dir / "empty.KVX");
    ASSERT_EQ(kvx.size(), 60u);
    EXPECT_EQ(Bytes(kvx.begin(), kvx.begin() + 4), (Bytes{0x51, 0x6A, 0, 0}));
    EXPECT_EQ(ReadAll(dir / "empty.par"), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(files.GetPathName(), dir / "empty.KVX");
    EXPECT_EQ(files.GetDisplayTitle(), "LED Lextrel Software(empty.KVX)");
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(DocumentFilesTest, CompanionHoldsOneRecordPerScreenInUseUpToTheScreensComposed)
{
    struct Case {
        int totalScreen;
        int bottom;
        std::size_t records;
    } cases[] = {{3, 40, 3}, {2, 40, 2}, {3, 16, 1}, {3, 17, 2}, {5, 40, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE("screens " + std::to_string(c.totalScreen) + ", bottom " + std::to_string(c.bottom));
        app.m_nTotalScreen = c.totalScreen;
        app.m_aScreenInfo.assign(1, SCREENINFO{});
        app.m_aScreenInfo[0].byImport = 7;
        doc.AddObj(MakeRect(0, {0, 1, 10, c.bottom}, 0xFF, 0, 1, 0, {16, 16}));
        dialogs.savePath = dir / "screens.KVX";
        ASSERT_TRUE(files.SaveDocAs());
        const Bytes par = ReadAll(dir / "screens.par");
        ASSERT_EQ(par.size(), 12 + 16 * c.records);
        EXPECT_EQ(par[0], 7);  // the first record kept
        files.ClearDocument(false);
    }
}

TEST_F(DocumentFilesTest, LoadingTakesObjectsTimersAndTwoRecordsFromA44ByteCompanion)
{
    CVemtApp other;
    CVemtDoc source(&other);
    FillSampleDocument(source, other);
    WriteAll(dir / "show.KVX", CKvxFile::WriteKvx(source, other));
    Bytes par(44, 0);
    par[0] = 3;        // record 0 import
    par[16 + 1] = 5;   // record 1 export
    par[32] = 0xF6;    // clock X = -10
    par[33] = par[34] = par[35] = 0xFF;
    par[36] = 4;
    WriteAll(dir / "show.par", par);

    ASSERT_TRUE(files.LoadFromPath(dir / "show.KVX"));
    EXPECT_EQ(doc.m_objects.size(), source.m_objects.size());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(app.ScreenInfoCount(), 2);
    EXPECT_EQ(app.m_aScreenInfo[0].byImport, 3);
    EXPECT_EQ(app.m_aScreenInfo[1].byExport, 5);
    EXPECT_EQ(app.m_nClockX, -10);
    EXPECT_EQ(app.m_nClockY, 4);
    Bytes a(56), b(56);
    WriteTimerTableBytes(app.m_aTimer, a.data());
    WriteTimerTableBytes(other.m_aTimer, b.data());
    EXPECT_EQ(a, b);
    EXPECT_EQ(view.m_nRenders, 2);  // the clear and the load
    EXPECT_EQ(files.GetDisplayTitle(), "LED Lextrel Software(show.KVX)");
}

TEST_F(DocumentFilesTest, AFileThatDidNotOpenIsNeitherTheDocumentsNameNorARecentFile)
{
    // Saving afterwards must ask for a name rather than overwrite the file that failed.
    struct Case {
        const char* name;
        std::optional<Bytes> bytes;  // none: the file is missing
        const char* message;
    };
    const Case cases[] = {
        {"wrong signature", Bytes{'B', 'M', 1, 2, 3}, "Sorry,the file be opened isn't created by this program!"},
        {"damaged", Bytes{'Q', 'j', 1}, nullptr},
        {"missing", std::nullopt, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sink.shown.clear();
        std::vector<std::string> recent;
        files.m_fnAddToRecent = [&](const std::string& p) { recent.push_back(p); };
        const std::string path = dir / (std::string(c.name) + ".KVX");
        if (c.bytes) WriteAll(path, *c.bytes);
        files.SetPathName(dir / "mine.KVX", false);
        doc.AddObj(MakeRect(0, {0, 0, 4, 4}, 0xFF, 0, 1, 0, {16, 16}));
        doc.SetModifiedFlag(false);
        EXPECT_FALSE(files.LoadFromPath(path));
        ASSERT_EQ(sink.shown.size(), 1u) << "the reason is shown";
        if (c.message) EXPECT_EQ(sink.shown[0].text, c.message);
        EXPECT_TRUE(doc.m_objects.empty());
        EXPECT_EQ(files.GetPathName(), "KVX.111");
        EXPECT_TRUE(recent.empty());
        EXPECT_EQ(files.GetDisplayTitle(), "LED Lextrel Software(mine.KVX)") << "the title stays";
    }
}

TEST_F(DocumentFilesTest, TimedSendingSilencesTheSignatureMessageExceptForTheFramework)
{
    WriteAll(dir / "photo.KVX", Bytes{'B', 'M'});
    files.m_bTimingSend = true;
    EXPECT_FALSE(files.LoadFromPath(dir / "photo.KVX"));
    EXPECT_TRUE(sink.shown.empty());
    // The framework opens a window anyway and always shows the message.
    EXPECT_TRUE(files.OnOpenDocument(dir / "photo.KVX"));
    EXPECT_EQ(sink.shown.size(), 1u);
}

TEST_F(DocumentFilesTest, FrameworkOpenDoesNotRender)
{
    CVemtApp other;
    CVemtDoc source(&other);
    FillSampleDocument(source, other);
    WriteAll(dir / "show.KVX", CKvxFile::WriteKvx(source, other));
    EXPECT_TRUE(files.OnOpenDocument(dir / "show.KVX"));
    EXPECT_EQ(doc.m_objects.size(), source.m_objects.size());
    EXPECT_EQ(view.m_nRenders, 0);
}

TEST_F(DocumentFilesTest, ADamagedFileIsReportedAndLeavesTheDocumentEmpty)
{
    Bytes bytes = {0x51, 0x6A, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x03, 0x00, 'C', 'X', 'Y'};
    WriteAll(dir / "bad.KVX", bytes);
    EXPECT_FALSE(files.LoadFromPath(dir / "bad.KVX"));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_NE(sink.shown[0].text.find(dir / "bad.KVX"), std::string::npos);
    EXPECT_TRUE(doc.m_objects.empty());
}

TEST_F(DocumentFilesTest, CancelOnTheSaveQuestionLeavesDocumentAndPathUntouched)
{
    dialogs.savePath = dir / "mine.KVX";
    ASSERT_TRUE(files.SaveDoc());
    doc.AddObj(MakeRect(0, {0, 0, 4, 4}, 0xFF, 0, 1, 0, {16, 16}));
    sink.answers = {MessageAnswer::Cancel};
    dialogs.openPath = dir / "other.KVX";
    EXPECT_FALSE(files.OpenDocCmd());
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "The file has been changed,Save it ot not?");
    EXPECT_EQ(sink.shown[0].caption, "Please confirm");
    EXPECT_EQ(doc.m_objects.size(), 1u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(files.GetPathName(), dir / "mine.KVX");
}

TEST_F(DocumentFilesTest, SavingRightAfterAClearAsksForAName)
{
    std::vector<std::string> recent;
    files.m_fnAddToRecent = [&recent](const std::string& path) { recent.push_back(path); };
    dialogs.savePath = dir / "a.KVX";
    ASSERT_TRUE(files.SaveDoc());
    ASSERT_TRUE(files.SaveDoc());
    EXPECT_EQ(dialogs.saveAsked, 1);  // a real path is written without asking
    ASSERT_TRUE(files.ClearDocument(true));
    EXPECT_EQ(files.GetPathName(), "KVX.111");
    EXPECT_EQ(app.ScreenInfoCount(), 0);
    dialogs.savePath.reset();
    EXPECT_FALSE(files.SaveDoc());  // cancelled: nothing written
    EXPECT_EQ(dialogs.saveAsked, 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "KVX.111"));
    EXPECT_EQ(recent, std::vector<std::string>{dir / "a.KVX"});  // the placeholder never enters
}

TEST_F(DocumentFilesTest, ClearTellsTheViewsAboutEveryObjectBeforeDestroyingIt)
{
    doc.AddObj(MakeRect(0, {0, 0, 4, 4}, 0xFF, 0, 1, 0, {16, 16}));
    doc.AddObj(MakeRect(0, {0, 0, 5, 5}, 0xFF, 0, 1, 0, {16, 16}));
    const std::vector<CDrawObj*> before = doc.m_objects;
    sink.answers = {MessageAnswer::No};
    g_nDrawMode = 9;
    ASSERT_TRUE(files.ClearDocument(true));
    EXPECT_EQ(view.m_aRemoved, before);
    EXPECT_TRUE(doc.m_objects.empty());
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.m_nRenders, 1);
}

TEST_F(DocumentFilesTest, CloseQuestionCancelKeepsYesSavesNoDiscards)
{
    doc.SetModifiedFlag();
    sink.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(files.SaveModified());
    EXPECT_EQ(sink.shown.back().caption, "Exit-Please Confirm");
    EXPECT_TRUE(doc.IsModified());

    sink.answers = {MessageAnswer::Yes};
    dialogs.savePath.reset();  // the save dialog is cancelled: the close goes on
    EXPECT_TRUE(files.SaveModified());
    EXPECT_FALSE(doc.IsModified());

    doc.SetModifiedFlag();
    sink.answers = {MessageAnswer::No};
    EXPECT_TRUE(files.SaveModified());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentFilesTest, AFailedWriteKeepsThePreviousFileWhole)
{
    CVemtDoc big(&app);
    CDocumentFiles bigFiles(big, app, sink, dialogs);
    dialogs.savePath = dir / "keep.KVX";
    doc.AddObj(MakeRect(0, {0, 0, 4, 4}, 0xFF, 0, 1, 0, {16, 16}));
    ASSERT_TRUE(files.SaveDoc());
    const Bytes before = ReadAll(dir / "keep.KVX");

    for (int i = 0; i < 200; ++i) big.AddObj(MakeRect(0, {i, 0, i + 4, 4}, 0xFF, 0, 1, 0, {16, 16}));
    // A file size limit makes the write fail part-way, as a full disk would.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit limit = old;
    limit.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool saved = bigFiles.SaveDocAs();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    ASSERT_FALSE(sink.shown.empty());
    EXPECT_NE(sink.shown.back().text.find("keep.KVX"), std::string::npos);
    EXPECT_TRUE(big.IsModified());
    EXPECT_EQ(ReadAll(dir / "keep.KVX"), before);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 2);  // keep.KVX and keep.par, no temporary left
}

TEST_F(DocumentFilesTest, ACompanionThatCannotBeWrittenIsSkippedAndTheSaveSucceeds)
{
    std::filesystem::create_directory(dir / "blocked.par");
    dialogs.savePath = dir / "blocked.KVX";
    doc.AddObj(MakeRect(0, {0, 0, 4, 4}, 0xFF, 0, 1, 0, {16, 16}));
    EXPECT_TRUE(files.SaveDoc());
    EXPECT_EQ(ReadAll(dir / "blocked.KVX").size(), CKvxFile::WriteKvx(doc, app).size());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "blocked.par"));
    EXPECT_TRUE(sink.shown.empty());
}

TEST(DocumentTitle, TheTwoPlaceholderTitlesShowTheProgramNameAlone)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Vemt1", "LED Lextrel Software"},
        {"Kvx.111", "LED Lextrel Software"},
        {"KVX.111", "LED Lextrel Software(KVX.111)"},
        {"vemt1", "LED Lextrel Software(vemt1)"},
        {"Vemt2", "LED Lextrel Software(Vemt2)"},
        {"Sale.KVX", "LED Lextrel Software(Sale.KVX)"},
    };
    for (const auto& [title, shown] : cases) EXPECT_EQ(CDocumentFiles::DisplayTitle(title), shown) << title;
}

}  // namespace
