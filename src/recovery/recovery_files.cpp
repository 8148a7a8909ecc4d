#include "recovery/recovery_files.h"

#include "io/atomic_write.h"
#include "common/failure.h"
#include "io/file_read.h"
#include "common/pane_placement.h"
#include "io/plain_bitmap.h"
#include "common/sheet_limits.h"
#include "io/macro_file.h"
#include "model/workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace vexlo {
namespace {

const QString kIndexName = QStringLiteral("recovery.txt");
const QString kSheetNames[2] = {QStringLiteral("left.bmp"), QStringLiteral("right.bmp")};
const QString kMacroName = QStringLiteral("macro.vmi");
constexpr char kFirstLine[] = "Vexlo recovery 1";
// The tallest sheet at 32 bits a pixel.
constexpr qint64 kMaxSheetBytes = qint64(Workspace::kSheetWidth) * kMaxSheetHeight * 4;

// What WriteBitmap24 writes for a sheet: the two headers, then rows of
// three bytes a pixel padded to whole words.
qint64 BitmapSize(const QImage &sheet)
{
    return 54 + (qint64(sheet.width()) * 24 + 31) / 32 * 4 * sheet.height();
}

// "name value value ..." lines of the index, by name.
std::map<QString, QList<qint64>> IndexLines(const QByteArray &text)
{
    std::map<QString, QList<qint64>> lines;
    const QList<QByteArray> rows = text.split('\n');
    if (rows.isEmpty() || rows.first() != kFirstLine)
        return {};
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QList<QByteArray> words = rows[i].split(' ');
        if (words.size() < 2)
            continue;
        QList<qint64> values;
        for (qsizetype w = 1; w < words.size(); ++w) {
            bool ok = false;
            values.append(words[w].toLongLong(&ok));
            if (!ok)
                return {};
        }
        lines[QString::fromLatin1(words.first())] = values;
    }
    return lines;
}

// A damaged recovery may hold anything, a FIFO or a link to a device
// included: read regular files only, and never more than the limit.
std::optional<QByteArray> ReadWhole(const QString &path, qint64 limit)
{
    try {
        QFile file(path);
        OpenForReading(file, path, SpecialFiles::Refuse);
        return ReadAtMost(file, limit, path);
    } catch (const Failure &) {
        return std::nullopt;
    }
}

bool IsColourValue(qint64 value)
{
    return value >= 0 && value <= 0xFFFFFF;
}

std::map<QString, QList<qint64>> ReadIndex(const QString &folder)
{
    return IndexLines(ReadWhole(QDir(folder).filePath(kIndexName), 4096).value_or(QByteArray()));
}

QImage ReadSheet(const QString &path)
{
    try {
        QFile file(path);
        OpenForReading(file, path, SpecialFiles::Refuse);
        const auto layout = PlainBitmapLayoutOf(file.peek(54), file.size(), kMaxSheetBytes);
        if (!layout || layout->width != Workspace::kSheetWidth || !file.seek(layout->pixelOffset))
            return {};
        return ReadPlainBitmapRows(*layout, file);
    } catch (const Failure &) {
        return {};
    }
}

} // namespace

void WriteRecovery(const QString &folder, const SessionSnapshot &snapshot)
{
    if (!QDir().mkpath(folder))
        throw Failure(QStringLiteral("Cannot make the folder %1").arg(folder));
    const QDir dir(folder);
    const QByteArray macro = MacroFileBytes(snapshot.macro);
    QByteArray index = QByteArray(kFirstLine) + '\n';
    for (PaneIndex pane = 0; pane < 2; ++pane)
        index += kSheetNames[pane].toLatin1() + ' ' + QByteArray::number(BitmapSize(snapshot.sheets[pane])) + ' '
                 + QByteArray::number(snapshot.transparent[pane].value()) + ' '
                 + QByteArray::number(snapshot.translucent[pane].value()) + ' '
                 + QByteArray::number(snapshot.scroll[pane]) + '\n';
    index += kMacroName.toLatin1() + ' ' + QByteArray::number(macro.size()) + '\n';

    auto bytes = [](const QByteArray &bytes) {
        return [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); };
    };
    auto bitmap = [](const QImage &sheet) {
        return [&sheet](QIODevice &device) { return WriteBitmap24(sheet, device); };
    };
    // The index goes last, so a set cut short by a crash does not match it.
    WriteFilesAtomically({{dir.filePath(kSheetNames[0]), bitmap(snapshot.sheets[0])},
                          {dir.filePath(kSheetNames[1]), bitmap(snapshot.sheets[1])},
                          {dir.filePath(kMacroName), bytes(macro)},
                          {dir.filePath(kIndexName), bytes(index)}});
}

bool RecoveryLooksWhole(const QString &folder)
{
    const auto index = ReadIndex(folder);
    const QDir dir(folder);
    for (const QString &name : {kSheetNames[0], kSheetNames[1], kMacroName}) {
        const auto line = index.find(name);
        if (line == index.end() || QFileInfo(dir.filePath(name)).size() != line->second.value(0, -1))
            return false;
    }
    return index.at(kSheetNames[0]).size() == 4 && index.at(kSheetNames[1]).size() == 4;
}

std::optional<SessionSnapshot> ReadRecovery(const QString &folder)
{
    if (!RecoveryLooksWhole(folder))
        return std::nullopt;
    const auto index = ReadIndex(folder);
    const QDir dir(folder);
    SessionSnapshot snapshot;
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        const QList<qint64> &values = index.at(kSheetNames[pane]);
        snapshot.sheets[pane] = ReadSheet(dir.filePath(kSheetNames[pane]));
        if (snapshot.sheets[pane].isNull())
            return std::nullopt;
        if (!IsColourValue(values[1]) || !IsColourValue(values[2]))
            return std::nullopt;
        snapshot.transparent[pane] = Colour(std::int32_t(values[1]));
        snapshot.translucent[pane] = Colour(std::int32_t(values[2]));
        // A tall sheet's scroll range is longer than 0 to 1000.
        snapshot.scroll[pane] =
            int(std::clamp<qint64>(values[3], 0, LargestScrollMaximum(snapshot.sheets[pane].height())));
    }
    const std::optional<QByteArray> macro = ReadWhole(dir.filePath(kMacroName), index.at(kMacroName)[0]);
    if (!macro)
        return std::nullopt;
    try {
        snapshot.macro = ParseMacroText(*macro);
    } catch (const Failure &) {
        return std::nullopt;
    }
    return snapshot;
}

} // namespace vexlo
