#pragma once
// Reading a picture file for "Import...": Windows bitmaps first, and the formats logos
// come in today (PNG, JPEG, the first frame of a GIF), all through Qt's image reader.
// Nothing is trusted: the header's size is checked before anything is decoded, decoding
// runs under an allocation limit, and a bitmap shorter than its own header says is
// refused rather than shown half.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The filters of the import dialog, the bitmap filter first.
QStringList PictureImportFilters();

// The largest picture decoded, in megabytes of decoded image.
inline constexpr int kPictureAllocationLimitMB = 64;

struct CPictureReadResult {
    QImage m_image;          // null when refused
    QString m_szWhy;         // why it was refused, for the log and the tests
    bool Ok() const { return !m_image.isNull(); }
};

// Reads the picture held in `bytes` (the whole file).
CPictureReadResult ReadPictureBytes(const QByteArray& bytes);
// Reads a picture file; files beyond the size any sign picture needs are refused unread.
CPictureReadResult ReadPictureFile(const QString& path);

// The largest picture file read, in bytes.
inline constexpr qint64 kMaxPictureFileBytes = qint64(64) << 20;
