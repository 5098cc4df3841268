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

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CharacterToolTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 160;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 2;
        profile.WriteProfileString("TPParameter", "LastFontName", "DejaVu Sans");
        profile.WriteProfileInt("TPParameter", "LastFontSize", 9);
    }
    void TearDown() override { ResetEditorState(); }

    CTextEntryDlg* OpenEntry()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<CTextEntryDlg*>(w); d && d->isVisible()) return d;
        return nullptr;
    }

    CVemtApp app;
    CMemoryProfile profile;
};

TEST_F(CharacterToolTest, AClickInCharacterModeTypesATextObjectThatKeepsItsMeasure)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    g_nDrawMode = kDrawModeCharacter;
    QTest::mouseClick(child->View()->viewport(), Qt::LeftButton, {}, QPoint(4, 0));
    CTextEntryDlg* entry = OpenEntry();
    ASSERT_NE(entry, nullptr) << "the text entry window is shown";
    ASSERT_EQ(child->Document().m_objects.size(), 1u);
    auto* text = dynamic_cast<CDrawFont*>(child->Document().m_objects[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_rcPosition, CRect(4, 0, 24, 20));

    entry->TextEdit()->setPlainText(QStringLiteral("Hello"));
    QTest::mouseClick(entry->OkButton(), Qt::LeftButton);
    EXPECT_GT(text->m_nTextWidth, 0);
    EXPECT_EQ(text->m_rcPosition.TopLeft(), CPoint(4, 0));
    EXPECT_EQ(text->m_rcPosition.right, 4 + text->m_nTextWidth) << "the box is as wide as the text";
    EXPECT_EQ(text->m_rcPosition.bottom, std::max(text->m_nTextHeight, text->m_nDrawnBottom))
        << "and reaches the lowest line drawn";
    EXPECT_TRUE(child->Document().IsModified());
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_EQ(profile.GetProfileString("TPParameter", "LastFontName", ""), "DejaVu Sans");
    EXPECT_TRUE(profile.Has("TPParameter", "LastFontCurPitch")) << "the text defaults are written back";

    int lit = 0;
    for (COLORREF c : child->View()->Dots().Pixels()) lit += c != 0;
    EXPECT_GT(lit, 20) << "the canvas shows the text";
}

TEST_F(CharacterToolTest, TextClickedAcrossAScreenBoundaryStaysVisibleOnTheNextScreen)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    g_nDrawMode = kDrawModeCharacter;
    QTest::mouseClick(child->View()->viewport(), Qt::LeftButton, {}, QPoint(2, 10));
    CTextEntryDlg* entry = OpenEntry();
    ASSERT_NE(entry, nullptr);
    entry->TextEdit()->setPlainText(QStringLiteral("HHHH"));
    QTest::mouseClick(entry->OkButton(), Qt::LeftButton);
    auto* text = dynamic_cast<CDrawFont*>(child->Document().m_objects.at(0));
    ASSERT_NE(text, nullptr);
    EXPECT_GT(text->m_rcPosition.bottom, 16) << "the line moved to screen 2 and the box follows it";

    // Every lit dot is on screen 2, and the letters are whole: as many dots as the same
    // text drawn without any clipping box in the way.
    int litScreen1 = 0, litScreen2 = 0;
    const CRasterSurface& dots = child->View()->Dots();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 160; ++x)
            if (dots.GetPixel(x, y)) ++(y < 16 ? litScreen1 : litScreen2);
    EXPECT_EQ(litScreen1, 0);
    std::unique_ptr<CDrawObj> unclipped(text->CloneInto(nullptr));
    unclipped->m_rcPosition = CRect(2, 10, 160, 32);
    CRasterSurface reference(160, 32);
    CRasterDC dc(reference);
    unclipped->Draw(dc, nullptr);
    int litReference = 0;
    for (COLORREF c : reference.Pixels()) litReference += c != 0;
    EXPECT_EQ(litScreen2, litReference);
}

TEST_F(CharacterToolTest, AnEntryEndedWithoutTextLeavesNoObject)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    for (bool ok : {true, false}) {
        g_nDrawMode = kDrawModeCharacter;
        QTest::mouseClick(child->View()->viewport(), Qt::LeftButton, {}, QPoint(10, 2));
        CTextEntryDlg* entry = OpenEntry();
        ASSERT_NE(entry, nullptr);
        QTest::mouseClick(ok ? entry->OkButton() : entry->CancelButton(), Qt::LeftButton);
        EXPECT_TRUE(child->Document().m_objects.empty()) << (ok ? "OK" : "Cancel") << " with an empty box";
        EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    }
}

}  // namespace
