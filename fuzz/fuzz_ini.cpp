// The settings file reader and writer on any file: reading never fails, a
// written value reads back, and every other line stays as it was.
#include "fuzz_support.h"
#include "settings/ini_file.h"

#include <QFile>
#include <QList>

using namespace vexlo;

namespace {

// The lines without their line ends. A CR is part of a CR LF line end only
// when a LF follows it: the last line's own CR is content.
QList<QByteArray> Lines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].endsWith('\r'))
            lines[i].chop(1);
    return lines;
}

// The last line's own CR followed by a new LF reads as a CR LF line end: the
// bytes are unchanged, only the line's split differs.
bool SameLine(const QByteArray &old, const QByteArray &now, bool oldIsLast)
{
    return old == now || (oldIsLast && old.endsWith('\r') && old.chopped(1) == now);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray before = fuzz::Bytes(data, size);
    const QString path = fuzz::ScratchFile(before, QStringLiteral("INI"));
    ReadIniString(path, QStringLiteral("Opt"), QStringLiteral("DefDir0"), QStringLiteral("d"));
    ReadIniNumber(path, QStringLiteral("Opt"), QStringLiteral("ChkRepTrans"), 1);

    const QString value = QStringLiteral("fuzz-%1").arg(size);
    if (!WriteIniString(path, QStringLiteral("Opt"), QStringLiteral("ChkRepTrans"), value))
        return 0; // refused (too large); nothing written
    fuzz::Require(ReadIniString(path, QStringLiteral("opt"), QStringLiteral("CHKREPTRANS"), QString()) == value,
                  "a written value reads back");

    QFile file(path);
    fuzz::Require(file.open(QIODevice::ReadOnly), "the written file can be read");
    const QList<QByteArray> old = Lines(before);
    const QList<QByteArray> now = Lines(file.readAll());
    // Walk both: at most one old line (the key's) may be replaced, and the
    // only lines added are the section and the key.
    const QByteArray keyLine = "ChkRepTrans=" + value.toUtf8();
    qsizetype i = 0, j = 0, replaced = 0, added = 0;
    while (i < old.size() && j < now.size()) {
        if (SameLine(old[i], now[j], i + 1 == old.size())) {
            ++i, ++j;
        } else if (now[j] == keyLine || now[j] == "[Opt]") {
            ++j, ++added;
        } else {
            ++i, ++replaced;
        }
    }
    replaced += old.size() - i;
    fuzz::Require(replaced <= 1, "no line other than the key's is changed or lost");
    fuzz::Require(added <= 2 && now.size() - j <= 3, "only the section and the key are added");
    return 0;
}
