#pragma once

#include <QImage>
#include <QIODevice>

namespace vexlo {

// Writes an image as an opaque 8-bit RGB PNG file, every colour kept
// exactly. Compressed for speed rather than size: each row stored as its
// difference to the row above (the "Up" filter) and deflated at the fastest
// level, which suits tile pictures with their many repeated rows and runs.
// False when the device refused a write; fails (vexlo::Failure) when there
// is no memory for the work.
bool WritePng(const QImage &image, QIODevice &device);

} // namespace vexlo
