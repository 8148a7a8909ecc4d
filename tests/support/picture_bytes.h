#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace vexlo::test {

// A picture whose 8 x 8 blocks each have their own colour (at most 256
// colours for pictures up to 256 x 64, so GIF keeps them exactly).
QImage BlockPicture(int width, int height);

// Picture files made byte by byte, for the formats Qt cannot write: a GIF
// (one frame, a global palette of the picture's colours, at most 256) with an
// optional transparent palette entry and codes for `extraPixels` more pixels
// past the picture's, and an icon or cursor with one 32-bit image whose
// alpha channel is kept.
QByteArray GifBytes(const QImage &picture, int transparentIndex = -1, qint64 extraPixels = 0);
// A black GIF whose one frame's codes stand for 7.4 million pixels, then
// 3,839 more for each of `longCodes` (an even number) codes of 12 bits.
QByteArray GifBombBytes(QSize screen, QSize frame, qint64 longCodes);
QByteArray IconBytes(const QImage &picture, bool cursor = false);

// PNG files made chunk by chunk, for what no writer makes: an RGB PNG of
// the given size whose IDAT chunk holds `data`, a zlib stream of its rows
// (each a filter byte, then its pixels).
QByteArray RgbPngBytes(quint32 width, quint32 height, const QByteArray &data, bool interlaced = false,
                       int bitsPerChannel = 8);
// A zlib stream of `count` zero bytes (at least 259), made in a moment
// however many: 13 bytes for every 2064 zeros.
QByteArray ZlibZeros(qint64 count);
// An icon file whose one image is the given PNG file.
QByteArray PngIconBytes(const QByteArray &png);

// A picture file written by Qt's own writer in the given format ("bmp", "jpg").
QByteArray WrittenBytes(const QImage &picture, const char *format);

// Fields for building and patching headers.
void AppendBe32(QByteArray &bytes, quint32 value);
void PutLe16(QByteArray &bytes, int offset, quint16 value);
void PutLe32(QByteArray &bytes, int offset, quint32 value);

} // namespace vexlo::test
