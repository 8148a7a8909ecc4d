#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace vexlo {

// Writes the whole sheet as a Windows bitmap file, whatever the name's
// extension says, storing every pixel's colour exactly so that key colours
// still match when the file is loaded again. The file is replaced only once
// the new one is complete: a failed write (fails with a description) leaves
// any earlier file as it was.
void WriteSheetBitmap(const QImage &sheet, const QString &path);

struct SheetBitmap {
    QImage sheet;
    QString path;
};

// Several sheets as one: when any cannot be written, no file is changed.
void WriteSheetBitmaps(const std::vector<SheetBitmap> &bitmaps);

} // namespace vexlo
