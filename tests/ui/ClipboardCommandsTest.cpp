// The clipboard, import, export and invert commands on a real frame and canvas view:
// duplicates on top and selected, text winning over a picture, a damaged block, a 32 x 16
// bitmap at the dot under (20, 20), the exported rows of the canvas and of one screen,
// mirroring, and each step undone in one.

#include "RecordingMessageSink.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CDrawFont.h"
#include "document/CDrawItem.h"
#include "document/CDrawOleObj.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CTextEdit.h"
#include "editor/CTextEntryDlg.h"
#include "editor/CVemtView.h"
#include "editor/clipboard/ClipboardCommands.h"
#include "editor/clipboard/ClipboardPayload.h"
#include "editor/undo/CUndoHistory.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

std::vector<std::uint8_t> ArchiveOf(CDrawObj* obj)
{
    CArchive ar;
    ar.WriteClassTag(obj->GetRuntimeClassName(), 0);
    obj->Serialize(ar);
    return ar.Data();
}

// A decoded 24-bit bitmap: width, height and the pixel at (x, y) from the top.
struct Bmp {
    QByteArray bytes;
    std::uint32_t U32(int at) const
    {
        std::uint32_t v = 0;
        std::memcpy(&v, bytes.constData() + at, 4);
        return v;
    }
    int Width() const { return int(U32(18)); }
    int Height() const { return int(U32(22)); }
    COLORREF Pixel(int x, int y) const
    {
        const int rowBytes = ((24 * Width() + 31) / 32) * 4;
        const int at = int(U32(10)) + (Height() - 1 - y) * rowBytes + x * 3;
        const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData() + at);
        return RGB(p[2], p[1], p[0]);
    }
};

Bmp ReadBmp(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return Bmp{f.readAll()};
}

class ClipboardCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 64;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 3;
        app.m_nColorCount = 2;
        char templ[] = "/tmp/vemt-clip-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        dir = templ;
        frame = std::make_unique<CMainFrame>(app, profile);
        child = frame->NewDocumentWindow();
        frame->show();
        QApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* entry = qobject_cast<CTextEntryDlg*>(w); entry && entry->isVisible()) entry->CancelButton()->click();
        frame.reset();
        std::filesystem::remove_all(dir);
        ResetEditorState();
    }
    CVemtView& View() { return *child->View(); }
    CVemtDoc& Doc() { return child->Document(); }
    CDrawRect* Box(CRect r, COLORREF c)
    {
        auto* obj = new CDrawRect(r, c, c, 1, 1);
        Doc().AddObj(obj);
        return obj;
    }
    QString WriteBmp(const QImage& image, const char* name)
    {
        const QString path = QString::fromStdString(dir + "/" + name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    static QImage Picture(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0));
        return image;
    }

    CVemtApp app;
    CMemoryProfile profile;
    RecordingMessageSink messages;
    std::string dir;
    std::unique_ptr<CMainFrame> frame;
    CChildFrame* child = nullptr;
};

TEST_F(ClipboardCommandsTest, CopyThenPasteGivesSelectedDuplicatesOnTopUndoneInOneStep)
{
    CDrawRect* a = Box(CRect(1, 1, 9, 5), 0x0000FF);
    Box(CRect(20, 2, 30, 8), 0x00FF00);
    CDrawRect* c = Box(CRect(3, 18, 12, 30), 0x00FFFF);
    View().SelectObj(a, false, false);
    View().SelectObj(c, true, false);
    CopySelection(View());
    EXPECT_TRUE(ClipboardCanPaste());

    PasteClipboard(*frame, View(), messages);
    ASSERT_EQ(Doc().m_objects.size(), 5u);
    CDrawObj* pa = Doc().m_objects[3];
    CDrawObj* pc = Doc().m_objects[4];
    EXPECT_EQ(ArchiveOf(pa), ArchiveOf(a));
    EXPECT_EQ(ArchiveOf(pc), ArchiveOf(c));
    EXPECT_EQ(View().Selection().Objects(), (std::vector<CDrawObj*>{pa, pc}));
    EXPECT_TRUE(messages.messages.empty());

    CUndoHistory::Of(Doc()).Undo();
    EXPECT_EQ(Doc().m_objects.size(), 3u);

    // Cut takes the selection away and a paste brings it back.
    View().SelectObj(a, false, false);
    CutSelection(View());
    EXPECT_EQ(Doc().m_objects.size(), 2u);
    PasteClipboard(*frame, View(), messages);
    ASSERT_EQ(Doc().m_objects.size(), 3u);
    EXPECT_EQ(Doc().m_objects.back()->m_rcPosition, CRect(1, 1, 9, 5));
}

TEST_F(ClipboardCommandsTest, ADamagedBlockPastesNothingAndSaysSo)
{
    Box(CRect(1, 1, 9, 5), 0x0000FF);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kKvxPaintMimeType), QByteArray("\x03\x00\xff\xff\x00\x00\x09\x00CDrawRect\x01", 18));
    QApplication::clipboard()->setMimeData(data);
    PasteClipboard(*frame, View(), messages);
    EXPECT_EQ(Doc().m_objects.size(), 1u);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("damaged"), std::string::npos);
    EXPECT_FALSE(CUndoHistory::Of(Doc()).CanUndo());
}

TEST_F(ClipboardCommandsTest, TextWinsOverAPictureAndOpensTheEntryWindowWithIt)
{
    auto* data = new QMimeData;
    data->setText(QStringLiteral("Open\tnow"));
    data->setImageData(Picture(8, 8));
    QApplication::clipboard()->setMimeData(data);
    PasteClipboard(*frame, View(), messages);
    ASSERT_EQ(Doc().m_objects.size(), 1u);
    auto* text = dynamic_cast<CDrawFont*>(Doc().m_objects[0]);
    ASSERT_NE(text, nullptr) << "a text object, not a picture";
    EXPECT_EQ(text->m_rcPosition.TopLeft(), View().DeviceToDots(CPoint(20, 20)));
    CTextEntryDlg* entry = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<CTextEntryDlg*>(w); d && d->isVisible()) entry = d;
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->TextEdit()->toPlainText(), QStringLiteral("Open    now"));
}

TEST_F(ClipboardCommandsTest, APictureAloneBecomesAPictureObjectAtThePastePosition)
{
    QApplication::clipboard()->setImage(Picture(12, 7));
    PasteClipboard(*frame, View(), messages);
    ASSERT_EQ(Doc().m_objects.size(), 1u);
    auto* picture = dynamic_cast<CDrawOleObj*>(Doc().m_objects[0]);
    ASSERT_NE(picture, nullptr);
    const CPoint at = View().DeviceToDots(CPoint(20, 20));
    EXPECT_EQ(picture->m_rcPosition, CRect(at.x, at.y, at.x + 12, at.y + 7));
    EXPECT_EQ(View().Selection().Objects(), std::vector<CDrawObj*>{picture});
}

TEST_F(ClipboardCommandsTest, ImportingA32By16BitmapGivesA32By16PictureUnderPixel20And20)
{
    const QString path = WriteBmp(Picture(32, 16), "logo.bmp");
    for (int zoomIndex : {0, 2}) {  // factors 1 and 6
        g_nPrevZoomIndex = g_nZoomIndex;
        g_nZoomIndex = zoomIndex;
        View().OnZoomChanged();
        const std::size_t before = Doc().m_objects.size();
        ASSERT_TRUE(ImportPictureFile(View(), path, messages));
        ASSERT_EQ(Doc().m_objects.size(), before + 1);
        auto* picture = dynamic_cast<CDrawOleObj*>(Doc().m_objects.back());
        ASSERT_NE(picture, nullptr);
        const CPoint at = View().DeviceToDots(CPoint(20, 20));
        EXPECT_EQ(picture->m_rcPosition, CRect(at.x, at.y, at.x + 32, at.y + 16)) << zoomIndex;
        EXPECT_EQ(View().Selection().Objects(), std::vector<CDrawObj*>{picture});
        EXPECT_EQ(CUndoHistory::Of(Doc()).UndoText(), QStringLiteral("Import"));
    }
    EXPECT_EQ(Doc().m_objects[0]->m_rcPosition, CRect(20, 20, 52, 36));
    EXPECT_EQ(Doc().m_objects[1]->m_rcPosition, CRect(3, 3, 35, 19));
    CUndoHistory::Of(Doc()).Undo();
    EXPECT_EQ(Doc().m_objects.size(), 1u);
    EXPECT_TRUE(messages.messages.empty());

    // A file that is not a picture: "Error", nothing imported.
    const std::string bad = dir + "/bad.bmp";
    {
        QFile f(QString::fromStdString(bad));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM this is not a bitmap");
    }
    EXPECT_FALSE(ImportPictureFile(View(), QString::fromStdString(bad), messages));
    EXPECT_FALSE(ImportPictureFile(View(), QString::fromStdString(dir + "/missing.bmp"), messages));
    EXPECT_EQ(Doc().m_objects.size(), 1u);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].text, "Error");
}

TEST_F(ClipboardCommandsTest, ExportWritesTheWholeCanvasAndConvertOneScreen)
{
    Box(CRect(0, 0, 4, 4), RGB(255, 0, 0));       // screen 1
    Box(CRect(8, 16, 12, 20), RGB(0, 255, 0));    // screen 2
    Box(CRect(60, 44, 64, 48), RGB(255, 255, 0)); // screen 3
    const QString whole = QString::fromStdString(dir + "/whole.bmp");
    ASSERT_TRUE(ExportCanvasFile(View(), whole));
    const Bmp canvas = ReadBmp(whole);
    ASSERT_EQ(canvas.bytes.size(), 54 + 64 * 3 * 48);
    EXPECT_EQ(canvas.Width(), 64);
    EXPECT_EQ(canvas.Height(), 48);
    EXPECT_EQ(canvas.U32(28) & 0xFFFF, 24u);
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(255, 0, 0)) << "screen 1 at the top";
    EXPECT_EQ(canvas.Pixel(9, 17), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(62, 46), RGB(255, 255, 0));
    EXPECT_EQ(canvas.Pixel(30, 30), RGB(0, 0, 0));

    // A right click in screen 2 (client row of dot row 20).
    const QString screen = QString::fromStdString(dir + "/screen2.bmp");
    ASSERT_TRUE(ExportScreenFile(View(), View().DotsToDevice(CPoint(0, 20)).y, screen));
    const Bmp two = ReadBmp(screen);
    EXPECT_EQ(two.Width(), 64);
    EXPECT_EQ(two.Height(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(two.Pixel(x, y), canvas.Pixel(x, 16 + y)) << x << "," << y;
    EXPECT_EQ(two.Pixel(9, 1), RGB(0, 255, 0));

    // A file that cannot be created: false, nothing written.
    EXPECT_FALSE(ExportCanvasFile(View(), QString::fromStdString(dir + "/no/such/dir.bmp")));
}

TEST_F(ClipboardCommandsTest, InvertXTwiceRestoresAndEachInvertUndoes)
{
    const QString path = WriteBmp(Picture(6, 3), "p.bmp");
    ASSERT_TRUE(ImportPictureFile(View(), path, messages));
    auto* picture = dynamic_cast<CDrawOleObj*>(Doc().m_objects.back());
    ASSERT_NE(picture, nullptr);
    const CRect upright = picture->m_rcPosition;
    const COLORREF topLeft = View().Dots().GetPixel(upright.left, upright.top);
    ASSERT_TRUE(InvertSelectedPicture(View(), true));
    EXPECT_EQ(picture->m_rcPosition, CRect(upright.right, upright.top, upright.left, upright.bottom));
    EXPECT_EQ(View().Dots().GetPixel(upright.right - 1, upright.top), topLeft) << "mirrored on screen";
    ASSERT_TRUE(InvertSelectedPicture(View(), true));
    EXPECT_EQ(picture->m_rcPosition, upright);
    ASSERT_TRUE(InvertSelectedPicture(View(), false));
    EXPECT_EQ(CUndoHistory::Of(Doc()).UndoText(), QStringLiteral("Invert Y axis"));
    CUndoHistory::Of(Doc()).Undo();
    EXPECT_EQ(picture->m_rcPosition, upright);

    // Not for anything but one picture.
    View().SelectObj(nullptr, false, false);
    EXPECT_FALSE(InvertSelectedPicture(View(), true));
}

}  // namespace
