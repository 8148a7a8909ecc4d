#pragma once

#include <QDialog>

#include <memory>

namespace vexlo {

// A dialog that keeps its lists from one use to the next ends its uses
// Accepted; its frame's close box ends it Rejected, and then it is dropped,
// so the next use makes a fresh one.
template <typename Dialog>
void DropIfClosedByFrame(std::unique_ptr<Dialog> &dialog)
{
    if (dialog && dialog->result() == QDialog::Rejected)
        dialog.reset();
}

} // namespace vexlo
