#pragma once

#include "common/colour.h"
#include "io/file_read.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace vexlo {

// Picture readers refuse any picture whose decoded image would need more
// memory than this, so a file that merely claims a huge size is turned away
// before anything is allocated for it. The tallest sheet at 16 bits a
// channel, as a 16-bit PNG is decoded, needs all of it.
inline constexpr int kPictureAllocationLimitMiB = 256;

// The first sheet rule a picture of this size breaks, as the text shown for
// it; empty when it keeps them all. Besides the width (at most 256, a
// multiple of 32) and the height (a multiple of 32), no sheet is taller
// than kMaxSheetHeight: "Invalid size (Y > 131072)."
QString SheetRuleFailure(QSize size);

// The picture at the left edge of a black sheet of the full sheet width.
// Fails when the memory for it cannot be had.
QImage WidenToSheet(const QImage &picture);

// A picture file taken as a sheet: either accepted (at full sheet width) or
// refused with the reason.
struct [[nodiscard]] SheetFile {
    QImage sheet;
    // For a picture with an alpha channel, which of the sheet's pixels were
    // transparent or black at alpha 128, as a map of KeyKind
    // (io/sheet_transparency.h) of the sheet's size; null for any other.
    QImage keyKinds;
    QString refusal;
    // The refusal names the file itself (it could not be opened or read);
    // otherwise it speaks of the picture only, as the load dialog shows it
    // in place of the file's name.
    bool refusalNamesFile = false;

    bool accepted() const { return !sheet.isNull(); }
    bool hasTransparency() const { return !keyKinds.isNull(); }
    // The sheet with its transparency as these key colours.
    QImage sheetWithKeys(Colour transparent, Colour translucent) const;
};

// The one way a file becomes a sheet: read one of the sheet formats (bmp,
// dib, jpg, gif, ico, cur, png), check it against the sheet rules from its
// declared size before any pixel is read and again once read, lay pixels
// with transparency over black (noting where they were transparent) and
// widen it. Most PNG files are read by ReadCommonPng, the rest by Qt's readers. Pixels a damaged file leaves
// out come out black, the same on every read. Never throws.
SheetFile LoadSheetFile(const QString &path, SpecialFiles special = SpecialFiles::Refuse);

} // namespace vexlo
