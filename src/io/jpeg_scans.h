#pragma once

class QIODevice;

namespace vexlo {

// Each scan of a progressive JPEG makes the decoder go over the whole
// picture again, so a small file of many empty scans takes minutes to read.
// Real pictures have a dozen or so.
inline constexpr int kMaxJpegScans = 100;

// How many scans the JPEG stream in the device holds, counting no further
// than one past `stopAfter`; 0 for anything that is no JPEG. Reads a block
// at a time from the start and leaves the device at its start again.
int JpegScanCount(QIODevice &device, int stopAfter = kMaxJpegScans);

} // namespace vexlo
