#include "io/sheet_writer.h"

#include "io/atomic_write.h"
#include "common/failure.h"
#include "io/plain_bitmap.h"
#include "io/png_file.h"

namespace vexlo {

void WriteSheetFile(const QImage &sheet, const QString &path, std::optional<KeyPair> keysAsAlpha)
{
    WriteSheetFiles({{sheet, path, keysAsAlpha}});
}

bool NamesPngFile(const QString &path)
{
    return path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
}

namespace {

// The contents refer to the outputs and texts, which must outlive them.
std::vector<FileContent> Contents(const std::vector<SheetOutput> &outputs, const std::vector<TextOutput> &texts)
{
    std::vector<FileContent> files;
    for (const SheetOutput &output : outputs) {
        if (output.sheet.isNull())
            throw Failure(QStringLiteral("Cannot write %1: there is no picture to save").arg(output.path));
        const QImage &sheet = output.sheet;
        const auto keys = output.keysAsAlpha;
        if (keys && !NamesPngFile(output.path))
            throw Failure(QStringLiteral("Cannot write %1: only a PNG file (a name ending in .png) holds "
                                         "key colours as transparency").arg(output.path));
        // Both keep each colour exactly, with no palette to round to.
        if (NamesPngFile(output.path))
            files.push_back({output.path, [&sheet, keys](QIODevice &device) { return WritePng(sheet, device, keys); }});
        else
            files.push_back({output.path, [&sheet](QIODevice &device) { return WriteBitmap24(sheet, device); }});
    }
    for (const TextOutput &text : texts) {
        const QByteArray &bytes = text.bytes;
        files.push_back({text.path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); }});
    }
    return files;
}

} // namespace

void WriteSheetFiles(const std::vector<SheetOutput> &outputs, SpecialFiles special,
                     const std::vector<TextOutput> &texts)
{
    WriteFilesAtomically(Contents(outputs, texts), special);
}

PreparedWrite PrepareSheetFiles(const std::vector<SheetOutput> &outputs, SpecialFiles special,
                                const std::vector<TextOutput> &texts, ClearedFolders *cleared)
{
    return PrepareWrite(Contents(outputs, texts), special, cleared);
}

} // namespace vexlo
