#pragma once

#include <QtGlobal>

class QIODevice;

namespace vexlo {

// The image data of a PNG inflates to its rows, each a filter byte and its
// pixels. A small file can hold data that inflates to gigabytes of zeros
// past them, all of which the reader inflates after the last row, for
// minutes. Allows a little more than the rows, as a sloppy writer may leave.
inline constexpr qint64 kPngDataSlackBytes = 1024;

// Whether the data of the PNG in the device inflates to more than the rows
// its header declares and the slack. Inflates into a small buffer and stops
// as soon as it does. False for anything that is no PNG or whose header,
// chunks or data the reader refuses on its own. Leaves the device where it
// was, as the reader may have read the header already.
bool PngDataExceedsRows(QIODevice &device);

// The same for the image an icon or cursor file gives, its first, which may
// be a whole PNG file.
bool IconDataExceedsRows(QIODevice &device);

} // namespace vexlo
