#pragma once

namespace vexlo {

// What a reader or writer does with a path that names a FIFO, a device or a
// socket (also through a symbolic link). The windows refuse them before
// opening, since opening or writing a FIFO can wait forever and freeze the
// window; the batch tool uses them, so `<(...)`, pipes and /dev/null work,
// within the same size limits.
enum class SpecialFiles { Refuse, Use };

} // namespace vexlo
