#pragma once

#include <QtGlobal>

class QIODevice;

namespace vexlo {

// The GIF reader follows every code of the first frame's data, however far
// past the frame's pixels it goes, and a code of 12 bits can stand for
// thousands of pixels: a file of a few megabytes keeps it busy for minutes.
// Allows a little more than the pixels, as a sloppy writer may leave.
inline constexpr qint64 kGifDataSlackPixels = 1024;

// Whether the codes of the first frame of the GIF in the device stand for
// more pixels than the frame has, or the picture when the frame reaches past
// it, and the slack. Follows the codes as the reader does, counting pixels
// instead of setting them, and stops as soon as there are too many. False
// for anything that is no GIF or whose data the reader gives up on by
// itself. Leaves the device where it was.
bool GifDataExceedsPixels(QIODevice &device);

} // namespace vexlo
