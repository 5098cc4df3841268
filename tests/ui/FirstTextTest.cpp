// The first text a new user types: a fresh profile, the default sign, the character tool.

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CTextEdit.h"
#include "editor/CTextEntryDlg.h"
#include "editor/CVemtView.h"
#include "raster/CRasterDC.h"
#include "text/CFontEngine.h"
#include "text/CMonoFont.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FirstTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 160;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 3;
    }
    void TearDown() override { ResetEditorState(); }

    CTextEntryDlg* OpenEntry()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<CTextEntryDlg*>(w); d && d->isVisible()) return d;
        return nullptr;
    }

    CVemtApp app;
    CMemoryProfile profile;  // nothing stored yet: the program's own text defaults
};

TEST_F(FirstTextTest, TheDefaultFaceShowsAsTheFaceThatDrawsItAndTheLineFillsOneScreen)
{
    if (!CFontEngine::Instance().IsFamilyInstalled("Unifont")) GTEST_SKIP() << "Unifont not installed";
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    g_nDrawMode = kDrawModeCharacter;
    QTest::mouseClick(child->View()->viewport(), Qt::LeftButton, {}, QPoint(10, 2));
    CTextEntryDlg* entry = OpenEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->m_szFaceName, "MS Sans Serif") << "the profile's default face";
    EXPECT_EQ(entry->FaceList()->currentText(), "Unifont(Western)") << "the face that really draws it";
    EXPECT_EQ(entry->SizeList()->currentIndex(), 12);

    entry->TextEdit()->setPlainText(QStringLiteral("Hi 42"));
    QTest::mouseClick(entry->OkButton(), Qt::LeftButton);
    ASSERT_EQ(child->Document().m_objects.size(), 1u);
    auto* text = dynamic_cast<CDrawFont*>(child->Document().m_objects[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetFaceName(), "Unifont") << "OK takes the selected entry's face";
    EXPECT_EQ(text->m_nTextHeight, 16) << "a 12-point line of the pixel face is 16 dots";

    // The line at dot row 2 would be cut by the boundary at row 16, so it moves to the top
    // of screen 2, where it fills the screen exactly: the same dots as the face's own
    // drawing of the text at (10, 16).
    CLogFont lf;
    lf.m_nHeight = CLogFont::HeightFromPointSize(12);
    lf.m_szFaceName = "MS Sans Serif";
    auto font = CMonoFont::Create(lf);
    ASSERT_TRUE(font);
    ASSERT_EQ(font->Face().m_szFamily, "Unifont");
    CRasterSurface reference(160, 48);
    CRasterDC dc(reference);
    font->TextOut(dc, 10, 16, "Hi 42", 5, g_crForeground, false, 0, nullptr);

    const CRasterSurface& dots = child->View()->Dots();
    int lit = 0, litOffScreen2 = 0, different = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool on = dots.GetPixel(x, y) != 0;
            lit += on;
            litOffScreen2 += on && (y < 16 || y >= 32);
            different += on != (reference.GetPixel(x, y) != 0);
        }
    EXPECT_GT(lit, 40);
    EXPECT_EQ(litOffScreen2, 0) << "every dot on screen 2, none across a boundary";
    EXPECT_EQ(different, 0);
}

TEST_F(FirstTextTest, AFaceWhoseDrawingFaceHasNoEntryForItsCharacterSetSelectsTheFirstEntry)
{
    // No entry of the list has the symbol character set, so the face that draws the name
    // has no entry either: the list's first entry is shown, the stored name is kept.
    profile.WriteProfileString("TPParameter", "LastFontName", "No Such Face Anywhere");
    profile.WriteProfileInt("TPParameter", "LastFontCharset", 2);
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    g_nDrawMode = kDrawModeCharacter;
    QTest::mouseClick(child->View()->viewport(), Qt::LeftButton, {}, QPoint(10, 2));
    CTextEntryDlg* entry = OpenEntry();
    ASSERT_NE(entry, nullptr);
    ASSERT_FALSE(entry->FontEntries().empty());
    EXPECT_EQ(entry->FindDrawingFontEntry(), -1);
    EXPECT_EQ(entry->FaceList()->currentIndex(), 0);
    EXPECT_EQ(entry->m_szFaceName, "No Such Face Anywhere");
    QTest::mouseClick(entry->CancelButton(), Qt::LeftButton);
}

}  // namespace
