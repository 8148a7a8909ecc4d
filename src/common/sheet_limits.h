#pragma once

#include "common/failure.h"

#include <QImage>
#include <QString>

namespace vexlo {

// The tallest sheet: 4096 tiles (131,072 pixels), 128 MiB at the full width
// of 256 pixels and 32 bits per pixel. Loading refuses a taller picture from
// its declared size, before any pixel is read, and Resize a taller height,
// so every sheet Vexlo holds, and so every sheet it writes, loads again.
inline constexpr int kMaxSheetHeight = 131072;
// Every sheet is this wide, in tiles of this size.
inline constexpr int kSheetWidth = 256;
inline constexpr int kTileSize = 32;

// "Not enough memory for a picture of W x H pixels."
Failure NotEnoughMemory(int width, int height);

// A new image of this size and format, never a null one: fails
// (vexlo::Failure) with "Not enough memory for a picture of W x H pixels."
// when the memory cannot be had.
QImage AllocatedImage(int width, int height, QImage::Format format);
// The image's pixels for writing. An image shared with another is copied
// first, which needs memory: fails with the text above when it cannot be had,
// leaving the image as it was, so nothing is ever written through a null
// pointer nor a picture lost.
uchar *WritableBits(QImage &image);

// The image in another format, checked the same way, converted a strip at
// a time on this thread; the image itself when it has that format already.
QImage ConvertedImage(QImage image, QImage::Format format);

} // namespace vexlo
