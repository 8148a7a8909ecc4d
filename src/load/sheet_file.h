#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vexlo {

// Picture readers refuse any picture whose decoded image would need more
// memory than this, so a file that merely claims a huge size is turned away
// before anything is allocated for it.
inline constexpr int kPictureAllocationLimitMiB = 128;

// Reads a picture file of one of the sheet formats (bmp, dib, jpg, gif, ico,
// cur) as an opaque Format_RGB32 image: pixels with transparency are laid
// over black, and pixels a damaged file leaves out come out black, the same
// on every read. Fails with the reader's own description of the problem.
QImage ReadPicture(const QString &path);

// The first sheet rule a picture of this size breaks, as the text shown for
// it; empty when it keeps them all.
QString SheetRuleFailure(QSize size);

// The picture at the left edge of a black sheet of the full sheet width.
QImage WidenToSheet(const QImage &picture);

// A picture file taken as a sheet: either accepted (at full sheet width) or
// refused with the reason.
struct SheetFile {
    QImage sheet;
    QString refusal;

    bool accepted() const { return !sheet.isNull(); }
};

// The one way a file becomes a sheet: read, check against the sheet rules,
// widen. Never throws.
SheetFile LoadSheetFile(const QString &path);

} // namespace vexlo
