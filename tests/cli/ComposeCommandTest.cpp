#include "cli/CComposeOptions.h"
#include "cli/CVemtCtl.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "comm/CSignSimulator.h"
#include "comm/CSimulatorLine.h"
#include "document/CDrawFont.h"
#include "document/CKvxFile.h"
#include "document/CParFile.h"
#include "document/CTextComposer.h"
#include "document/CVemtDoc.h"
#include "raster/CRasterSurface.h"
#include "text/CFontCatalogue.h"

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

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A 24-bit bottom-up bitmap as a surface.
CRasterSurface DecodeBmp(const Bytes& bmp)
{
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M' || bmp[28] != 24) return CRasterSurface(0, 0);
    const int w = int(U32(bmp, 18));
    const int h = int(U32(bmp, 22));
    const std::size_t stride = (std::size_t(w) * 3 + 3) / 4 * 4;
    if (bmp.size() < 54 + stride * std::size_t(h)) return CRasterSurface(0, 0);
    CRasterSurface surface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = 54 + std::size_t(h - 1 - y) * stride + std::size_t(x) * 3;
            surface.SetPixel(x, y, COLORREF(bmp[at + 2]) | (COLORREF(bmp[at + 1]) << 8) | (COLORREF(bmp[at]) << 16));
        }
    return surface;
}

class ComposeCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char templ[] = "/tmp/vemtctl-compose-XXXXXX";
        ASSERT_NE(::mkdtemp(templ), nullptr);
        m_szDir = templ;
        // The default sign of a new user, three screens, two colours.
        profile.WriteProfileInt("TPParameter", "TPWidth", 160);
        profile.WriteProfileInt("TPParameter", "TPHeight", 16);
        profile.WriteProfileInt("TPParameter", "TotalScreen", 3);
        profile.WriteProfileInt("TPParameter", "ColorCount", 2);
    }
    void TearDown() override
    {
        CComposeOptions::SetInput(nullptr);
        std::filesystem::remove_all(m_szDir);
        ResetEditorState();
    }

    std::string Path(const std::string& name) const { return m_szDir + "/" + name; }

    int Run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        CVemtCtl ctl(profile, Path("Vemt.ini"), out, err);
        return ctl.Run(args);
    }

    CMemoryProfile profile;
    std::ostringstream out, err;
    std::string m_szDir;
};

TEST_F(ComposeCommandTest, WritesTheDocumentTheComposerMakesAndItsCompanion)
{
    const std::string file = Path("serving.KVX");
    ASSERT_EQ(Run({"compose", file, "Now serving\\n42", "--at", "4,2", "--import", "Scroll up", "--append",
                   "Flicker", "--pause", "5", "--colour", "yellow"}),
              0)
        << err.str();
    EXPECT_NE(out.str().find("serving.KVX"), std::string::npos);

    // The same request through the core, on the same sign.
    CTextComposer::LoadEditorState(profile);
    CVemtApp app;
    app.m_nTPWidth = 160;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 3;
    app.m_nColorCount = 2;
    CVemtDoc doc(&app);
    CComposeRequest request;
    request.m_szText = "Now serving\n42";
    request.m_ptAt = CPoint(4, 2);
    request.m_crText = RGB(255, 255, 0);
    ASSERT_TRUE(CTextComposer::Compose(request, doc, app, CFontCatalogue::Enumerate()).m_bOk);
    EXPECT_EQ(ReadAll(file), CKvxFile::WriteKvx(doc, app));

    CVemtApp reread;
    ASSERT_EQ(CParFile::ReadParFile(file, reread), ParResult::Ok);
    ASSERT_EQ(reread.ScreenInfoCount(), 3) << "the two lines are on screens 2 and 3";
    EXPECT_EQ(reread.m_aScreenInfo[0].byImport, 0);
    for (int s : {1, 2}) {
        EXPECT_EQ(reread.m_aScreenInfo[std::size_t(s)].byImport, 2) << "Scroll up";
        EXPECT_EQ(reread.m_aScreenInfo[std::size_t(s)].byAppend, APPEND_FLICKER | APPEND_PAUSE);
        EXPECT_EQ(reread.m_aScreenInfo[std::size_t(s)].nPauseSec, 5);
    }
}

TEST_F(ComposeCommandTest, TextFromStandardInputOrWithEscapes)
{
    struct Case {
        const char* what;
        std::string argument;
        std::string input;
        std::string raw;  // the text object's typed text
    };
    const Case cases[] = {
        {"escapes", "Temp\\t21\\nRain", "", "Temp\t21\r\nRain"},
        {"standard input, its last line end dropped", "-", "Temp 21\nRain\n", "Temp 21\r\nRain"},
        {"standard input keeps its backslashes", "-", "C:\\new\n", "C:\\new"},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.input);
        CComposeOptions::SetInput(&in);
        const std::string file = Path("in.KVX");
        ASSERT_EQ(Run({"compose", file, c.argument}), 0) << c.what << ": " << err.str();
        CVemtApp app;
        app.m_nTPWidth = 160;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 3;
        CVemtDoc doc(&app);
        ASSERT_TRUE(CKvxFile::ReadKvx(ReadAll(file), doc, app, file).Ok()) << c.what;
        ASSERT_EQ(doc.m_objects.size(), 1u) << c.what;
        auto* text = dynamic_cast<CDrawFont*>(doc.m_objects[0]);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->m_strRawText, c.raw) << c.what;
    }
}

TEST_F(ComposeCommandTest, RefusalsAreUsageErrorsThatNameTheProblemAndWriteNothing)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> inMessage;
    };
    const std::string file = Path("refused.KVX");
    const Case cases[] = {
        {{"compose", file, "Price 5\xE2\x82\xAC \xE4\xB8\xAD"}, {"U+4E2D", "\xE4\xB8\xAD", "cannot store"}},
        {{"compose", file, "x", "--charset", "GB2312", "--speed", "warp"}, {"\"Fastest\", \"Fast\", \"Median\", \"Slow\""}},
        {{"compose", file, "x", "--import", "Fly in"}, {"\"Move from right\"", "\"Random\""}},
        {{"compose", file, "x", "--append", "Blink"}, {"\"Flicker\"", "\"Quiescence\""}},
        {{"compose", file, "x", "--cartoon", "Dragon"}, {"\"Eat bean\"", "\"Horse\""}},
        {{"compose", file, "x", "--charset", "Klingon"}, {"GB2312"}},
        {{"compose", file, "x", "--colour", "green", "--colors", "1"}, {"two colours"}},
        {{"compose", file, "x", "--at", "160,0"}, {"not on the canvas"}},
        {{"compose", file}, {"OUT.KVX and TEXT"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), CVemtCtl::kExitUsage) << c.args.back();
        for (const std::string& part : c.inMessage)
            EXPECT_NE(err.str().find(part), std::string::npos) << c.args.back() << ": " << err.str();
        EXPECT_FALSE(std::filesystem::exists(file)) << c.args.back();
        EXPECT_FALSE(std::filesystem::exists(Path("refused.par"))) << c.args.back();
    }
}

TEST_F(ComposeCommandTest, ExportOfATextShowsTheDotsOfTheComposedDocument)
{
    const std::vector<std::string> options = {"--at", "3,1", "--size", "12", "--underline", "--colour", "green"};
    std::vector<std::string> compose = {"compose", Path("t.KVX"), "Hi 42"};
    compose.insert(compose.end(), options.begin(), options.end());
    ASSERT_EQ(Run(compose), 0) << err.str();
    ASSERT_EQ(Run({"export", Path("t.KVX"), Path("file.bmp")}), 0) << err.str();
    std::vector<std::string> direct = {"export", "--text", "Hi 42", Path("text.bmp")};
    direct.insert(direct.end(), options.begin(), options.end());
    ASSERT_EQ(Run(direct), 0) << err.str();
    const Bytes bmp = ReadAll(Path("text.bmp"));
    EXPECT_EQ(bmp, ReadAll(Path("file.bmp")));
    const CRasterSurface dots = DecodeBmp(bmp);
    int green = 0;
    for (COLORREF c : dots.Pixels()) green += c == RGB(0, 255, 0);
    EXPECT_GT(green, 20);
    EXPECT_EQ(Run({"export", "--text", "x", Path("a.bmp"), Path("b.bmp")}), CVemtCtl::kExitUsage);

    // "--text -" takes the text from standard input, as a cron job pipes it.
    std::istringstream in("Hi 42\n");
    CComposeOptions::SetInput(&in);
    std::vector<std::string> piped = {"export", "--text", "-", Path("piped.bmp")};
    piped.insert(piped.end(), options.begin(), options.end());
    ASSERT_EQ(Run(piped), 0) << err.str();
    EXPECT_EQ(ReadAll(Path("piped.bmp")), bmp);
}

TEST_F(ComposeCommandTest, SendOfATextGivesTheSignTheDotsExportShows)
{
    CSignSimulator sim;
    CSimSignConfig sign;
    sign.m_byAddress = 7;
    sim.AddSign(sign);
    CSimulatorLine line(sim);
    ASSERT_TRUE(line.Open());
    ASSERT_TRUE(line.Start());

    const std::vector<std::string> options = {"--at", "10,2", "--colour", "yellow", "--opaque", "--background",
                                              "red", "--import", "Immedia", "--bold"};
    std::vector<std::string> send = {"send", "--text", "Now serving 42", "--port", line.SlavePath(), "--address", "7"};
    send.insert(send.end(), options.begin(), options.end());
    EXPECT_EQ(Run(send), 0) << err.str();
    line.Stop();
    const CSimSignState state = sim.State(7);
    ASSERT_EQ(state.m_nMessages, 1);
    EXPECT_EQ(state.Screens(), 2) << "the line moved to screen 2";
    const CRasterSurface received = CSignSimulator::DecodeScreens(state);

    std::vector<std::string> exported = {"export", "--text", "Now serving 42", Path("sent.bmp")};
    exported.insert(exported.end(), options.begin(), options.end());
    ASSERT_EQ(Run(exported), 0) << err.str();
    const CRasterSurface shown = DecodeBmp(ReadAll(Path("sent.bmp")));
    ASSERT_EQ(shown.Width(), received.Width());
    ASSERT_GE(shown.Height(), received.Height());
    int differing = 0, lit = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x) {
            const COLORREF expected = y < received.Height() ? received.GetPixel(x, y) : 0;
            differing += shown.GetPixel(x, y) != expected;
            lit += expected != 0;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(lit, 100);

    // A text the sign cannot store never reaches the line.
    EXPECT_EQ(Run({"send", "--text", "\xE4\xB8\xAD", "--port", "/nonexistent/tty", "--address", "7"}),
              CVemtCtl::kExitUsage);
    EXPECT_NE(err.str().find("U+4E2D"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"send", Path("x.KVX"), "--text", "x", "--port", "/dev/null", "--address", "7"}),
              CVemtCtl::kExitUsage)
        << "a file and a text at once";
}

}  // namespace
