#pragma once

#include <QList>
#include <QString>

namespace vexlo {

// Our own INI reader and writer. Section and key names match without regard
// to letter case; a value is the text after the first "=", blanks around key
// and value trimmed. A missing file, section or key gives the default; a key
// present with an empty value gives the empty text. Reading keeps at most
// 2047 characters of a value.
//
// A write creates the file, appends a missing section at the end or a missing
// key at the end of its section, and otherwise replaces the value in place.
// Every other byte of the file stays as it was, line ends included. The file
// on disk is always either the old one or the new one. Writes return false
// when nothing could be written; the settings callers ignore that, as a
// failed settings write must never stop the program.
QString ReadIniString(const QString &file, const QString &section, const QString &key,
                      const QString &defaultValue);
bool WriteIniString(const QString &file, const QString &section, const QString &key,
                    const QString &value);

struct IniValue {
    QString key;
    QString value;
};

// Several keys of one section in one update of the file: one read and one
// write, giving the same bytes as writing them one after the other, so two
// programs saving at once leave all of one's keys or all of the other's,
// never a mix. A value holding a line break is left out (false).
bool WriteIniValues(const QString &file, const QString &section, const QList<IniValue> &values);

// Numbers: "True" / "False" in any letter case read as -1 / 0; anything else is
// the number the value begins with (0 if none). Written in plain decimal.
double ReadIniNumber(const QString &file, const QString &section, const QString &key,
                     double defaultValue);
bool WriteIniNumber(const QString &file, const QString &section, const QString &key,
                    double value);
bool WriteIniNumber(const QString &file, const QString &section, const QString &key,
                    bool value);

// The plain text form of a number: "0", "1", "-1", "2.5"; of a boolean:
// "True", "False".
QString PlainNumberText(double value);
QString BooleanText(bool value);

inline constexpr int kIniValueMaxLength = 2047;

} // namespace vexlo
