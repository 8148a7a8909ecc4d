#pragma once

#include <QByteArray>
#include <QImage>

namespace vexlo::test {

// A picture whose 8 x 8 blocks each have their own colour (at most 256
// colours for pictures up to 256 x 64, so GIF keeps them exactly).
QImage BlockPicture(int width, int height);

// Picture files made byte by byte, for the formats Qt cannot write: a GIF
// (one frame, a global palette of the picture's colours, at most 256) with an
// optional transparent palette entry, and an icon or cursor with one
// 32-bit image whose alpha channel is kept.
QByteArray GifBytes(const QImage &picture, int transparentIndex = -1);
QByteArray IconBytes(const QImage &picture, bool cursor = false);

// A picture file written by Qt's own writer in the given format ("bmp", "jpg").
QByteArray WrittenBytes(const QImage &picture, const char *format);

// Little-endian fields, for patching headers.
void PutLe16(QByteArray &bytes, int offset, quint16 value);
void PutLe32(QByteArray &bytes, int offset, quint32 value);

} // namespace vexlo::test
