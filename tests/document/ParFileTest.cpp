#include "document/CParFile.h"

#include "app/CVemtApp.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

class ParFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vemt-par-XXXXXX";
        ASSERT_NE(::mkdtemp(templ), nullptr);
        m_szDir = templ;
    }
    void TearDown() override
    {
        ::chmod(m_szDir.c_str(), 0700);
        std::error_code ec;
        fs::remove_all(m_szDir, ec);
    }

    std::string Doc(const std::string& name = "message.KVX") const { return m_szDir + "/" + name; }
    std::string Par() const { return m_szDir + "/message.par"; }

    static void Write(const std::string& path, const Bytes& bytes)
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    static Bytes Read(const std::string& path)
    {
        std::ifstream f(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(f), {});
    }
    int FilesInDir() const
    {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(m_szDir)) ++n;
        return n;
    }

    std::string m_szDir;
};

SCREENINFO Rec(int import, int exportCode, int speed, int append, int pause, int cartoon)
{
    SCREENINFO r;
    r.byImport = std::uint8_t(import);
    r.byExport = std::uint8_t(exportCode);
    r.bySpeed = std::uint8_t(speed);
    r.byAppend = std::uint8_t(append);
    r.nPauseSec = pause;
    r.nCartoon = cartoon;
    return r;
}

// Two records (import 1 / export 2 / speed 3 / Pause 25 s, then Random / Immedia /
// Cartoon "Lion") with the clock at (5, -1), seconds off: 44 bytes.
const Bytes kTwoScreens = {
    1, 2, 0, 0, 25, 0, 0, 0, 3, 0x04, 0, 0, 0, 0, 0, 0,
    15, 13, 0, 0, 10, 0, 0, 0, 0, 0x80, 0, 0, 3, 0, 0, 0,
    5, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};

TEST(ParPath, ExtensionReplacedByPar)
{
    struct Case { const char* doc; const char* par; } cases[] = {
        {"/home/u/msg.KVX", "/home/u/msg.par"},
        {"/home/u/msg.kvx", "/home/u/msg.par"},
        {"/home/u/msg.old.KVX", "/home/u/msg.old.par"},
        {"/home/u/msg", "/home/u/msg.par"},
        {"/home/u.d/msg", "/home/u.d/msg.par"},
        {"msg.KVX", "msg.par"},
        {"KVX.111", "KVX.par"},
        {"/home/u/.KVX", "/home/u/.par"},
    };
    for (const auto& c : cases) EXPECT_EQ(CParFile::GetParPath(c.doc), c.par) << c.doc;
}

TEST(ParBytes, EmptyDocumentGivesTwelveBytes)
{
    CVemtApp app;
    const Bytes expected = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(CParFile::BuildBytes(app), expected);
}

TEST(ParBytes, TwoRecordImage)
{
    CVemtApp app;
    app.m_aScreenInfo = {Rec(1, 2, 3, 0x04, 25, 0), Rec(15, 13, 0, 0x80, 10, 3)};
    app.m_nClockX = 5;
    app.m_nClockY = -1;
    app.m_bDisplaySecond = 0;
    EXPECT_EQ(CParFile::BuildBytes(app), kTwoScreens);
}

TEST(ParBytes, FortyFourBytesYieldTwoRecords)
{
    CVemtApp app;
    ASSERT_EQ(CParFile::ParseBytes(kTwoScreens.data(), kTwoScreens.size(), app), ParResult::Ok);
    ASSERT_EQ(app.ScreenInfoCount(), 2);
    EXPECT_EQ(app.m_aScreenInfo[0].bySpeed, 3);
    EXPECT_EQ(app.m_aScreenInfo[0].nPauseSec, 25);
    EXPECT_EQ(app.m_aScreenInfo[1].byImport, 15);
    EXPECT_EQ(app.m_aScreenInfo[1].nCartoon, 3);
    EXPECT_EQ(app.m_nClockX, 5);
    EXPECT_EQ(app.m_nClockY, -1);
    EXPECT_EQ(app.m_bDisplaySecond, 0);
    EXPECT_EQ(CParFile::BuildBytes(app), kTwoScreens);
}

TEST(ParBytes, TrailingBytesAfterTheClockAreIgnored)
{
    // 50 bytes: (50 - 12) / 16 = 2 records, the clock right after them.
    Bytes bytes = kTwoScreens;
    bytes.insert(bytes.end(), {9, 9, 9, 9, 9, 9});
    CVemtApp app;
    ASSERT_EQ(CParFile::ParseBytes(bytes.data(), bytes.size(), app), ParResult::Ok);
    EXPECT_EQ(app.ScreenInfoCount(), 2);
    EXPECT_EQ(app.m_nClockX, 5);
    EXPECT_EQ(app.m_bDisplaySecond, 0);
}

TEST_F(ParFileTest, SavingAnEmptyDocumentWritesTwelveBytes)
{
    CVemtApp app;
    ASSERT_EQ(CParFile::WriteParFile(Doc(), 0, app), ParResult::Ok);
    EXPECT_EQ(Read(Par()), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(FilesInDir(), 1) << "no temporary file is left behind";
}

TEST_F(ParFileTest, ThreeScreensInUseWriteThreeRecords)
{
    CVemtApp app;
    app.m_aScreenInfo = {Rec(4, 5, 1, 0x01, 3, 0)};
    ASSERT_EQ(CParFile::WriteParFile(Doc(), 3, app), ParResult::Ok);
    const Bytes bytes = Read(Par());
    ASSERT_EQ(bytes.size(), 3u * 16 + 12);
    EXPECT_EQ((Bytes(bytes.begin(), bytes.begin() + 16)),
              (Bytes{4, 5, 0, 0, 3, 0, 0, 0, 1, 0x01, 0, 0, 0, 0, 0, 0}));
    const Bytes defaultRecord = {0, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ((Bytes(bytes.begin() + 16, bytes.begin() + 32)), defaultRecord);
    EXPECT_EQ((Bytes(bytes.begin() + 32, bytes.begin() + 48)), defaultRecord);
    EXPECT_EQ(app.ScreenInfoCount(), 3) << "the table itself follows the screen count";
}

TEST_F(ParFileTest, SaveAndLoadRoundTrip)
{
    CVemtApp app;
    app.m_aScreenInfo = {Rec(1, 2, 3, 0x04, 25, 0), Rec(15, 13, 0, 0x80, 10, 3)};
    app.m_nClockX = 5;
    app.m_nClockY = -1;
    app.m_bDisplaySecond = 0;
    ASSERT_EQ(CParFile::WriteParFile(Doc(), 2, app), ParResult::Ok);
    EXPECT_EQ(Read(Par()), kTwoScreens);

    CVemtApp other;
    other.m_aScreenInfo.resize(7);
    ASSERT_EQ(CParFile::ReadParFile(Doc(), other), ParResult::Ok);
    EXPECT_EQ(CParFile::BuildBytes(other), kTwoScreens);
}

TEST_F(ParFileTest, ReplacingKeepsTheFileMode)
{
    CVemtApp app;
    Write(Par(), {1, 2, 3});
    ASSERT_EQ(::chmod(Par().c_str(), 0640), 0);
    ASSERT_EQ(CParFile::WriteParFile(Doc(), 0, app), ParResult::Ok);
    struct stat st {};
    ASSERT_EQ(::stat(Par().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ParFileTest, TruncatedAtEveryLength)
{
    CVemtApp source;
    source.m_aScreenInfo = {Rec(1, 2, 3, 0x04, 25, 0), Rec(15, 13, 0, 0x80, 10, 3),
                            Rec(6, 7, 2, 0x11, 4, 2)};
    source.m_nClockX = 8;
    source.m_nClockY = 16;
    source.m_bDisplaySecond = 1;
    const Bytes full = CParFile::BuildBytes(source);
    ASSERT_EQ(full.size(), 60u);

    for (std::size_t len = 0; len <= full.size(); ++len) {
        Write(Par(), Bytes(full.begin(), full.begin() + std::ptrdiff_t(len)));
        CVemtApp app;
        app.m_aScreenInfo.resize(9);
        app.m_nClockX = 77;
        const ParResult r = CParFile::ReadParFile(Doc(), app);
        if (len < 12) {
            EXPECT_EQ(r, ParResult::TooShort) << len;
            EXPECT_EQ(app.ScreenInfoCount(), 0) << len;
            EXPECT_EQ(app.m_nClockX, 77) << "clock kept at length " << len;
            continue;
        }
        EXPECT_EQ(r, ParResult::Ok) << len;
        const int records = int((len - 12) / 16);
        ASSERT_EQ(app.ScreenInfoCount(), records) << len;
        for (int i = 0; i < records; ++i)
            EXPECT_EQ(std::memcmp(&app.m_aScreenInfo[std::size_t(i)],
                                  &source.m_aScreenInfo[std::size_t(i)], 16), 0)
                << "record " << i << " at length " << len;
    }
}

TEST_F(ParFileTest, MissingCompanionDiscardsTheTableAndKeepsTheClock)
{
    CVemtApp app;
    app.m_aScreenInfo.resize(3);
    app.m_nClockX = 12;
    EXPECT_EQ(CParFile::ReadParFile(Doc(), app), ParResult::OpenFailed);
    EXPECT_EQ(app.ScreenInfoCount(), 0);
    EXPECT_EQ(app.m_nClockX, 12);
}

TEST_F(ParFileTest, NoPathNeitherWritesNorReads)
{
    CVemtApp app;
    app.m_aScreenInfo.resize(2);
    EXPECT_EQ(CParFile::WriteParFile("", 5, app), ParResult::NoPath);
    EXPECT_EQ(app.ScreenInfoCount(), 2) << "nothing resized";
    EXPECT_EQ(FilesInDir(), 0);
    EXPECT_EQ(CParFile::ReadParFile("", app), ParResult::NoPath);
    EXPECT_EQ(app.ScreenInfoCount(), 0);
}

TEST_F(ParFileTest, ADirectoryOrFifoUnderTheNameIsNotRead)
{
    ASSERT_EQ(::mkdir(Par().c_str(), 0700), 0);
    CVemtApp app;
    app.m_aScreenInfo.resize(2);
    EXPECT_EQ(CParFile::ReadParFile(Doc(), app), ParResult::OpenFailed);
    EXPECT_EQ(app.ScreenInfoCount(), 0);

    // A FIFO without a writer would block a plain open.
    const std::string fifoDoc = Doc("piped.KVX");
    ASSERT_EQ(::mkfifo((m_szDir + "/piped.par").c_str(), 0600), 0);
    app.m_aScreenInfo.resize(2);
    EXPECT_EQ(CParFile::ReadParFile(fifoDoc, app), ParResult::OpenFailed);
    EXPECT_EQ(app.ScreenInfoCount(), 0);
}

TEST_F(ParFileTest, HugeFileIsRejectedWithoutLoadingIt)
{
    {
        CVemtApp app;
        ASSERT_EQ(CParFile::WriteParFile(Doc(), 0, app), ParResult::Ok);
    }
    // Sparse: 64 MiB on paper, no blocks on disk.
    ASSERT_EQ(::truncate(Par().c_str(), 64 << 20), 0);
    CVemtApp app;
    app.m_aScreenInfo.resize(2);
    app.m_nClockY = 3;
    EXPECT_EQ(CParFile::ReadParFile(Doc(), app), ParResult::TooLarge);
    EXPECT_EQ(app.ScreenInfoCount(), 0);
    EXPECT_EQ(app.m_nClockY, 3);

    // The largest accepted companion still loads.
    ASSERT_EQ(::truncate(Par().c_str(), off_t(12 + 16 * CParFile::kMaxRecords)), 0);
    EXPECT_EQ(CParFile::ReadParFile(Doc(), app), ParResult::Ok);
    EXPECT_EQ(app.ScreenInfoCount(), int(CParFile::kMaxRecords));
    ASSERT_EQ(::truncate(Par().c_str(), off_t(12 + 16 * (CParFile::kMaxRecords + 1))), 0);
    EXPECT_EQ(CParFile::ReadParFile(Doc(), app), ParResult::TooLarge);
}

TEST_F(ParFileTest, ReadOnlyDirectoryLeavesTheOldFileAndTheTable)
{
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    Write(Par(), kTwoScreens);
    ASSERT_EQ(::chmod(m_szDir.c_str(), 0500), 0);
    CVemtApp app;
    app.m_aScreenInfo.resize(1);
    EXPECT_EQ(CParFile::WriteParFile(Doc(), 4, app), ParResult::OpenFailed);
    EXPECT_EQ(app.ScreenInfoCount(), 1) << "nothing resized when the file cannot be made";
    EXPECT_EQ(Read(Par()), kTwoScreens);
}

TEST_F(ParFileTest, MissingDirectoryIsReportedAndNothingResized)
{
    CVemtApp app;
    app.m_aScreenInfo.resize(1);
    EXPECT_EQ(CParFile::WriteParFile(m_szDir + "/gone/message.KVX", 4, app), ParResult::OpenFailed);
    EXPECT_EQ(app.ScreenInfoCount(), 1);
}

TEST_F(ParFileTest, FailedWriteLeavesTheOldFileIntact)
{
    Write(Par(), kTwoScreens);
    CVemtApp app;
    app.m_aScreenInfo.resize(40);  // 652 bytes, more than the file size limit below

    // A file size limit makes write() fail with EFBIG, for root as well.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const ParResult r = CParFile::WriteParFile(Doc(), 40, app);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(r, ParResult::WriteFailed);
    EXPECT_EQ(Read(Par()), kTwoScreens);
    EXPECT_EQ(FilesInDir(), 1) << "the temporary file is removed";
}

}  // namespace
