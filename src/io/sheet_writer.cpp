#include "io/sheet_writer.h"

#include "io/atomic_write.h"
#include "common/failure.h"
#include "io/plain_bitmap.h"
#include "io/png_file.h"

namespace vexlo {

void WriteSheetFile(const QImage &sheet, const QString &path)
{
    WriteSheetFiles({{sheet, path}});
}

void WriteSheetFiles(const std::vector<SheetOutput> &outputs, SpecialFiles special,
                     const std::vector<TextOutput> &texts)
{
    std::vector<FileContent> files;
    for (const SheetOutput &output : outputs) {
        if (output.sheet.isNull())
            throw Failure(QStringLiteral("Cannot write %1: there is no picture to save").arg(output.path));
        const QImage &sheet = output.sheet;
        // Both keep each colour exactly, with no palette to round to.
        if (output.path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
            files.push_back({output.path, [&sheet](QIODevice &device) { return WritePng(sheet, device); }});
        else
            files.push_back({output.path, [&sheet](QIODevice &device) { return WriteBitmap24(sheet, device); }});
    }
    for (const TextOutput &text : texts) {
        const QByteArray &bytes = text.bytes;
        files.push_back({text.path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); }});
    }
    WriteFilesAtomically(files, special);
}

} // namespace vexlo
