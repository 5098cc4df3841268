// Pictures from files and from the clipboard: every bitmap depth and header the reader
// must take, the files it must refuse, the other formats, and the picture object a
// picture becomes (one dot per pixel, upright, at the paste position).

#include "EditorTestSupport.h"

#include "document/CDrawItem.h"
#include "document/CDrawOleObj.h"
#include "editor/clipboard/ClipboardPayload.h"
#include "editor/clipboard/PasteRules.h"
#include "editor/picture/PictureImport.h"
#include "editor/undo/CUndoHistory.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {
using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint16_t v) { b.push_back(std::uint8_t(v)); b.push_back(std::uint8_t(v >> 8)); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, std::uint16_t(v)); Put16(b, std::uint16_t(v >> 16)); }

// The test picture: pixel (x, y) is one of four colours, so every depth can hold it.
constexpr COLORREF kColours[4] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0)};
int ColourIndexAt(int x, int y) { return (x + 2 * y) % 4; }

// A bitmap file of w x h of the test picture, bottom-up, with the given depth; core
// selects the old 12-byte header (24 bits only), rle8 run-length encodes 8-bit rows.
QByteArray MakeBmp(int w, int h, int bits, bool core = false, bool rle8 = false)
{
    Bytes pixels;
    const int rowBytes = ((bits * w + 31) / 32) * 4;
    for (int row = h - 1; row >= 0; --row) {
        Bytes line;
        if (rle8) {
            for (int x = 0; x < w; ++x) { line.push_back(1); line.push_back(std::uint8_t(ColourIndexAt(x, row))); }
            line.push_back(0); line.push_back(0);  // end of line
            pixels.insert(pixels.end(), line.begin(), line.end());
            continue;
        }
        std::uint32_t acc = 0;
        int accBits = 0;
        for (int x = 0; x < w; ++x) {
            const int i = ColourIndexAt(x, row);
            const COLORREF c = kColours[i];
            if (bits <= 8) {
                acc = (acc << bits) | std::uint32_t(i & ((1 << bits) - 1));
                accBits += bits;
                if (accBits == 8) { line.push_back(std::uint8_t(acc)); acc = 0; accBits = 0; }
            } else if (bits == 16) {  // 5-5-5
                Put16(line, std::uint16_t(((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3)));
            } else {
                line.push_back(std::uint8_t(GetBValue(c)));
                line.push_back(std::uint8_t(GetGValue(c)));
                line.push_back(std::uint8_t(GetRValue(c)));
                if (bits == 32) line.push_back(0);
            }
        }
        if (accBits) line.push_back(std::uint8_t(acc << (8 - accBits)));
        line.resize(std::size_t(rowBytes), 0);
        pixels.insert(pixels.end(), line.begin(), line.end());
    }
    if (rle8) { pixels.push_back(0); pixels.push_back(1); }  // end of bitmap

    Bytes palette;
    const int colours = bits <= 8 ? (1 << bits) : 0;
    for (int i = 0; i < colours; ++i) {
        const COLORREF c = kColours[i % 4];
        palette.push_back(std::uint8_t(GetBValue(c)));
        palette.push_back(std::uint8_t(GetGValue(c)));
        palette.push_back(std::uint8_t(GetRValue(c)));
        palette.push_back(0);
    }
    Bytes info;
    if (core) {
        Put32(info, 12); Put16(info, std::uint16_t(w)); Put16(info, std::uint16_t(h)); Put16(info, 1); Put16(info, std::uint16_t(bits));
    } else {
        Put32(info, 40); Put32(info, std::uint32_t(w)); Put32(info, std::uint32_t(h)); Put16(info, 1);
        Put16(info, std::uint16_t(bits)); Put32(info, rle8 ? 1 : 0); Put32(info, std::uint32_t(pixels.size()));
        Put32(info, 2835); Put32(info, 2835); Put32(info, std::uint32_t(colours)); Put32(info, 0);
    }
    Bytes file = {'B', 'M'};
    const std::uint32_t offset = std::uint32_t(14 + info.size() + palette.size());
    Put32(file, std::uint32_t(offset + pixels.size())); Put16(file, 0); Put16(file, 0); Put32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), palette.begin(), palette.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

QImage TestPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = kColours[ColourIndexAt(x, y)];
            image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    return image;
}

// Counts the pixels that differ from the test picture.
int Differences(const QImage& image, int w, int h)
{
    if (image.width() != w || image.height() != h) return w * h;
    const std::vector<COLORREF> pixels = PicturePixels(image);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Five bits a channel (16-bit bitmaps) come back as 248 for 255.
            const COLORREF got = pixels[std::size_t(y * w + x)], want = kColours[ColourIndexAt(x, y)];
            wrong += std::abs(GetRValue(got) - GetRValue(want)) > 7 || std::abs(GetGValue(got) - GetGValue(want)) > 7 ||
                     std::abs(GetBValue(got) - GetBValue(want)) > 7;
        }
    return wrong;
}
}  // namespace

TEST(PictureImport, ReadsEveryBitmapDepthAndHeader)
{
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"1 bit", QByteArray()},  // two colours only: checked separately below
        {"4 bits", MakeBmp(13, 5, 4)},
        {"8 bits", MakeBmp(13, 5, 8)},
        {"16 bits", MakeBmp(13, 5, 16)},
        {"24 bits", MakeBmp(13, 5, 24)},
        {"32 bits", MakeBmp(13, 5, 32)},
        {"8 bits RLE", MakeBmp(13, 5, 8, false, true)},
        {"core header", MakeBmp(13, 5, 24, true)},
    };
    for (const Case& c : cases) {
        if (c.bytes.isEmpty()) continue;
        const CPictureReadResult read = ReadPictureBytes(c.bytes);
        ASSERT_TRUE(read.Ok()) << c.name << ": " << read.m_szWhy.toStdString();
        EXPECT_EQ(Differences(read.m_image, 13, 5), 0) << c.name;
    }

    // One bit per pixel: colours 0 and 1 of the palette (black, red).
    const QByteArray mono = MakeBmp(9, 3, 1);
    const CPictureReadResult read = ReadPictureBytes(mono);
    ASSERT_TRUE(read.Ok()) << read.m_szWhy.toStdString();
    const std::vector<COLORREF> pixels = PicturePixels(read.m_image);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(pixels[std::size_t(y * 9 + x)], kColours[ColourIndexAt(x, y) & 1]) << x << "," << y;
}

TEST(PictureImport, ReadsTodaysFormatsThroughTheSamePath)
{
    const QImage picture = TestPicture(21, 7);
    // (Qt writes no GIF; GIF goes through the same reader call.)
    for (const char* format : {"PNG", "BMP"}) {
        const CPictureReadResult read = ReadPictureBytes(Encoded(picture, format));
        ASSERT_TRUE(read.Ok()) << format << ": " << read.m_szWhy.toStdString();
        EXPECT_EQ(Differences(read.m_image, 21, 7), 0) << format;
    }
    // JPEG is lossy: the size and roughly the colours.
    const CPictureReadResult jpeg = ReadPictureBytes(Encoded(picture, "JPEG"));
    ASSERT_TRUE(jpeg.Ok()) << jpeg.m_szWhy.toStdString();
    EXPECT_EQ(jpeg.m_image.size(), QSize(21, 7));

    // A transparent pixel is laid over black: its dot is off.
    QImage alpha(2, 1, QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(255, 255, 0, 0));
    alpha.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const CPictureReadResult png = ReadPictureBytes(Encoded(alpha, "PNG"));
    ASSERT_TRUE(png.Ok());
    EXPECT_EQ(PicturePixels(png.m_image), (std::vector<COLORREF>{RGB(0, 0, 0), RGB(255, 0, 0)}));

    const QStringList filters = PictureImportFilters();
    ASSERT_EQ(filters.size(), 5);
    EXPECT_EQ(filters.front(), QStringLiteral("Bitmap file(*.bmp)"));
    EXPECT_TRUE(filters.back().startsWith(QStringLiteral("All pictures(")));
}

TEST(PictureImport, RefusesDamagedTruncatedAndAbsurdFiles)
{
    const QByteArray good = MakeBmp(16, 8, 24);
    QByteArray notBm = good;
    notBm[0] = 'X';
    QByteArray huge = good;  // 100000 x 100000 claimed
    const std::uint32_t big = 100000;
    std::memcpy(huge.data() + 18, &big, 4);
    std::memcpy(huge.data() + 22, &big, 4);
    QByteArray wide = MakeBmp(16, 8, 24);  // 20000 x 1: beyond the widest picture
    const std::uint32_t w20000 = 20000, one = 1;
    std::memcpy(wide.data() + 18, &w20000, 4);
    std::memcpy(wide.data() + 22, &one, 4);
    wide.append(QByteArray(20000 * 3, '\0'));
    QByteArray badOffset = good;
    const std::uint32_t farOffset = 1u << 30;
    std::memcpy(badOffset.data() + 10, &farOffset, 4);
    QByteArray zeroWidth = good;
    std::memset(zeroWidth.data() + 18, 0, 4);
    QByteArray pngCut = Encoded(TestPicture(30, 30), "PNG");
    pngCut.truncate(pngCut.size() / 2);

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"13 bytes", good.left(13)},
        {"header only", good.left(14)},
        {"not BM", notBm},
        {"short by one byte", good.left(good.size() - 1)},
        {"half the rows", good.left(14 + 40 + 8 * 48 / 2)},
        {"absurd size", huge},
        {"too wide", wide},
        {"pixels beyond the file", badOffset},
        {"no width", zeroWidth},
        {"text", QByteArray("hello, world")},
        {"half a PNG", pngCut},
    };
    for (const auto& c : cases) {
        const CPictureReadResult read = ReadPictureBytes(c.bytes);
        EXPECT_FALSE(read.Ok()) << c.name;
        EXPECT_FALSE(read.m_szWhy.isEmpty()) << c.name;
    }
}

class PicturePaste : public EditorTest {};

TEST_F(PicturePaste, APictureBecomesAnUprightObjectOneDotPerPixelAtThePastePosition)
{
    // The dot under client pixel (20, 20) at each zoom and scroll position.
    const struct {
        int zoom;
        CPoint scroll;
        CPoint dot;
    } positions[] = {
        {1, {0, 0}, {20, 20}}, {2, {0, 0}, {10, 10}}, {6, {0, 0}, {3, 3}}, {8, {5, 16}, {7, 18}},
    };
    for (const auto& p : positions) {
        m_view.m_nZoom = p.zoom;
        m_view.m_ptScroll = p.scroll;
        EXPECT_EQ(DotUnderClientPixel(m_view, kPasteClientX, kPasteClientY), p.dot) << p.zoom;
    }

    const CPictureReadResult read = ReadPictureBytes(MakeBmp(32, 16, 24));
    ASSERT_TRUE(read.Ok());
    std::unique_ptr<CDrawOleObj> obj = MakePictureObject(read.m_image, CPoint(20, 20), &Doc());
    ASSERT_TRUE(obj);
    EXPECT_EQ(obj->m_rcPosition, CRect(20, 20, 52, 36));
    ASSERT_TRUE(obj->m_pClientItem);
    EXPECT_EQ(obj->m_pClientItem->PictureWidth(), 32);
    EXPECT_EQ(obj->m_pClientItem->PictureHeight(), 16);

    std::vector<std::unique_ptr<CDrawObj>> list;
    list.push_back(std::move(obj));
    const auto added = AddObjectsAsStep(Doc(), std::move(list), kStepImport);
    ASSERT_EQ(added.size(), 1u);
    // The picture is drawn upright: its top-left pixel is at (20, 20).
    const auto dots = DotsOf(Doc(), 64, 40);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const char expected = ".RGY"[ColourIndexAt(x, y)];
            ASSERT_EQ(dots[std::size_t(20 + y)][std::size_t(20 + x)], expected) << x << "," << y;
        }
    CUndoHistory::Of(Doc()).Undo();
    EXPECT_TRUE(Doc().m_objects.empty());

    // Nothing for no picture or one beyond the limits.
    EXPECT_FALSE(MakePictureObject(QImage(), CPoint(0, 0), &Doc()));
    EXPECT_FALSE(MakePictureObject(QImage(CDrawItem::kMaxSide + 1, 1, QImage::Format_RGB32), CPoint(0, 0), &Doc()));
}

TEST_F(PicturePaste, InvertTwiceRestoresAndEachInvertIsOneStep)
{
    auto obj = MakePictureObject(TestPicture(4, 2), CPoint(1, 1), &Doc());
    ASSERT_TRUE(obj);
    std::vector<std::unique_ptr<CDrawObj>> list;
    list.push_back(std::move(obj));
    auto* picture = static_cast<CDrawOleObj*>(AddObjectsAsStep(Doc(), std::move(list), kStepPaste).front());
    EXPECT_EQ(SinglePicture({picture}), picture);
    EXPECT_EQ(SinglePicture({}), nullptr);
    EXPECT_EQ(SinglePicture({picture, picture}), nullptr);

    const Bytes upright = BytesOf(Doc());
    EXPECT_DOTS(Doc(), "....../..RGY./.GY.R.");
    InvertPicture(*picture, true);
    EXPECT_EQ(picture->m_rcPosition, CRect(5, 1, 1, 3));
    EXPECT_DOTS(Doc(), "....../.YGR../.R.YG.");
    InvertPicture(*picture, true);
    EXPECT_EQ(BytesOf(Doc()), upright);
    InvertPicture(*picture, false);
    EXPECT_DOTS(Doc(), "....../.GY.R./..RGY.");

    CUndoHistory& history = CUndoHistory::Of(Doc());
    EXPECT_EQ(history.UndoText(), QStringLiteral("Invert Y axis"));
    history.Undo();
    EXPECT_EQ(BytesOf(Doc()), upright);
    history.Undo();
    EXPECT_EQ(history.UndoText(), QStringLiteral("Invert X axis"));
}

TEST(PasteChoice, OurObjectsThenTextThenAPicture)
{
    const struct {
        bool objects, image, text;
        EPasteSource expected;
    } cases[] = {
        {true, true, true, EPasteSource::Objects},   {true, false, false, EPasteSource::Objects},
        {false, true, true, EPasteSource::Text},     {false, false, true, EPasteSource::Text},
        {false, true, false, EPasteSource::Picture}, {false, false, false, EPasteSource::None},
    };
    for (const auto& c : cases) EXPECT_EQ(ChoosePasteSource(c.objects, c.image, c.text), c.expected);

    QMimeData both;
    both.setText(QStringLiteral("Hello"));
    both.setImageData(TestPicture(2, 2));
    EXPECT_EQ(ChoosePasteSource(both), EPasteSource::Text);
    QMimeData ours;
    ours.setData(QString::fromLatin1(kKvxPaintMimeType), QByteArray(2, '\0'));
    ours.setText(QStringLiteral("x"));
    EXPECT_EQ(ChoosePasteSource(ours), EPasteSource::Objects);

    EXPECT_EQ(TextForEntryWindow(QStringLiteral("a\tb\t\tc")), QStringLiteral("a    b        c"));
    EXPECT_EQ(ScreenOfCanvasRow(0, 16, 3), 0);
    EXPECT_EQ(ScreenOfCanvasRow(16, 16, 3), 1);
    EXPECT_EQ(ScreenOfCanvasRow(31, 16, 3), 1);
    EXPECT_EQ(ScreenOfCanvasRow(100, 16, 3), 2);
}
