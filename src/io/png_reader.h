#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

#include <functional>

namespace vexlo {

// The eight bytes every PNG file starts with.
inline constexpr QByteArrayView kPngSignature("\x89PNG\r\n\x1a\n", 8);

// The PNG files nearly every tool writes (8 bits a sample, RGB or RGBA, not
// interlaced, every chunk whole with its CRC right) read straight with a
// whole-buffer inflater, several times faster than the general reader.
//
// `checkSize` sees the declared size before anything is allocated for the
// pixels and fails to refuse it. Gives an RGB32 picture, or an ARGB32 one
// (not premultiplied) for RGBA; a null image for any other file, damaged or
// not, and for data that does not inflate to exactly the rows, all of which
// is left to the general reader, its checks and its handling of damage.
// Fails (vexlo::Failure) when there is no memory for the picture.
QImage ReadCommonPng(QByteArrayView file, const std::function<void(QSize)> &checkSize);

} // namespace vexlo
