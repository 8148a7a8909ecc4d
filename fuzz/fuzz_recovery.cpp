// The recovery reader on damaged recoveries: one of a whole recovery's four
// files (chosen by the first byte) replaced by the input or, for a sheet,
// patched and cut short by it. Whatever it accepts is a sound session.
#include "common/sheet_limits.h"
#include "fuzz_support.h"
#include "recovery/recovery_files.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <unistd.h>

using namespace vexlo;

namespace {

const char *const kFiles[] = {"recovery.txt", "left.bmp", "right.bmp", "macro.vmi"};

// A whole recovery of two small sheets and a macro, as a session writes it.
QString WholeRecovery()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/vexlo-fuzz-recovery-%1").arg(getpid());
    SessionSnapshot snapshot;
    for (int pane = 0; pane < 2; ++pane) {
        snapshot.sheets[pane] = QImage(256, 64 * (pane + 1), QImage::Format_RGB32);
        snapshot.sheets[pane].fill(0xFF102030u + pane);
        snapshot.scroll[pane] = 3 * pane;
    }
    snapshot.macro = {QStringLiteral("Get,0,0,1,2"), QStringLiteral("Put,0,1,3,4")};
    WriteRecovery(folder, snapshot);
    return folder;
}

QByteArray Damaged(const QByteArray &whole, int file, const QByteArray &input)
{
    if (file == 0 || file == 3 || input.size() < 4)
        return input; // the texts are replaced
    // A sheet: the first two bytes say where the rest goes, the next two how
    // much of the file is kept.
    QByteArray bytes = whole;
    const qsizetype at = qFromBigEndian<quint16>(input.constData());
    const qsizetype kept = qFromBigEndian<quint16>(input.constData() + 2);
    const QByteArray patch = input.mid(4);
    if (at + patch.size() <= bytes.size())
        bytes.replace(at, patch.size(), patch);
    if (kept > 0 && kept < bytes.size())
        bytes.truncate(kept);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString folder = WholeRecovery();
    static QByteArray originals[4];
    if (originals[0].isEmpty())
        for (int i = 0; i < 4; ++i) {
            QFile file(QDir(folder).filePath(QString::fromLatin1(kFiles[i])));
            file.open(QIODevice::ReadOnly);
            originals[i] = file.readAll();
        }
    if (size == 0)
        return 0;
    const int chosen = data[0] % 4;
    const QString path = QDir(folder).filePath(QString::fromLatin1(kFiles[chosen]));
    QFile file(path);
    const QByteArray bytes = Damaged(originals[chosen], chosen, fuzz::Bytes(data + 1, size - 1));
    fuzz::Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
                  "the scratch recovery can be written");
    file.close();

    const std::optional<SessionSnapshot> snapshot = ReadRecovery(folder);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(originals[chosen]); // whole again for the next input
    if (!snapshot)
        return 0;
    for (int pane = 0; pane < 2; ++pane) {
        const QImage &sheet = snapshot->sheets[pane];
        fuzz::Require(sheet.width() == 256 && sheet.height() > 0 && sheet.height() <= kMaxSheetHeight,
                      "a restored sheet is as wide as a sheet and no taller than the tallest");
        fuzz::Require(snapshot->transparent[pane].value() >= 0 && snapshot->translucent[pane].value() >= 0,
                      "restored key colours are colours");
        fuzz::Require(snapshot->scroll[pane] >= 0, "a restored scroll value is in its range");
    }
    return 0;
}
