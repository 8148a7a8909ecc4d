#pragma once

#include "common/colour.h"

#include <QImage>
#include <QIODevice>

#include <optional>

namespace vexlo {

// Writes an image as an 8-bit PNG file, every colour kept exactly: opaque
// RGB, or with `keysAsAlpha` RGBA with the key colours as transparency (see
// PixelWithKeysAsAlpha). Compressed for speed rather than size: each row
// stored as its difference to the row above (the "Up" filter) and deflated
// by libdeflate at its fastest level, which suits tile pictures with their
// many repeated rows and runs. libdeflate takes only whole buffers, so the
// rows and their compressed form lie in memory taken as huge pages, where
// faulting it in costs little. False when the device refused a write; fails
// (vexlo::Failure) when there is no memory for the work.
bool WritePng(const QImage &image, QIODevice &device, std::optional<KeyPair> keysAsAlpha = std::nullopt);

} // namespace vexlo
