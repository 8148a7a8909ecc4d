#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

namespace vexlo {

// Every file the program writes goes through here: the content goes to a
// temporary file beside the target, which replaces the target only when it
// is complete, so a failed write leaves what was there before.
// `write` puts the content into the device and says whether that worked.
// Returns the empty text on success, otherwise a description of the failure.
QString WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write);
QString WriteFileAtomically(const QString &path, const QByteArray &bytes);

struct FileContent {
    QString path;
    std::function<bool(QIODevice &)> write;
};

// Several files as one: every content is completed beside its target before
// any target is replaced, so a failed write changes none of them (only a
// rename refused at the very end could leave the earlier ones replaced).
QString WriteFilesAtomically(const std::vector<FileContent> &files);

} // namespace vexlo
