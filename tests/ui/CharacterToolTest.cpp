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

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

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
    QTest::mouseClick(child->View(), Qt::LeftButton, {}, QPoint(4, 0));
    CTextEntryDlg* entry = OpenEntry();
    ASSERT_NE(entry, nullptr) << "the text entry window is shown";
    ASSERT_EQ(child->Document().m_objects.size(), 1u);
    auto* text = dynamic_cast<CDrawFont*>(child->Document().m_objects[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_rcPosition, CRect(4, 0, 24, 20));

    entry->TextEdit()->setPlainText(QStringLiteral("Hello"));
    QTest::mouseClick(entry->OkButton(), Qt::LeftButton);
    EXPECT_GT(text->m_nTextWidth, 0);
    EXPECT_EQ(text->m_rcPosition,
              CRect(4, 0, 4 + text->m_nTextWidth, text->m_nTextHeight)) << "the box is the measured text";
    EXPECT_TRUE(child->Document().IsModified());
    EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    EXPECT_EQ(profile.GetProfileString("TPParameter", "LastFontName", ""), "DejaVu Sans");
    EXPECT_TRUE(profile.Has("TPParameter", "LastFontCurPitch")) << "the text defaults are written back";

    int lit = 0;
    for (COLORREF c : child->View()->Dots().Pixels()) lit += c != 0;
    EXPECT_GT(lit, 20) << "the canvas shows the text";
}

TEST_F(CharacterToolTest, AnEntryEndedWithoutTextLeavesNoObject)
{
    CMainFrame frame(app, profile);
    CChildFrame* child = frame.NewDocumentWindow();
    frame.show();
    for (bool ok : {true, false}) {
        g_nDrawMode = kDrawModeCharacter;
        QTest::mouseClick(child->View(), Qt::LeftButton, {}, QPoint(10, 2));
        CTextEntryDlg* entry = OpenEntry();
        ASSERT_NE(entry, nullptr);
        QTest::mouseClick(ok ? entry->OkButton() : entry->CancelButton(), Qt::LeftButton);
        EXPECT_TRUE(child->Document().m_objects.empty()) << (ok ? "OK" : "Cancel") << " with an empty box";
        EXPECT_EQ(g_nDrawMode, kDrawModeSelect);
    }
}

}  // namespace
