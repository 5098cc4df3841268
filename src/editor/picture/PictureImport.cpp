#include "editor/picture/PictureImport.h"

#include "document/CDrawItem.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cstdint>
#include <cstring>

QStringList PictureImportFilters()
{
    return {
        QStringLiteral("Bitmap file(*.bmp)"),
        QStringLiteral("PNG file(*.png)"),
        QStringLiteral("JPEG file(*.jpg *.jpeg)"),
        QStringLiteral("GIF file(*.gif)"),
        QStringLiteral("All pictures(*.bmp *.png *.jpg *.jpeg *.gif)"),
    };
}

namespace {
std::uint32_t U32At(const QByteArray& b, int at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.constData() + at, 4);
    return v;  // little-endian machine
}
std::uint16_t U16At(const QByteArray& b, int at)
{
    std::uint16_t v = 0;
    std::memcpy(&v, b.constData() + at, 2);
    return v;
}

// A Windows bitmap must hold the pixel rows its headers promise. Empty when it does.
QString CheckBitmapLength(const QByteArray& b)
{
    constexpr int kFileHeader = 14;
    if (b.size() < kFileHeader + 12) return QStringLiteral("the bitmap's headers are cut off");
    const std::uint32_t offset = U32At(b, 10);
    const std::uint32_t headerSize = U32At(b, 14);
    std::int64_t width = 0, height = 0;
    std::uint32_t bits = 0, compression = 0;
    if (headerSize == 12) {
        width = U16At(b, 18);
        height = U16At(b, 20);
        bits = U16At(b, 24);
    } else {
        if (headerSize < 40 || std::int64_t(b.size()) < kFileHeader + 40)
            return QStringLiteral("the bitmap's information header is cut off or unknown");
        width = std::int32_t(U32At(b, 18));
        height = std::int32_t(U32At(b, 22));
        bits = U16At(b, 28);
        compression = U32At(b, 30);
    }
    if (width <= 0 || height == 0) return QStringLiteral("the bitmap has no pixels");
    if (height < 0) height = -height;
    if (offset < kFileHeader + headerSize || offset > std::uint32_t(b.size()))
        return QStringLiteral("the bitmap's pixels start outside the file");
    // Run-length data has no fixed length; the reader checks it as it goes.
    if (compression == 1 || compression == 2) return {};
    if (bits == 0 || bits > 32) return QStringLiteral("the bitmap has an unknown pixel depth");
    const std::int64_t rowBytes = ((std::int64_t(bits) * width + 31) / 32) * 4;
    if (std::int64_t(offset) + rowBytes * height > std::int64_t(b.size()))
        return QStringLiteral("the bitmap is shorter than its pixel rows");
    return {};
}
}  // namespace

CPictureReadResult ReadPictureBytes(const QByteArray& bytes)
{
    CPictureReadResult result;
    if (bytes.startsWith("BM")) {
        result.m_szWhy = CheckBitmapLength(bytes);
        if (!result.m_szWhy.isEmpty()) return result;
    }
    QByteArray data = bytes;  // the buffer needs a non-const array; shares the bytes
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kPictureAllocationLimitMB);
    if (!reader.canRead()) {
        result.m_szWhy = QStringLiteral("not a picture this program reads");
        return result;
    }
    const QSize size = reader.size();
    if (size.isValid() &&
        (size.width() > CDrawItem::kMaxSide || size.height() > CDrawItem::kMaxSide ||
         std::uint64_t(size.width()) * std::uint64_t(size.height()) > CDrawItem::kMaxPixels)) {
        result.m_szWhy = QStringLiteral("the picture is too large");
        return result;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.m_szWhy = reader.errorString();
        if (result.m_szWhy.isEmpty()) result.m_szWhy = QStringLiteral("the picture cannot be read");
        return result;
    }
    if (image.width() > CDrawItem::kMaxSide || image.height() > CDrawItem::kMaxSide ||
        std::uint64_t(image.width()) * std::uint64_t(image.height()) > CDrawItem::kMaxPixels) {
        result.m_szWhy = QStringLiteral("the picture is too large");
        return result;
    }
    result.m_image = image;
    return result;
}

CPictureReadResult ReadPictureFile(const QString& path)
{
    CPictureReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.m_szWhy = file.errorString();
        return result;
    }
    if (!file.isSequential() && file.size() > kMaxPictureFileBytes) {
        result.m_szWhy = QStringLiteral("the file is too large");
        return result;
    }
    const QByteArray bytes = file.read(kMaxPictureFileBytes + 1);
    if (bytes.size() > kMaxPictureFileBytes) {
        result.m_szWhy = QStringLiteral("the file is too large");
        return result;
    }
    return ReadPictureBytes(bytes);
}
