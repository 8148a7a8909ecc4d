#include "io/macro_file.h"

#include "io/atomic_write.h"
#include "common/failure.h"
#include "common/macro_limit.h"

#include <QFile>

namespace vexlo {
namespace {

// A recorded line has a few dozen characters. Hand-made files with long runs
// of ignored fields still load; a line of millions would freeze the list
// that shows it.
constexpr qsizetype kMaxLineChars = 65536;
// Far above any macro the list can hold (32,767 lines), low enough that a
// stray huge file is refused before it is read into memory.
constexpr qint64 kMaxFileBytes = 256 * 1024 * 1024;

} // namespace

QStringList ParseMacroText(const QByteArray &bytes)
{
    // Counted first, so a file too long is refused with its true length.
    const qsizetype count = bytes.count('\n') + (bytes.isEmpty() || bytes.endsWith('\n') ? 0 : 1);
    CheckMacroLineCount(count);
    QStringList lines;
    lines.reserve(count);
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        if (end - start > kMaxLineChars)
            throw Failure(QStringLiteral("Line %1 of the macro is longer than 65,536 characters, which no macro line is.")
                              .arg(lines.size() + 1));
        // Latin-1 maps every byte to one character and back, so any bytes survive.
        lines.append(QString::fromLatin1(bytes.constData() + start, end - start));
        start = next;
    }
    return lines;
}

QByteArray MacroFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QStringList ReadMacroFile(const QString &path, SpecialFiles special)
{
    QFile file;
    OpenForReading(file, path, special);
    const auto bytes = ReadAtMost(file, kMaxFileBytes, path);
    if (!bytes)
        throw Failure(QStringLiteral("%1 is too large to be a macro file.").arg(path));
    return ParseMacroText(*bytes);
}

void WriteMacroFile(const QString &path, const QStringList &lines)
{
    CheckMacroLineCount(lines.size());
    WriteFileAtomically(path, MacroFileBytes(lines));
}

} // namespace vexlo
