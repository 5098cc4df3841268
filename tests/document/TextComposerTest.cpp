#include "document/CTextComposer.h"

#include "SampleDocument.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "document/CKvxFile.h"
#include "document/CParFile.h"
#include "document/CVemtDoc.h"
#include "document/ComposeOptions.h"
#include "programme/ScreenCodes.h"
#include "text/CFontCatalogue.h"
#include "text/CFontEngine.h"
#include "text/CMonoFont.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The default sign of a new user: 160 x 16, here with three screens.
struct Sign {
    CVemtApp app;
    std::unique_ptr<CVemtDoc> doc;
    explicit Sign(int colors = 2)
    {
        ResetEditorState();
        app.m_nTPWidth = 160;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 3;
        app.m_nColorCount = colors;
        doc = std::make_unique<CVemtDoc>(&app);
    }
    ~Sign() { ResetEditorState(); }

    CComposeResult Compose(const CComposeRequest& request)
    {
        static const std::vector<FONTENTRY> fonts = CFontCatalogue::Enumerate();
        return CTextComposer::Compose(request, *doc, app, fonts);
    }
    CDrawFont* Text() const
    {
        return doc->m_objects.size() == 1 ? dynamic_cast<CDrawFont*>(doc->m_objects[0]) : nullptr;
    }
};

std::string Prepared(const CDrawFont& text)
{
    return std::string(text.m_pszText.data(), std::size_t(std::max(0, text.m_nTextSize - 1)));
}

// The first pass of the text object's preparation, written out: a break before every
// character that would make the line wider than the sign.
std::string BreakByAdvances(CMonoFont& font, const std::string& text, int width)
{
    std::string out;
    int line = 0;
    for (char c : text) {
        const int w = font.CharWidth(&c, 1);
        if (line + w > width) {
            out += "\r\n";
            line = 0;
        }
        out += c;
        line += w;
    }
    return out;
}

bool HaveUnifont() { return CFontEngine::Instance().IsFamilyInstalled("Unifont"); }

TEST(TextComposer, MakesTheTextObjectOfTheCharacterToolAndTheFontWindow)
{
    if (!HaveUnifont()) GTEST_SKIP() << "Unifont not installed";
    struct Case {
        const char* what;
        std::string text;
        CPoint at;
        std::string prepared;  // CR LF line ends
        std::string raw;
        CRect box;
        int firstScreen, lastScreen;
    };
    // The default face "MS Sans Serif" is drawn with Unifont: 8 dots a character, 16 a line,
    // so 20 characters fill the 160-dot sign.
    const Case cases[] = {
        {"one short line at the top", "Hi 42", {0, 0}, "Hi 42", "Hi 42", {0, 0, 40, 16}, 0, 0},
        {"a line that would be cut moves to the next screen", "Hi 42", {10, 2}, "Hi 42", "Hi 42",
         {10, 2, 50, 32}, 1, 1},
        {"a word longer than the sign breaks at its width", "ABCDEFGHIJKLMNOPQRSTUVWXY", {0, 0},
         "ABCDEFGHIJKLMNOPQRST\r\nUVWXY", "ABCDEFGHIJKLMNOPQRSTUVWXY", {0, 0, 160, 32}, 0, 1},
        {"a tab is four spaces in the prepared text, kept in the typed one", "a\tb", {0, 16}, "a    b", "a\tb",
         {0, 16, 48, 32}, 1, 1},
        {"two line ends draw no empty line", "one\n\ntwo", {0, 0}, "one\r\n\r\ntwo", "one\r\n\r\ntwo",
         {0, 0, 24, 32}, 0, 1},
        {"CR LF from a file is one line end", "one\r\ntwo", {0, 0}, "one\r\ntwo", "one\r\ntwo", {0, 0, 24, 32}, 0, 1},
    };
    for (const Case& c : cases) {
        Sign sign;
        CComposeRequest request;
        request.m_szText = c.text;
        request.m_ptAt = c.at;
        const CComposeResult result = sign.Compose(request);
        ASSERT_TRUE(result.m_bOk) << c.what << ": " << result.m_szError;
        CDrawFont* text = sign.Text();
        ASSERT_NE(text, nullptr) << c.what;
        EXPECT_EQ(Prepared(*text), c.prepared) << c.what;
        EXPECT_EQ(text->m_strRawText, c.raw) << c.what;
        EXPECT_EQ(text->m_rcPosition, c.box) << c.what;
        EXPECT_EQ(result.m_nFirstScreen, c.firstScreen) << c.what;
        EXPECT_EQ(result.m_nLastScreen, c.lastScreen) << c.what;
        // What "OK" in the Font window stores for a new user: the entry that draws the
        // default face, the character tool's colours and background mode.
        EXPECT_EQ(text->GetFaceName(), "Unifont") << c.what;
        EXPECT_EQ(text->m_nPointSize, 12);
        EXPECT_EQ(text->m_nCharSet, 0);
        EXPECT_EQ(text->m_nBkMode, 1);
        EXPECT_EQ(text->m_crLine, 0x0000FFu);
        EXPECT_EQ(text->m_crFill, 0x000000u);
        EXPECT_TRUE(sign.doc->IsModified());
    }
}

TEST(TextComposer, LinesBreakWhereTheFontsOwnAdvancesPassTheSignWidth)
{
    if (!CFontEngine::Instance().IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans not installed";
    const std::string typed = "Now serving 42 at counter 7, next please: thank you for waiting";
    Sign sign;
    CComposeRequest request;
    request.m_szText = typed;
    request.m_szFace = "DejaVu Sans";
    request.m_nPointSize = 9;
    ASSERT_TRUE(sign.Compose(request).m_bOk);
    CDrawFont* text = sign.Text();
    ASSERT_NE(text, nullptr);
    auto font = CMonoFont::Create(text->MakeLogFont());
    ASSERT_TRUE(font);
    const std::string expected = BreakByAdvances(*font, typed, 160);
    ASSERT_NE(expected.find("\r\n"), std::string::npos) << "the text is wider than the sign";
    EXPECT_EQ(Prepared(*text), expected);
    EXPECT_EQ(text->GetFaceName(), "DejaVu Sans");
    EXPECT_EQ(text->m_nPointSize, 9);
}

TEST(TextComposer, ChineseTextIsStoredInItsCharacterSetsCodePage)
{
    Sign sign;
    CComposeRequest request;
    request.m_szText = "中文 OK";
    request.m_nCharSet = 134;
    const CComposeResult result = sign.Compose(request);
    ASSERT_TRUE(result.m_bOk) << result.m_szError;
    CDrawFont* text = sign.Text();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Prepared(*text), "\xD6\xD0\xCE\xC4 OK");
    EXPECT_EQ(text->m_nCharSet, 134);
    auto font = CMonoFont::Create(text->MakeLogFont());
    ASSERT_TRUE(font);
    EXPECT_GT(font->Glyph(U'中').m_nWidth, 0) << "drawn with a face that has the characters";
}

TEST(TextComposer, RefusesWhatTheSignCannotShowAndAddsNothing)
{
    struct Case {
        const char* what;
        std::string text;
        int charSet;
        CPoint at;
        std::vector<std::string> inMessage;
        std::vector<char32_t> unstorable;
    };
    const Case cases[] = {
        {"characters the Western set lacks", "5\xE2\x82\xAC \xE4\xB8\xAD \xCE\xA9 \xE4\xB8\xAD", 0, {0, 0},
         {"U+4E2D", "\xE4\xB8\xAD", "U+03A9", "Western"}, {U'中', U'Ω'}},
        {"a character GB2312 lacks", "\xE4\xB8\xAD\xF0\x9F\x98\x80", 134, {0, 0}, {"U+1F600"}, {U'\U0001F600'}},
        {"a control character", "bell\x07", 0, {0, 0}, {"U+0007"}, {U'\x07'}},
        {"malformed UTF-8", "bad \xC3", 0, {0, 0}, {"UTF-8"}, {}},
        {"nothing but line ends", "\n\n", 0, {0, 0}, {"empty"}, {}},
        {"a dot off the canvas", "x", 0, {160, 0}, {"not on the canvas"}, {}},
        {"a dot below the last screen", "x", 0, {0, 48}, {"not on the canvas"}, {}},
        {"lines running off the last screen", "a\nb\nc", 0, {0, 20}, {"needs 5 screens", "takes 3"}, {}},
    };
    for (const Case& c : cases) {
        Sign sign;
        CComposeRequest request;
        request.m_szText = c.text;
        request.m_nCharSet = c.charSet;
        request.m_ptAt = c.at;
        const CComposeResult result = sign.Compose(request);
        EXPECT_FALSE(result.m_bOk) << c.what;
        for (const std::string& part : c.inMessage)
            EXPECT_NE(result.m_szError.find(part), std::string::npos) << c.what << ": " << result.m_szError;
        EXPECT_EQ(result.m_aUnstorable, c.unstorable) << c.what;
        EXPECT_TRUE(sign.doc->m_objects.empty()) << c.what;
        EXPECT_FALSE(sign.doc->IsModified()) << c.what;
    }
}

TEST(TextComposer, ScreenSettingsGoToTheScreensOfTheLinesAndThroughTheCompanionFile)
{
    Sign sign;
    CComposeRequest request;
    request.m_szText = "first\nsecond";
    request.m_ptAt = CPoint(0, 10);  // the first line moves to screen 2, the second is on screen 3
    std::string error;
    for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
             {"--import", "scroll up"}, {"--export", "Open from center"}, {"--speed", "Fast"},
             {"--append", "Flicker,Time"}, {"--pause", "7"}, {"--cartoon", "Lion"}})
        ASSERT_TRUE(ApplyComposeOption(name, value, sign.app.m_nColorCount, request, error)) << name << ": " << error;
    const CComposeResult result = sign.Compose(request);
    ASSERT_TRUE(result.m_bOk) << result.m_szError;
    EXPECT_EQ(result.m_nFirstScreen, 1);
    EXPECT_EQ(result.m_nLastScreen, 2);

    TempDir dir;
    const std::string path = dir / "serving.KVX";
    WriteAll(path, CKvxFile::WriteKvx(*sign.doc, sign.app));
    ASSERT_EQ(CParFile::WriteParFile(path, sign.doc->GetScreenCount(), sign.app), ParResult::Ok);

    CVemtApp reread;
    reread.m_nTPWidth = 160;
    reread.m_nTPHeight = 16;
    reread.m_nTotalScreen = 3;
    ASSERT_EQ(CParFile::ReadParFile(path, reread), ParResult::Ok);
    ASSERT_EQ(reread.ScreenInfoCount(), 3);
    const SCREENINFO untouched;
    EXPECT_EQ(reread.m_aScreenInfo[0].byImport, untouched.byImport) << "no line on screen 1";
    EXPECT_EQ(reread.m_aScreenInfo[0].byAppend, untouched.byAppend);
    EXPECT_EQ(reread.m_aScreenInfo[0].nPauseSec, untouched.nPauseSec);
    for (int s : {1, 2}) {
        const SCREENINFO& rec = reread.m_aScreenInfo[std::size_t(s)];
        EXPECT_EQ(rec.byImport, 2) << "Scroll up";
        EXPECT_EQ(rec.byExport, 9) << "Open from center";
        EXPECT_EQ(rec.bySpeed, 1) << "\"Fast \"";
        EXPECT_EQ(rec.byAppend, APPEND_FLICKER | APPEND_TIME | APPEND_PAUSE | APPEND_CARTOON);
        EXPECT_EQ(rec.nPauseSec, 7);
        EXPECT_EQ(rec.nCartoon, 3) << "Lion";
        EXPECT_EQ(FormatAppendText(rec), "Flciker | Pause ( 7 sec ) | Time | Cartoon (Lion) ");
    }
}

TEST(ComposeOptions, NamesAreReadAndUnknownOnesListTheValidOnes)
{
    struct Case {
        const char* name;
        std::string value;
        int colors;
        bool ok;
        const char* inError;  // for a refused value: a valid name the message lists
    };
    const Case cases[] = {
        {"--charset", "GB2312", 2, true, ""},       {"--charset", "gb2312_charset", 2, true, ""},
        {"--charset", "CHINESE_GB2312", 2, true, ""}, {"--charset", "134", 2, true, ""},
        {"--charset", "Klingon", 2, false, "GB2312"}, {"--charset", "256", 2, false, "GB2312"},
        {"--import", "Immedia", 2, true, ""},       {"--import", "Fly in", 2, false, "\"Move from right\""},
        {"--speed", "Fast ", 2, true, ""},          {"--speed", "warp", 2, false, "\"Median\""},
        {"--append", "Flicker, Quiescence", 2, true, ""}, {"--append", "Blink", 2, false, "\"Quiescence\""},
        {"--cartoon", "weight lifting", 2, true, ""}, {"--cartoon", "Dragon", 2, false, "\"Horse\""},
        {"--pause", "99", 2, true, ""},             {"--pause", "100", 2, false, "0 to 99"},
        {"--colour", "yellow", 2, true, ""},        {"--colour", "yellow", 1, false, "two colours"},
        {"--background", "green", 1, false, "two colours"}, {"--colour", "blue", 2, false, "black, red"},
        {"--size", "80", 2, true, ""},              {"--size", "0", 2, false, "1 to 80"},
        {"--at", "12,34", 2, true, ""},             {"--at", "12", 2, false, "X,Y"},
        {"--face", std::string(32, 'F'), 2, false, "31"},
    };
    for (const Case& c : cases) {
        CComposeRequest request;
        std::string error;
        EXPECT_EQ(ApplyComposeOption(c.name, c.value, c.colors, request, error), c.ok) << c.name << " " << c.value;
        if (!c.ok) {
            EXPECT_NE(error.find(c.inError), std::string::npos) << c.name << " " << c.value << ": " << error;
        }
    }

    CComposeRequest request;
    std::string error;
    ASSERT_TRUE(ApplyComposeOption("--charset", "CHINESE_GB2312", 2, request, error));
    EXPECT_EQ(request.m_nCharSet, 134);
    ASSERT_TRUE(ApplyComposeOption("--speed", "fast", 2, request, error));
    EXPECT_EQ(request.m_nSpeed, 1);
    ASSERT_TRUE(ApplyComposeOption("--append", "Flicker, Quiescence", 2, request, error));
    EXPECT_EQ(request.m_nAppend, APPEND_FLICKER | APPEND_QUIESCENCE);
    ASSERT_TRUE(ApplyComposeOption("--append", "none", 2, request, error));
    EXPECT_EQ(request.m_nAppend, 0);
    ASSERT_TRUE(ApplyComposeOption("--colour", "yellow", 2, request, error));
    EXPECT_EQ(request.m_crText, 0x00FFFFu);
    ASSERT_TRUE(ApplyComposeOption("--at", "12, 34", 2, request, error));
    EXPECT_EQ(request.m_ptAt, CPoint(12, 34));
}

TEST(ComposeOptions, EscapesInTheText)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"a\\nb", "a\nb"}, {"a\\tb", "a\tb"}, {"a\\\\nb", "a\\nb"}, {"C:\\x", "C:\\x"}, {"end\\", "end\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(UnescapeComposeText(c.in), c.out) << c.in;
}

}  // namespace
