#include "settings/ini_file.h"

#include "io/atomic_write.h"
#include "common/failure.h"
#include "common/lenient_number.h"
#include "settings/ini_document.h"

#include <QFileInfo>
#include <QLocale>

namespace vexlo {

QString ReadIniString(const QString &file, const QString &section, const QString &key,
                      const QString &defaultValue)
{
    const auto doc = IniDocument::load(file);
    const auto value = doc ? doc->value(section, key) : std::nullopt;
    return value.value_or(defaultValue).left(kIniValueMaxLength);
}

bool WriteIniString(const QString &file, const QString &section, const QString &key,
                    const QString &value)
{
    return WriteIniValues(file, section, {{key, value}});
}

bool WriteIniValues(const QString &file, const QString &section, const QList<IniValue> &values)
{
    const QFileInfo info(file);
    // A read-only settings file is left as its owner made it, also for root;
    // a device or a FIFO in its place is never written.
    if (info.exists() && (!info.isFile() || !info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        return false;
    auto doc = IniDocument::load(file);
    if (!doc)
        return false;
    bool all = true;
    for (const IniValue &value : values) {
        // A line break in a value would split it into lines of its own.
        if (value.value.contains(u'\n') || value.value.contains(u'\r'))
            all = false;
        else
            doc->setValue(section, value.key, value.value);
    }
    try {
        WriteFileAtomically(file, doc->bytes());
    } catch (const Failure &) {
        return false; // the settings file stays as it was
    }
    return all;
}

QString PlainNumberText(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

double ReadIniNumber(const QString &file, const QString &section, const QString &key,
                     double defaultValue)
{
    const QString text = ReadIniString(file, section, key, PlainNumberText(defaultValue));
    if (text.compare(u"TRUE", Qt::CaseInsensitive) == 0)
        return -1;
    if (text.compare(u"FALSE", Qt::CaseInsensitive) == 0)
        return 0;
    return LenientNumber(text);
}

QString BooleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool WriteIniNumber(const QString &file, const QString &section, const QString &key, double value)
{
    return WriteIniString(file, section, key, PlainNumberText(value));
}

bool WriteIniNumber(const QString &file, const QString &section, const QString &key, bool value)
{
    return WriteIniString(file, section, key, BooleanText(value));
}

} // namespace vexlo
