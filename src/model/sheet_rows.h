#pragma once

#include <QImage>

namespace vexlo {

// The sheet at a new height: the rows within both unchanged, the width
// kept, rows added at the bottom taken from `rowsBelow` as far as it has
// them and black after that. Fails (vexlo::Failure) when the memory cannot
// be had, the sheet left as it was.
QImage SheetWithHeight(const QImage &sheet, int pixels, const QImage &rowsBelow = {});

// The sheet's rows from `first` on, as an image of their own, without the
// black rows at the bottom, which SheetWithHeight adds again; a null image
// when that leaves none.
QImage SheetRowsFrom(const QImage &sheet, int first);

} // namespace vexlo
