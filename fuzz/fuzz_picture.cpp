// Feeds arbitrary bytes to the picture import. A picture that reads must be within the
// limits of a picture object and convert to dots; anything else is refused with a reason.

#include "document/CDrawItem.h"
#include "editor/picture/PictureImport.h"

#include <QImage>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CPictureReadResult read = ReadPictureBytes(bytes);
    if (!read.Ok()) {
        if (read.m_szWhy.isEmpty()) std::abort();  // a refusal always says why
        return 0;
    }
    const QImage& image = read.m_image;
    if (image.width() <= 0 || image.height() <= 0 || image.width() > CDrawItem::kMaxSide ||
        image.height() > CDrawItem::kMaxSide ||
        std::uint64_t(image.width()) * std::uint64_t(image.height()) > CDrawItem::kMaxPixels)
        std::abort();
    // What the picture object does with it: every pixel laid over black.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    volatile std::uint32_t sum = 0;
    for (int y = 0; y < argb.height(); ++y) sum = sum + reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y))[argb.width() - 1];
    return 0;
}
