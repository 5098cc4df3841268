// Timed sending in the editor: the full-screen window and its animation, and whole runs
// against simulated signs on a pseudo-terminal with a clock the test sets.

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "comm/CSimulatorLine.h"
#include "comm/ui/CProgressDlg.h"
#include "comm/ui/CTimingSendController.h"
#include "comm/ui/CTimingSendWnd.h"
#include "comm/ui/ITimingDocuments.h"
#include "document/CDocumentFiles.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"
#include "document/IFileDialogs.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool WaitFor(const std::function<bool()>& cond, int timeoutMs)
{
    for (int waited = 0; !cond() && waited < timeoutMs; waited += 10) QTest::qWait(10);
    return cond();
}

bool AllBlack(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) return false;
    return true;
}

} // namespace

TEST(TimingSendWnd, DrawsAndErasesItsLinesByExclusiveOr)
{
    CTimingSendWnd wnd(11);
    wnd.resize(640, 480);
    wnd.show();
    ASSERT_FALSE(wnd.CaptionImage().isNull());
    EXPECT_EQ(wnd.AnimationImage().size(), QSize(640, 480 - wnd.CaptionImage().height()))
        << "the lines keep clear of the caption";
    for (int i = 0; i < 250; ++i) wnd.Step();
    EXPECT_EQ(int(wnd.Lines().Ring().size()), 100);
    EXPECT_FALSE(AllBlack(wnd.AnimationImage()));

    // Drawing the 100 lines still in the ring once more must leave black: every older
    // line was erased exactly.
    QImage image = wnd.AnimationImage();
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const CMovingLine& line : wnd.Lines().Ring()) {
        painter.setPen(QColor(int(line.m_crColour & 0xFF), int((line.m_crColour >> 8) & 0xFF),
                              int((line.m_crColour >> 16) & 0xFF)));
        for (const CMovingLine& copy : wnd.Lines().Mirrored(line))
            painter.drawLine(copy.m_ptFrom.x, copy.m_ptFrom.y, copy.m_ptTo.x, copy.m_ptTo.y);
    }
    painter.end();
    EXPECT_TRUE(AllBlack(image));
    EXPECT_EQ(wnd.StepTimer()->interval(), 50);
    EXPECT_TRUE(wnd.StepTimer()->isActive());
}

TEST(TimingSendWnd, GreyCaptionCentredOnTheBottomEdge)
{
    CTimingSendWnd wnd(5);
    wnd.resize(800, 600);
    wnd.show();
    const QImage shot = wnd.grab().toImage();
    int left = shot.width(), right = -1, top = shot.height(), bottom = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (QColor(shot.pixel(x, y)) == QColor(128, 128, 128)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "grey text";
    EXPECT_GE(top, 600 - wnd.CaptionImage().height());
    EXPECT_GT(bottom, 600 - 12) << "at the bottom edge";
    EXPECT_LE(std::abs((left + right) / 2 - 400), 12) << "centred";
    EXPECT_GT(right - left, 300) << "36-dot text of 24 characters";
}

TEST(TimingSendWnd, OnlyF12EndsIt)
{
    CTimingSendWnd wnd(1);
    wnd.resize(320, 200);
    wnd.show();
    QSignalSpy stop(&wnd, &CTimingSendWnd::StopRequested);
    EXPECT_FALSE(wnd.close());
    QTest::keyClick(&wnd, Qt::Key_Escape);
    QTest::keyClick(&wnd, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(wnd.isVisible());
    EXPECT_EQ(stop.count(), 0);
    QTest::keyClick(&wnd, Qt::Key_F12);
    EXPECT_EQ(stop.count(), 1);
    wnd.AllowClose();
    EXPECT_TRUE(wnd.close());
}

namespace {

// The editor's documents, reduced to one document and a record of what was asked.
struct OneDocument : ITimingDocuments, IFileDialogs {
    CVemtApp& app;
    CVemtDoc doc;
    std::string path;
    std::vector<std::string> restored;
    explicit OneDocument(CVemtApp& a) : app(a), doc(&a) {}
    std::string CurrentPath() const override { return path; }
    bool OpenTimingFile(const std::string& p, IMessageSink& messages) override
    {
        CDocumentFiles files(doc, app, messages, *this);
        const bool ok = files.LoadFromPath(p);
        path = files.GetPathName();
        return ok;
    }
    const CVemtDoc* CurrentDocument() const override { return &doc; }
    void RestoreDocument(const std::string& p) override
    {
        restored.push_back(p);
        path = p.empty() ? "/home/user/KVX.111" : p;
    }
    std::optional<std::string> GetSavePath(const CFileDialogParams&) override { return std::nullopt; }
    std::optional<std::string> GetOpenPath(const CFileDialogParams&) override { return std::nullopt; }
};

struct TimingRunTest : ::testing::Test {
    std::string dir;
    CVemtApp app;
    CMemoryProfile profile;
    OneDocument documents {app};
    CSignSimulator sim;
    CSimulatorLine line {sim};
    std::string logPath;

    void SetUp() override
    {
        ResetEditorState();
        std::string pattern = (fs::temp_directory_path() / "vemt-timing-ui-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        logPath = dir + "/TimingSendErrorLog.ini";
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 8;
        app.m_nColorCount = 2;
        app.m_nComPort = 2;
        ASSERT_TRUE(line.Open());
        profile.WriteProfileString("SendOption", "Com2Device", line.SlavePath());
    }
    void TearDown() override
    {
        fs::remove_all(dir);
        ResetEditorState();
    }
    std::string WriteDocument(const std::string& name)
    {
        CVemtApp writer = app;
        CVemtDoc doc(&writer);
        doc.AddObj(new CDrawRect(CRect(2, 2, 60, 12), 0x0000FF, 0x00FFFF, 1, 1));
        const auto bytes = CKvxFile::WriteKvx(doc, writer);
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    std::string Log() const
    {
        std::ifstream in(logPath, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void Configure(CTimingSendController& controller)
    {
        controller.SetClock([] {
            std::tm t {};
            t.tm_year = 2026 - 1900, t.tm_mon = 11, t.tm_mday = 11, t.tm_hour = 7, t.tm_min = 5, t.tm_isdst = -1;
            return std::mktime(&t);
        });
        controller.SetLog(CTimingSendLog(logPath));
        controller.SetCheckInterval(std::chrono::milliseconds(20));
    }
};

} // namespace

TEST_F(TimingRunTest, F12DuringASendEndsAfterItAndReopensTheDocument)
{
    line.m_bPaced = true;  // the message takes a few seconds on the line
    sim.AddSign({.m_byAddress = 3});
    ASSERT_TRUE(line.Start());
    app.m_listTimingSend = {{"3", "07:05", WriteDocument("menu.KVX"), 0}};
    documents.path = dir + "/before.KVX";
    CTimingSendController controller(app, profile, documents);
    Configure(controller);

    controller.StartTiming();
    ASSERT_TRUE(controller.IsTiming());
    CTimingSendWnd* wnd = controller.Window();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(wnd->isFullScreen());
    EXPECT_EQ(wnd->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(controller.RememberedPath(), dir + "/before.KVX");

    // The send is under way: the sign has seen bytes, the window still moves.
    ASSERT_TRUE(WaitFor([&] { return sim.State(3).m_nBytesSeen > 0; }, 10000));
    EXPECT_TRUE(controller.Progress()->isVisible());
    const std::size_t ringBefore = wnd->Lines().Ring().size();
    ASSERT_TRUE(WaitFor([&] { return wnd->Lines().Ring().size() > ringBefore; }, 2000)) << "the animation runs during the send";
    EXPECT_EQ(sim.State(3).m_nMessages, 0);

    QTest::keyClick(wnd, Qt::Key_F12);
    // F12 returns only once the send in progress has finished.
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_FALSE(controller.IsTiming());
    EXPECT_EQ(controller.Window(), nullptr);
    EXPECT_EQ(documents.restored, std::vector<std::string> {dir + "/before.KVX"});
    EXPECT_EQ(app.m_listTimingSend[0].m_nSent, 1);
    EXPECT_NE(Log().find("07:05 Sending file '" + dir + "/menu.KVX'Successfully!\r\n"), std::string::npos);
}

TEST_F(TimingRunTest, StartingAgainSendsAgainAndANeverSavedDocumentIsNotReopened)
{
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 4});
    ASSERT_TRUE(line.Start());
    const std::string menu = WriteDocument("menu.KVX");
    app.m_listTimingSend = {{"3", "07:05", menu, 0}, {"4", "07:05", menu, 0}};
    documents.path = "/home/user/kvx.111";
    CTimingSendController controller(app, profile, documents);
    Configure(controller);

    for (int run = 1; run <= 2; ++run) {
        controller.StartTiming();
        EXPECT_EQ(app.m_listTimingSend[0].m_nSent, 0) << "run " << run;
        ASSERT_TRUE(WaitFor([&] { return sim.State(4).m_nMessages == run; }, 10000)) << "run " << run;
        QTest::keyClick(controller.Window(), Qt::Key_F12);
        EXPECT_EQ(sim.State(3).m_nMessages, run);
        EXPECT_EQ(app.m_listTimingSend[1].m_nSent, 1);
    }
    EXPECT_EQ(documents.restored, (std::vector<std::string> {"", ""}));
    // Two runs, two entries each: four reports.
    std::size_t reports = 0;
    for (std::size_t at = 0; (at = Log().find("Successfully!", at)) != std::string::npos; ++at) ++reports;
    EXPECT_EQ(reports, 4u);
}
