#include "cli/CVemtCtl.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/SignParams.h"
#include "comm/CRfc2217SignServer.h"
#include "comm/CSignSimulator.h"
#include "comm/CSimulatorLine.h"
#include "document/CDrawRect.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const Bytes& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

class VemtCtlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vemtctl-XXXXXX";
        ASSERT_NE(::mkdtemp(templ), nullptr);
        m_szDir = templ;
        profile.WriteProfileInt("TPParameter", "TPWidth", 64);
        profile.WriteProfileInt("TPParameter", "TPHeight", 16);
        profile.WriteProfileInt("TPParameter", "TotalScreen", 3);
        profile.WriteProfileInt("TPParameter", "ColorCount", 2);
    }
    void TearDown() override { std::filesystem::remove_all(m_szDir); }

    std::string Path(const std::string& name) const { return m_szDir + "/" + name; }

    int Run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        CVemtCtl ctl(profile, Path("Vemt.ini"), out, err);
        return ctl.Run(args);
    }

    // A rectangle in screen 1, an oval across screens 1 and 2, a line in screen 3.
    std::string WriteSample(CVemtApp& app, CVemtDoc& doc)
    {
        auto* rect = new CDrawRect(CRect(2, 2, 20, 12), 0x0000FF, 0x00FF00, 1, 1);
        auto* oval = new CDrawRect(CRect(30, 8, 60, 24), 0x00FFFF, 0, 2, 0);
        oval->m_nShape = kShapeOval;
        auto* line = new CDrawRect(CRect(0, 47, 63, 33), 0x00FF00, 0, 1, 0);
        line->m_nShape = kShapeLine;
        doc.AddObj(rect);
        doc.AddObj(oval);
        doc.AddObj(line);
        const std::string path = Path("sample.KVX");
        const Bytes bytes = CKvxFile::WriteKvx(doc, app);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
        return path;
    }

    static Bytes ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    // Compares a 24-bit bottom-up bitmap with rows first..first+h-1 of the canvas.
    static void ExpectBitmapShows(const Bytes& bmp, const CRasterSurface& canvas, int first, int h)
    {
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(U32(bmp, 2), bmp.size());
        EXPECT_EQ(U32(bmp, 10), 54u);
        EXPECT_EQ(U32(bmp, 14), 40u);
        const int w = int(U32(bmp, 18));
        ASSERT_EQ(w, canvas.Width());
        ASSERT_EQ(int(U32(bmp, 22)), h);
        EXPECT_EQ(bmp[28], 24);
        const std::size_t stride = (std::size_t(w) * 3 + 3) / 4 * 4;
        ASSERT_EQ(bmp.size(), 54 + stride * std::size_t(h));
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t at = 54 + std::size_t(h - 1 - y) * stride + std::size_t(x) * 3;
                const COLORREF shown = COLORREF(bmp[at + 2]) | (COLORREF(bmp[at + 1]) << 8) | (COLORREF(bmp[at]) << 16);
                if (shown != canvas.GetPixel(x, first + y)) ++differing;
            }
        EXPECT_EQ(differing, 0);
    }

    CMemoryProfile profile;
    std::ostringstream out, err;
    std::string m_szDir;
};

TEST_F(VemtCtlTest, HelpListsEveryCommandAndTheSignOptions)
{
    EXPECT_EQ(Run({"--help"}), 0);
    for (const char* word : {"export", "help", "--screen", "--width", "--height", "--colors",
                             "--screens", "--version-code", "clock", "power on|off", "timer FILE.KVX",
                             "show-address on|off", "info --port"})
        EXPECT_NE(out.str().find(word), std::string::npos) << word;
    EXPECT_EQ(Run({"help"}), 0);
}

TEST_F(VemtCtlTest, EachCommandsHelpListsItsOwnOptions)
{
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"export", "--help"}, {"vemtctl export", "--screen", "--width", "--version-code"}},
        {{"send", "--help"}, {"vemtctl send", "--port", "--address", "--colors"}},
        {{"help", "send"}, {"vemtctl send", "--port", "--address"}},
        {{"send", "x.KVX", "-h"}, {"vemtctl send", "--port"}},
        {{"clock", "--help"}, {"vemtctl clock", "--port", "--address", "--x", "--y", "--no-seconds"}},
        {{"power", "--help"}, {"vemtctl power", "on|off", "--port", "--address"}},
        {{"timer", "--help"}, {"vemtctl timer", "FILE.KVX", "--port", "--address", "--show"}},
        {{"show-address", "--help"}, {"vemtctl show-address", "on|off", "--port"}},
        {{"info", "--help"}, {"vemtctl info", "--port", "--address", "--json"}},
    };
    for (const auto& [args, words] : cases) {
        EXPECT_EQ(Run(args), CVemtCtl::kExitOk) << args[0];
        for (const std::string& word : words) EXPECT_NE(out.str().find(word), std::string::npos) << word;
        EXPECT_TRUE(err.str().empty()) << err.str();
    }
    EXPECT_EQ(Run({"export", "--help"}), 0);
    EXPECT_EQ(out.str().find("--address"), std::string::npos) << "send's options are not export's";
}

TEST_F(VemtCtlTest, NoCommandOrAnUnknownOneIsAUsageError)
{
    EXPECT_EQ(Run({}), CVemtCtl::kExitUsage);
    EXPECT_FALSE(err.str().empty());
    EXPECT_EQ(Run({"send"}), CVemtCtl::kExitUsage);
    EXPECT_NE(err.str().find("send"), std::string::npos);
    EXPECT_EQ(Run({"frob", "--help"}), CVemtCtl::kExitUsage);
    EXPECT_NE(err.str().find("unknown command \"frob\""), std::string::npos) << err.str();
    EXPECT_TRUE(out.str().empty());
}

TEST_F(VemtCtlTest, ExportOfTheWholeCanvasMatchesRenderRegionDotForDot)
{
    CVemtApp app;
    app.m_nTPWidth = 64;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 3;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);
    CRasterSurface canvas(64, 48, 0);
    RenderRegion(doc.m_objects, canvas, 64, 48);

    ASSERT_EQ(Run({"export", file, Path("all.bmp")}), 0) << err.str();
    ExpectBitmapShows(ReadAll(Path("all.bmp")), canvas, 0, 48);

    ASSERT_EQ(Run({"export", file, Path("two.bmp"), "--screen", "2"}), 0) << err.str();
    ExpectBitmapShows(ReadAll(Path("two.bmp")), canvas, 16, 16);
}

TEST_F(VemtCtlTest, OptionsOverrideTheProfile)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);
    ASSERT_EQ(Run({"export", file, Path("o.bmp"), "--width=64", "--width=40", "--height", "8", "--screens", "5"}), 0)
        << err.str();
    const Bytes bmp = ReadAll(Path("o.bmp"));
    EXPECT_EQ(U32(bmp, 18), 40u);
    EXPECT_EQ(U32(bmp, 22), 40u);
}

TEST_F(VemtCtlTest, ProfileValuesGetTheDialogsLoadCorrections)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);
    profile.WriteProfileInt("TPParameter", "TPWidth", 5);      // below 8: 160
    profile.WriteProfileInt("TPParameter", "TPHeight", 0);     // below 1: 16
    profile.WriteProfileInt("TPParameter", "TotalScreen", 900); // above the maximum
    profile.WriteProfileInt("TPParameter", "ColorCount", 1);
    profile.WriteProfileInt("TPParameter", "MemorySize", 55);
    ASSERT_EQ(Run({"export", file, Path("p.bmp")}), 0) << err.str();
    const Bytes bmp = ReadAll(Path("p.bmp"));
    EXPECT_EQ(U32(bmp, 18), 160u);
    EXPECT_EQ(U32(bmp, 22), std::uint32_t(16 * ComputeMaxScreens(160, 16, 55, 1)));
}

TEST_F(VemtCtlTest, BadOptionsAreUsageErrorsOnStderr)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);
    const std::vector<std::vector<std::string>> cases = {
        {"export", file},
        {"export", file, Path("x.bmp"), "--width", "7"},
        {"export", file, Path("x.bmp"), "--width", "321"},
        {"export", file, Path("x.bmp"), "--height", "0"},
        {"export", file, Path("x.bmp"), "--colors", "3"},
        {"export", file, Path("x.bmp"), "--version-code", "52"},
        {"export", file, Path("x.bmp"), "--screens", "0"},
        {"export", file, Path("x.bmp"), "--screens", "100000"},
        {"export", file, Path("x.bmp"), "--screen", "4"},
        {"export", file, Path("x.bmp"), "--screen", "0"},
        {"export", file, Path("x.bmp"), "--width", "wide"},
        {"export", file, Path("x.bmp"), "--bogus", "1"},
        {"export", file, Path("x.bmp"), "--screen"},
        {"export", file, Path("x.bmp"), Path("y.bmp")},
        {"export", file, Path("x.bmp"), "--width", "64", "--width", "7"},
    };
    for (const auto& args : cases) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(Run(args), CVemtCtl::kExitUsage) << joined;
        EXPECT_FALSE(err.str().empty()) << joined;
        EXPECT_FALSE(std::filesystem::exists(Path("x.bmp"))) << joined;
    }
}

TEST_F(VemtCtlTest, UnreadableDamagedOrForeignFilesFailNamingTheFile)
{
    std::ofstream(Path("bm.KVX"), std::ios::binary) << "BM....";
    std::ofstream(Path("cut.KVX"), std::ios::binary) << "Qj\x01";
    const std::pair<std::string, std::string> cases[] = {
        {Path("missing.KVX"), "missing.KVX"},
        {Path("bm.KVX"), "Sorry,the file be opened isn't created by this program!"},
        {Path("cut.KVX"), "cut.KVX is damaged"},
    };
    for (const auto& [file, expected] : cases) {
        EXPECT_EQ(Run({"export", file, Path("x.bmp")}), CVemtCtl::kExitFailed) << file;
        EXPECT_NE(err.str().find(expected), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(Path("x.bmp")));
    }
}

TEST_F(VemtCtlTest, SendReachesTheSignsAndFailsNamingTheSilentOne)
{
    CVemtApp app;
    app.m_nTPWidth = 64;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 3;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);

    CSignSimulator sim;
    for (int address : {3, 4, 5}) {
        CSimSignConfig sign;
        sign.m_byAddress = std::uint8_t(address);
        sign.m_bSilent = address == 4;
        sim.AddSign(sign);
    }
    CSimulatorLine line(sim);
    ASSERT_TRUE(line.Open());
    ASSERT_TRUE(line.Start());

    EXPECT_EQ(Run({"send", file, "--port", line.SlavePath(), "--address", "3,4,5"}), CVemtCtl::kExitFailed);
    EXPECT_NE(err.str().find("Error-exit sending: Communication Error when sending control frame to 4# address!"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(err.str().find("3# address!"), std::string::npos) << "no error for sign 3";
    EXPECT_NE(err.str().find("Now sending control frame to 5# address"), std::string::npos);

    EXPECT_EQ(Run({"send", file, "--port", line.SlavePath(), "--address", "3,5"}), CVemtCtl::kExitOk);
    line.Stop();
    EXPECT_EQ(sim.State(3).m_nMessages, 2);
    EXPECT_EQ(sim.State(5).m_nMessages, 2);
    EXPECT_EQ(sim.State(3).Screens(), 3) << "the sample reaches screen 3";
}

TEST_F(VemtCtlTest, SendToADeviceThatIsNotThereSaysSoAndNamesIt)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);
    const std::pair<std::string, std::string> cases[] = {
        {"/no/such/device", "No such file or directory (the device does not exist)"},
        {"/dev/does-not-exist-vemt", "No such file or directory (the device does not exist)"},
        {"rfc2217://127.0.0.1:1", "connection refused by 127.0.0.1:1 (no device server listens on that port)"},
        {"rfc2217://127.0.0.1", "not a device server address: write rfc2217://HOST:PORT (the port number is missing)"},
    };
    for (const auto& [device, reason] : cases) {
        err.str("");
        EXPECT_EQ(Run({"send", file, "--port", device, "--address", "3"}), CVemtCtl::kExitUsage) << device;
        EXPECT_NE(err.str().find("Error: Initalize error of Serial com-port!\nCOM1 (" + device + "): " + reason),
                  std::string::npos)
            << err.str();
        EXPECT_EQ(err.str().find("using by another program"), std::string::npos) << err.str();
    }
}

TEST_F(VemtCtlTest, SendReachesSignsBehindADeviceServer)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);
    CSignSimulator sim;
    sim.AddSign({.m_byAddress = 3});
    sim.AddSign({.m_byAddress = 5});
    CRfc2217SignServer server(sim);
    std::string error;
    ASSERT_TRUE(server.Listen("rfc2217://127.0.0.1:0", error)) << error;
    ASSERT_TRUE(server.Start());
    EXPECT_EQ(Run({"send", file, "--port", server.Url(), "--address", "3,5"}), CVemtCtl::kExitOk) << err.str();
    server.Stop();
    EXPECT_EQ(sim.State(3).m_nMessages, 1);
    EXPECT_EQ(sim.State(5).m_nMessages, 1);
    EXPECT_EQ(sim.State(3).Screens(), 3);
}

TEST_F(VemtCtlTest, SendNeedsAFilePortAndAddresses)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const std::string file = WriteSample(app, doc);
    EXPECT_EQ(Run({"send", file, "--address", "3"}), CVemtCtl::kExitUsage);
    EXPECT_EQ(Run({"send", file, "--port", "/dev/null"}), CVemtCtl::kExitUsage);
    EXPECT_EQ(Run({"send", "--port", "/dev/null", "--address", "3"}), CVemtCtl::kExitUsage);
    EXPECT_EQ(Run({"send", file, "--port", "/nonexistent/tty", "--address", "300"}), CVemtCtl::kExitUsage)
        << "an address above 255 is refused before the line is used";
    EXPECT_EQ(Run({"send", Path("missing.KVX"), "--port", "/dev/null", "--address", "3"}), CVemtCtl::kExitFailed);
    EXPECT_NE(err.str().find("missing.KVX"), std::string::npos);
}

}  // namespace
