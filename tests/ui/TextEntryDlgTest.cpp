#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "editor/CTextEdit.h"
#include "editor/CTextEntryDlg.h"
#include "text/CFontEngine.h"
#include "text/CLogFont.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

std::vector<FONTENTRY> Fonts()
{
    return {
        {"DejaVu Sans", 0, 12, 2, "Western"},
        {"WenQuanYi Zen Hei", 134, 16, 2, "CHINESE_GB2312"},
        {"DejaVu Sans Mono", 0, 10, 1, "Western"},
    };
}

class TextEntryDlgTest : public testing::Test {
protected:
    void SetUp() override { ResetEditorState(); }
    void TearDown() override { ResetEditorState(); }
};

TEST_F(TextEntryDlgTest, ListsEveryEntryAndEverySize)
{
    CTextEntryDlg dlg(160, Fonts());
    EXPECT_EQ(dlg.windowTitle(), "Font");
    ASSERT_EQ(dlg.FaceList()->count(), 3);
    EXPECT_EQ(dlg.FaceList()->itemText(0), "DejaVu Sans(Western)");
    EXPECT_EQ(dlg.FaceList()->itemText(1), "WenQuanYi Zen Hei(CHINESE_GB2312)");
    ASSERT_EQ(dlg.SizeList()->count(), 81);
    EXPECT_EQ(dlg.SizeList()->itemText(0), "0");
    EXPECT_EQ(dlg.SizeList()->itemText(80), "80");
    EXPECT_EQ(dlg.TextEdit()->width(), 164) << "the box is the sign's width + 4";
    EXPECT_GE(dlg.minimumWidth(), 181);
}

TEST_F(TextEntryDlgTest, OffersAtMost499Entries)
{
    std::vector<FONTENTRY> many(600, FONTENTRY{"DejaVu Sans", 0, 12, 2, "Western"});
    CTextEntryDlg dlg(160, many);
    EXPECT_EQ(dlg.FaceList()->count(), 499);
    EXPECT_EQ(dlg.FontEntries().size(), 499u);
}

TEST_F(TextEntryDlgTest, AFaceThatIsGoneSelectsTheFaceThatDrawsIt)
{
    if (!CFontEngine::Instance().IsFamilyInstalled("Unifont")) GTEST_SKIP() << "Unifont not installed";
    // A list as the platform gives it: a mathematics face first, as alphabetical order puts it.
    const std::vector<FONTENTRY> fonts = {
        {"DejaVu Math TeX Gyre", 0, 12, 2, "Western"},
        {"DejaVu Sans", 0, 12, 2, "Western"},
        {"Liberation Sans", 0, 12, 2, "Western"},
        {"Unifont", 0, 12, 1, "Western"},
        {"Unifont", 134, 12, 1, "CHINESE_GB2312"},
    };
    struct Case { const char* name; int charSet; };
    const Case cases[] = {{"MS Sans Serif", 0}, {"System", 134}, {"Arial", 0}, {"No Such Face Anywhere", 0}};
    for (const auto& c : cases) {
        g_szLastFontName = c.name;
        g_nLastFontCharset = c.charSet;
        CTextEntryDlg dlg(160, fonts);
        CLogFont lf;
        lf.m_nHeight = CLogFont::HeightFromPointSize(12);
        lf.m_szFaceName = c.name;
        lf.m_nCharSet = std::uint8_t(c.charSet);
        const std::string drawnWith = CFontEngine::Instance().Resolve(lf).m_szFamily;
        ASSERT_FALSE(drawnWith.empty());
        EXPECT_EQ(dlg.FindFontEntry(), -1) << c.name << " is not installed";
        const int selected = dlg.FaceList()->currentIndex();
        ASSERT_GE(selected, 0);
        EXPECT_EQ(fonts[std::size_t(selected)].m_szFaceName, drawnWith) << c.name;
        EXPECT_EQ(fonts[std::size_t(selected)].m_nCharSet, c.charSet) << c.name;
        EXPECT_NE(selected, 0) << c.name << ": not the first entry of the list";
        EXPECT_EQ(dlg.m_szFaceName, c.name) << "the member keeps the stored name";
    }
    g_szLastFontName = "MS Sans Serif";
    g_nLastFontCharset = 0;
    CTextEntryDlg dlg(160, fonts);
    EXPECT_EQ(dlg.FaceList()->currentText(), "Unifont(Western)");
}

TEST_F(TextEntryDlgTest, AFaceWhoseDrawingFaceHasNoEntrySelectsTheFirstEntryAndKeepsItsName)
{
    g_szLastFontName = "MS Sans Serif";
    g_nLastFontCharset = 0;
    CTextEntryDlg dlg(160, Fonts());
    EXPECT_EQ(dlg.FindFontEntry(), -1);
    EXPECT_EQ(dlg.FindDrawingFontEntry(), -1) << "the face that draws it is not in this list";
    EXPECT_EQ(dlg.FaceList()->currentIndex(), 0);
    EXPECT_EQ(dlg.m_szFaceName, "MS Sans Serif");

    // Present only with another character set: no match either.
    dlg.m_szFaceName = "WenQuanYi Zen Hei";
    dlg.m_nCharSet = 0;
    dlg.SyncControls();
    EXPECT_EQ(dlg.FaceList()->currentIndex(), 0);
    dlg.m_nCharSet = 134;
    dlg.SyncControls();
    EXPECT_EQ(dlg.FaceList()->currentIndex(), 1);
}

TEST_F(TextEntryDlgTest, SizeZeroTakesTheMatchedEntryHeightAnd80Stays)
{
    g_szLastFontName = "WenQuanYi Zen Hei";
    g_nLastFontCharset = 134;
    g_nLastFontSize = 0;
    CTextEntryDlg dlg(160, Fonts());
    EXPECT_EQ(dlg.m_nFontSize, 16);
    EXPECT_EQ(dlg.SizeList()->currentIndex(), 16);

    dlg.m_nFontSize = 80;
    dlg.SyncControls();
    EXPECT_EQ(dlg.SizeList()->currentIndex(), 80);
}

TEST_F(TextEntryDlgTest, CtrlVReplacesEveryTabByFourSpaces)
{
    CTextEntryDlg dlg(160, Fonts());
    dlg.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\t\tc"));
    dlg.TextEdit()->setFocus();
    QTest::keyClick(dlg.TextEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dlg.TextEdit()->toPlainText(), "a    b        c");
}

TEST_F(TextEntryDlgTest, OkWithAnEmptyBoxStillTellsTheView)
{
    CTextEntryDlg dlg(160, Fonts());
    QSignalSpy accepted(&dlg, &CTextEntryDlg::TextAccepted);
    dlg.BeginNewText(nullptr);
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(TextEntryDlgTest, OkPreparesTheTextObjectAndKeepsTheDefaults)
{
    CTextEntryDlg dlg(160, Fonts());
    CDrawFont text(CRect(0, 0, 20, 20), 0x0000FF, 0x000000);
    std::vector<CDrawFont*> accepted;
    QObject::connect(&dlg, &CTextEntryDlg::TextAccepted, [&](CDrawFont* obj) { accepted.push_back(obj); });
    dlg.BeginNewText(&text);
    dlg.FaceList()->setCurrentIndex(2);
    emit dlg.FaceList()->activated(2);
    dlg.SizeList()->setCurrentIndex(9);
    emit dlg.SizeList()->activated(9);
    QTest::mouseClick(dlg.BoldButton(), Qt::LeftButton);
    QTest::mouseClick(dlg.ItalicButton(), Qt::LeftButton);
    QTest::mouseClick(dlg.OpaqueRadio(), Qt::LeftButton);
    dlg.TextEdit()->setPlainText(QStringLiteral("Hello\nsign"));
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);

    ASSERT_EQ(accepted.size(), 1u);
    EXPECT_EQ(accepted[0], &text);
    EXPECT_EQ(text.GetFaceName(), "DejaVu Sans Mono");
    EXPECT_EQ(text.m_nPointSize, 9);
    EXPECT_EQ(text.m_bBold, 1);
    EXPECT_EQ(text.m_bItalic, 1) << "the italic button toggles italic";
    EXPECT_EQ(text.m_nBkMode, 2);
    EXPECT_EQ(text.m_strRawText, "Hello\r\nsign");
    EXPECT_EQ(g_szLastFontName, "DejaVu Sans Mono");
    EXPECT_EQ(g_nLastFontSize, 9);
    EXPECT_EQ(g_nLastFontCharset, 0);
    EXPECT_EQ(g_nLastFontCurPitch, 1);
}

TEST_F(TextEntryDlgTest, ChineseTextIsStoredInTheCharacterSetsCodePage)
{
    g_szLastFontName = "WenQuanYi Zen Hei";
    g_nLastFontCharset = 134;
    CTextEntryDlg dlg(160, Fonts());
    CDrawFont text(CRect(0, 0, 20, 20), 0x0000FF, 0x000000);
    dlg.BeginNewText(&text);
    dlg.TextEdit()->setPlainText(QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87"));  // 中文
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
    EXPECT_EQ(text.m_strRawText, "\xD6\xD0\xCE\xC4") << "GB2312 bytes";
}

TEST_F(TextEntryDlgTest, CancelLeavesTheObjectAsItWas)
{
    CTextEntryDlg dlg(160, Fonts());
    CDrawFont text(CRect(0, 0, 20, 20), 0x0000FF, 0x000000);
    text.m_strRawText = "kept";
    QSignalSpy cancelled(&dlg, &CTextEntryDlg::TextCancelled);
    dlg.BeginEdit(&text);
    EXPECT_EQ(dlg.TextEdit()->toPlainText(), "kept");
    dlg.TextEdit()->setPlainText(QStringLiteral("changed"));
    QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancelled.count(), 1);
    EXPECT_EQ(text.m_strRawText, "kept");
    EXPECT_FALSE(dlg.isVisible());
}

}  // namespace
