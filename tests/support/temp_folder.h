#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vexlo::test {

// A fresh folder for one test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    QString path() const { return dir_.path(); }
    // Path of a file in the folder.
    QString file(const QString &name) const { return dir_.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir dir_;
};

// The bytes of a file kept in tests/data, by its path there ("ini/bom.ini").
QByteArray TestData(const QString &relativePath);

} // namespace vexlo::test
