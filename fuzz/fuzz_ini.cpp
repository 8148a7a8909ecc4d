// The settings file reader and writer on any file: reading never fails, a
// written value reads back, and every other line stays as it was.
#include "fuzz_support.h"
#include "settings/ini_file.h"

#include <QFile>
#include <QList>

using namespace vexlo;

namespace {

using Lines = QList<QByteArray>;

// The lines without their line ends. A CR is part of a CR LF line end only
// when a LF follows it: the last line's own CR is content.
Lines SplitLines(const QByteArray &bytes)
{
    Lines lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].endsWith('\r'))
            lines[i].chop(1);
    return lines;
}

// The old lines, read again after the write. Two changes leave every byte of
// them as it was: a last line without a line end gets one (so the new file
// splits one empty line more), and a last line's own CR followed by that new
// LF reads as a CR LF line end.
bool Unchanged(const Lines &old, Lines now)
{
    if (!old.isEmpty() && !old.last().isEmpty() && now.size() == old.size() + 1 && now.last().isEmpty())
        now.removeLast();
    if (now.size() != old.size())
        return false;
    for (qsizetype i = 0; i < old.size(); ++i) {
        const bool last = i + 1 == old.size();
        if (old[i] != now[i] && !(last && old[i].endsWith('\r') && old[i].chopped(1) == now[i]))
            return false;
    }
    return true;
}

Lines Without(Lines lines, qsizetype at, qsizetype count)
{
    lines.remove(at, count);
    return lines;
}

// The write either replaced one line by the key's, inserted the key's line,
// or added the section's header and the key's line together; nothing else.
bool OnlyTheKeyChanged(const Lines &old, const Lines &now, const QByteArray &keyLine)
{
    for (qsizetype k = 0; k < now.size(); ++k) {
        if (now[k] != keyLine)
            continue;
        if (k < old.size() && Unchanged(Without(old, k, 1), Without(now, k, 1)))
            return true; // replaced in place
        if (Unchanged(old, Without(now, k, 1)))
            return true; // inserted into its section
        if (k > 0 && now[k - 1] == "[Opt]" && Unchanged(old, Without(now, k - 1, 2)))
            return true; // a new section at the end
    }
    return false;
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
    QByteArray old = before;
    QByteArray now = file.readAll();
    const QByteArray bom("\xEF\xBB\xBF");
    if (old.startsWith(bom)) {
        fuzz::Require(now.startsWith(bom), "a byte-order mark stays in front");
        old.remove(0, bom.size());
        now.remove(0, bom.size());
    }
    fuzz::Require(OnlyTheKeyChanged(SplitLines(old), SplitLines(now), "ChkRepTrans=" + value.toUtf8()),
                  "no line other than the key's is changed, lost or added");
    return 0;
}
