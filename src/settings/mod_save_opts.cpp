#include "settings/mod_save_opts.h"

#include "common/lenient_number.h"
#include "settings/app_path.h"
#include "settings/ini_file.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

#include <cmath>
#include <optional>

namespace vexlo {
namespace {

const char *const kTagProperty = "Tag";
const char *const kIndexProperty = "Index";

QString ControlKey(const QObject &control)
{
    QString key = control.objectName();
    if (HasIndex(control))
        key += QString::number(control.property(kIndexProperty).toInt());
    return key;
}

QString ResolvedFile(QString &file)
{
    if (file.isEmpty())
        file = IniPath();
    return file;
}

// Where one control's state is kept in the settings file.
struct Place {
    QString file;
    QString section;
    QString key;
};

// A control's state as the settings store it; nothing for a control whose
// tag does not fit its kind.
std::optional<QString> SavedText(QWidget &control, const QString &tag)
{
    if (tag == u"O") {
        if (auto *button = qobject_cast<QAbstractButton *>(&control))
            return BooleanText(button->isChecked());
    } else if (tag == u"C") {
        if (auto *box = qobject_cast<QCheckBox *>(&control))
            return PlainNumberText(double(CheckBoxValue(*box)));
    } else if (tag == u"T" || tag == u"N") {
        if (auto *edit = qobject_cast<QLineEdit *>(&control))
            return edit->text();
    }
    return std::nullopt;
}

void LoadControl(QWidget &control, const QString &tag, const Place &at)
{
    if (tag == u"O") {
        if (auto *button = qobject_cast<QAbstractButton *>(&control)) {
            const double stored = ReadIniNumber(at.file, at.section, at.key, button->isChecked() ? -1 : 0);
            button->setChecked(stored != 0);
        }
    } else if (tag == u"C") {
        if (auto *box = qobject_cast<QCheckBox *>(&control)) {
            const double stored = RoundHalfEven(ReadIniNumber(at.file, at.section, at.key, CheckBoxValue(*box)));
            if (stored >= 0 && stored <= 2)
                SetCheckBoxValue(*box, std::int16_t(stored));
        }
    } else if (tag == u"T") {
        if (auto *edit = qobject_cast<QLineEdit *>(&control))
            edit->setText(ReadIniString(at.file, at.section, at.key, edit->text()));
    } else if (tag == u"N") {
        if (auto *edit = qobject_cast<QLineEdit *>(&control)) {
            const double number = LenientNumber(ReadIniString(at.file, at.section, at.key, edit->text()));
            if (std::isfinite(number))
                edit->setText(PlainNumberText(number));
        }
    }
}

template <typename Visit>
void ForEachCodedControl(QWidget &window, QString &file, Visit visit)
{
    const QString path = ResolvedFile(file);
    const QString section = window.objectName();
    for (QWidget *control : window.findChildren<QWidget *>()) {
        const QString tag = control->property(kTagProperty).toString();
        if (!tag.isEmpty())
            visit(*control, tag, Place{path, section, ControlKey(*control)});
    }
}

} // namespace

void SaveControls(QWidget &window, QString &file)
{
    QList<IniValue> values;
    ForEachCodedControl(window, file, [&values](QWidget &control, const QString &tag, const Place &at) {
        if (const auto text = SavedText(control, tag))
            values.append({at.key, *text});
    });
    WriteIniValues(ResolvedFile(file), window.objectName(), values);
}

void LoadControls(QWidget &window, QString &file)
{
    ForEachCodedControl(window, file, LoadControl);
}

bool HasIndex(const QObject &control)
{
    bool whole = false;
    control.property(kIndexProperty).toInt(&whole);
    return whole;
}

std::int16_t CheckBoxValue(const QCheckBox &box)
{
    switch (box.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

bool SetCheckBoxValue(QCheckBox &box, std::int16_t value)
{
    static constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    if (value < 0 || value > 2)
        return false;
    box.setCheckState(kStates[value]);
    return true;
}

} // namespace vexlo
