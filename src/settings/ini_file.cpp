#include "settings/ini_file.h"

#include "common/atomic_write.h"
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
    // A line break in a value would split it into lines of its own.
    if (value.contains(u'\n') || value.contains(u'\r'))
        return false;
    const QFileInfo info(file);
    // A read-only settings file is left as its owner made it, also for root.
    if (info.exists() && (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner)))
        return false;
    auto doc = IniDocument::load(file);
    if (!doc)
        return false;
    doc->setValue(section, key, value);
    return WriteFileAtomically(file, doc->bytes()).isEmpty();
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

bool WriteIniNumber(const QString &file, const QString &section, const QString &key, double value)
{
    return WriteIniString(file, section, key, PlainNumberText(value));
}

bool WriteIniNumber(const QString &file, const QString &section, const QString &key, bool value)
{
    return WriteIniString(file, section, key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

} // namespace vexlo
