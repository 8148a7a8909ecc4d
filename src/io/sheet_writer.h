#pragma once

#include "common/colour.h"
#include "io/atomic_write.h"
#include "io/special_files.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace vexlo {

// Writes the whole sheet as a file: a PNG when the name ends in ".png" (in
// any case), otherwise a 24-bit Windows bitmap whatever the extension says.
// Both store every pixel's colour exactly, so key colours still match when
// the file is loaded again. The file is replaced only once the new one is
// complete: a failed write (fails with a description) leaves any earlier
// file as it was.
// With `keysAsAlpha`, the key colours are written as transparency (see
// PixelWithKeysAsAlpha), which only a PNG file holds: fails for another name.
void WriteSheetFile(const QImage &sheet, const QString &path, std::optional<KeyPair> keysAsAlpha = std::nullopt);

// Whether a sheet is written to this name as a PNG file.
bool NamesPngFile(const QString &path);

struct SheetOutput {
    QImage sheet;
    QString path;
    std::optional<KeyPair> keysAsAlpha = std::nullopt;
};

// A file of text (or any bytes) written with the sheets.
struct TextOutput {
    QByteArray bytes;
    QString path;
};

// Several sheets, and any text files with them, as one: when any cannot be
// written, no regular file is changed. A FIFO or a device is refused unless
// `special` says use it.
void WriteSheetFiles(const std::vector<SheetOutput> &outputs, SpecialFiles special = SpecialFiles::Refuse,
                     const std::vector<TextOutput> &texts = {});

// The same write, its files completed but not yet synced nor placed, for
// CommitWrites to place with others (see PrepareWrite for `cleared`).
PreparedWrite PrepareSheetFiles(const std::vector<SheetOutput> &outputs, SpecialFiles special,
                                const std::vector<TextOutput> &texts = {}, ClearedFolders *cleared = nullptr);

} // namespace vexlo
