#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QImage>

#include <optional>

namespace vexlo {

// Uncompressed 24- and 32-bit Windows bitmaps with the plain 40-byte header:
// what Vexlo writes and what most tools write. They are read and written here
// a whole row at a time; any other bitmap (palettes, run-length coding, bit
// fields, other headers, files that end early) is left to Qt's reader.
struct PlainBitmapLayout {
    int width = 0;
    int height = 0;        // rows, always positive
    bool topDown = false;  // rows stored top row first (negative height in the file)
    int bitsPerPixel = 0;  // 24 or 32
    qint64 pixelOffset = 0;
    qint64 rowBytes = 0;   // each row padded to a multiple of 4 bytes
};

// The layout of a plain bitmap from its first 54 bytes, when the file is one
// and holds all its rows (`fileSize` bytes in all) and its picture takes at
// most `maxImageBytes` as a 32-bit image; nothing otherwise.
[[nodiscard]] std::optional<PlainBitmapLayout> PlainBitmapLayoutOf(QByteArrayView head, qint64 fileSize,
                                                                   qint64 maxImageBytes);

// The picture of a plain bitmap as a Format_RGB32 image, reading its rows
// from the device (positioned at the first one) a block at a time; a null
// image when the device gives out early; fails (vexlo::Failure) when the
// memory for it cannot be had. The fourth byte of a 32-bit pixel
// is not alpha in a plain bitmap and is ignored.
QImage ReadPlainBitmapRows(const PlainBitmapLayout &layout, QIODevice &rows);

// Writes an image as a 24-bit plain bitmap file, bottom row first, a block
// at a time; every colour kept exactly. False when the device refused a write;
// fails (vexlo::Failure) when there is no memory to convert the image.
bool WriteBitmap24(const QImage &image, QIODevice &device);

} // namespace vexlo
