// A composed text is the document the editor makes for the same typing: the same file
// bytes and the same dots.

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CCanvasExport.h"
#include "document/CKvxFile.h"
#include "document/CTextComposer.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CTextEdit.h"
#include "editor/CTextEntryDlg.h"
#include "editor/CVemtView.h"
#include "text/CFontCatalogue.h"
#include "text/CFontEngine.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Typing {
    Typing(const char* w, QString t, CPoint p) : what(w), typed(std::move(t)), at(p) {}
    Typing& Face(const std::string& name, int set) { face = name; charSet = set; return *this; }
    Typing& Size(int points) { size = points; return *this; }
    Typing& BoldUnderlinedOpaque() { bold = underline = opaque = true; return *this; }
    Typing& Colour(COLORREF c) { colour = c; return *this; }

    const char* what;
    QString typed;                    // as typed in the Font window's text box
    CPoint at;                        // the click with the character tool
    std::optional<std::string> face;  // an entry picked in the face list (with charSet)
    int charSet = 0;
    std::optional<int> size;          // picked in the size list
    bool bold = false, underline = false, opaque = false;
    std::optional<COLORREF> colour;   // picked in the palette before the click
};

void SetUpSign(CVemtApp& app)
{
    app.m_nColorCount = 2;
    app.m_nTPWidth = 160;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 4;
}

CTextEntryDlg* OpenEntry()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<CTextEntryDlg*>(w); d && d->isVisible()) return d;
    return nullptr;
}

void Pick(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

class ComposeMatchesEditorTest : public testing::Test {
protected:
    void SetUp() override { ResetEditorState(); }
    void TearDown() override { ResetEditorState(); }
};

TEST_F(ComposeMatchesEditorTest, SameBytesAndSameDots)
{
    if (!CFontEngine::Instance().IsFamilyInstalled("Unifont")) GTEST_SKIP() << "Unifont not installed";
    const bool haveWqy = CFontEngine::Instance().IsFamilyInstalled("WenQuanYi Zen Hei Sharp");
    // (A click at widget point (0, 0) is taken by the test library as "the centre", so the
    // clicks at the left edge are on row 0 at column 1.)
    const Typing cases[] = {
        Typing("one short line, a new user's defaults", QStringLiteral("Hi 42"), {10, 2}),
        Typing("a line that wraps with the face's own advances",
               QStringLiteral("Now serving 42 at counter 7, thank you for waiting"), {1, 0})
            .Face("DejaVu Sans", 0)
            .Size(9),
        Typing("a word longer than the sign", QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"), {1, 0}),
        Typing("tabs", QStringLiteral("a\tb\tc"), {4, 16}),
        Typing("two line ends", QStringLiteral("one\n\ntwo"), {3, 0}),
        Typing("a line pushed to the next screen, styled", QStringLiteral("Pushed"), {0, 12})
            .BoldUnderlinedOpaque()
            .Colour(RGB(0, 255, 0)),
        Typing("GB2312 text", QStringLiteral("中文 GB2312"), {1, 0})
            .Face(haveWqy ? "WenQuanYi Zen Hei Sharp" : "Unifont", 134)
            .Size(12),
    };
    const std::vector<FONTENTRY> fonts = CFontCatalogue::Enumerate();
    for (const Typing& c : cases) {
        // The editor: the character tool, the Font window, OK.
        ResetEditorState();
        CVemtApp editorApp;
        SetUpSign(editorApp);
        CMemoryProfile editorProfile;
        if (c.colour) g_crForeground = *c.colour;
        std::vector<std::uint8_t> editorBytes;
        CRasterSurface editorDots(1, 1);
        {
            CMainFrame frame(editorApp, editorProfile);
            CChildFrame* child = frame.NewDocumentWindow();
            frame.show();
            if (c.colour) g_crForeground = *c.colour;
            g_nDrawMode = kDrawModeCharacter;
            QTest::mouseClick(child->View()->viewport(), Qt::LeftButton, {}, QPoint(c.at.x, c.at.y));
            CTextEntryDlg* entry = OpenEntry();
            ASSERT_NE(entry, nullptr) << c.what;
            if (c.face) {
                const int index = CFontCatalogue::ExactEntry(entry->FontEntries(), *c.face, c.charSet);
                ASSERT_GE(index, 0) << c.what << ": no entry " << *c.face;
                Pick(entry->FaceList(), index);
            }
            if (c.size) Pick(entry->SizeList(), *c.size);
            if (c.bold) entry->BoldButton()->click();
            if (c.underline) entry->UnderlineButton()->click();
            if (c.opaque) entry->OpaqueRadio()->click();
            entry->TextEdit()->setPlainText(c.typed);
            QTest::mouseClick(entry->OkButton(), Qt::LeftButton);
            ASSERT_EQ(child->Document().m_objects.size(), 1u) << c.what;
            editorBytes = CKvxFile::WriteKvx(child->Document(), editorApp);
            editorDots = CCanvasExport::RenderCanvas(child->Document(), editorApp);
        }

        // The command line's compose with the same choices.
        CMemoryProfile composeProfile;
        CTextComposer::LoadEditorState(composeProfile);
        CVemtApp composeApp;
        SetUpSign(composeApp);
        CVemtDoc doc(&composeApp);
        CComposeRequest request;
        request.m_szText = c.typed.toStdString();
        request.m_ptAt = c.at;
        request.m_szFace = c.face;
        if (c.face) request.m_nCharSet = c.charSet;
        request.m_nPointSize = c.size;
        request.m_bBold = c.bold;
        request.m_bUnderline = c.underline;
        request.m_bOpaque = c.opaque;
        request.m_crText = c.colour;
        const CComposeResult result = CTextComposer::Compose(request, doc, composeApp, fonts);
        ASSERT_TRUE(result.m_bOk) << c.what << ": " << result.m_szError;

        EXPECT_EQ(CKvxFile::WriteKvx(doc, composeApp), editorBytes) << c.what << ": the same file bytes";
        const CRasterSurface dots = CCanvasExport::RenderCanvas(doc, composeApp);
        ASSERT_EQ(dots.Width(), editorDots.Width()) << c.what;
        ASSERT_EQ(dots.Height(), editorDots.Height()) << c.what;
        EXPECT_TRUE(dots.Pixels() == editorDots.Pixels()) << c.what << ": the same dots";
        int lit = 0;
        for (COLORREF p : dots.Pixels()) lit += p != 0;
        EXPECT_GT(lit, 10) << c.what;
    }
}

}  // namespace
