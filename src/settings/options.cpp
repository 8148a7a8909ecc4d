#include "settings/options.h"

#include "common/lenient_number.h"
#include "settings/ini_file.h"

#include <QList>

#include <variant>

namespace vexlo {
namespace {

const QString kSection = QStringLiteral("Opt");

// Where a folder key's value lives in the record.
struct FolderSlot {
    FileDialog dialog;
    PaneIndex pane;
};

struct Key {
    const char *name;
    std::variant<OptSwitch, FolderSlot> value;
};

// The keys in the order a new file lists them (the order Vexlo has always
// used, newer keys after the older ones).
constexpr Key kKeys[] = {
    {"ChkStartWiz", OptSwitch::ChkStartWiz},
    {"ChkRememberDirs", OptSwitch::ChkRememberDirs},
    {"DefDirS1", FolderSlot{FileDialog::Save, 1}},
    {"DefDirS0", FolderSlot{FileDialog::Save, 0}},
    {"DefDir1", FolderSlot{FileDialog::Load, 1}},
    {"DefDir0", FolderSlot{FileDialog::Load, 0}},
    {"ChkRepTransL", OptSwitch::ChkRepTransL},
    {"ChkRepTrans", OptSwitch::ChkRepTrans},
    {"ChkAlphaToKeys", OptSwitch::ChkAlphaToKeys},
};

} // namespace

void Options::setState(OptSwitch which, std::int16_t state)
{
    auto &stored = states_[std::size_t(which)];
    if (stored == state)
        return;
    stored = state;
    emit stateChanged(which);
}

QString Options::startFolder(FileDialog dialog, PaneIndex pane) const
{
    if (!isOn(OptSwitch::ChkRememberDirs) || !isPane(pane))
        return QString();
    return folder(dialog, pane);
}

void Options::rememberFolder(FileDialog dialog, PaneIndex pane, const QString &folder)
{
    if (isPane(pane))
        setFolder(dialog, pane, folder);
}

QString Options::folder(FileDialog dialog, PaneIndex pane) const
{
    return folders_[std::size_t(dialog)].at(std::size_t(pane));
}

void Options::setFolder(FileDialog dialog, PaneIndex pane, const QString &folder)
{
    folders_[std::size_t(dialog)].at(std::size_t(pane)) = folder;
}

void Options::load(const QString &file)
{
    for (const Key &key : kKeys) {
        const QString name = QLatin1String(key.name);
        if (const auto *which = std::get_if<OptSwitch>(&key.value)) {
            const double stored = RoundHalfEven(ReadIniNumber(file, kSection, name, state(*which)));
            if (stored >= 0 && stored <= 2)
                setState(*which, std::int16_t(stored));
        } else {
            const auto &[dialog, pane] = std::get<FolderSlot>(key.value);
            setFolder(dialog, pane, ReadIniString(file, kSection, name, folder(dialog, pane)));
        }
    }
}

bool Options::save(const QString &file) const
{
    QList<IniValue> values;
    for (const Key &key : kKeys) {
        QString text;
        if (const auto *which = std::get_if<OptSwitch>(&key.value)) {
            text = PlainNumberText(state(*which));
        } else {
            const auto &[dialog, pane] = std::get<FolderSlot>(key.value);
            text = folder(dialog, pane);
        }
        values.append({QLatin1String(key.name), text});
    }
    return WriteIniValues(file, kSection, values);
}

} // namespace vexlo
