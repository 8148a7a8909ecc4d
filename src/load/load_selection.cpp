#include "load/load_selection.h"

#include "io/path_join.h"
#include "io/sheet_file.h"
#include "settings/app_path.h"

namespace vexlo {

KeyChoice NextPreset(KeyChoice current, Colour alternate)
{
    if (current.chosen && current.colour == kBlack)
        return {alternate, true};
    return {kBlack, true};
}

void LoadSelection::chooseFile(const QString &folder, const QString &name)
{
    transparent_.chosen = false;
    translucent_.chosen = false;
    const QString path = JoinPath(folder, name);
    file_ = LoadSheetFile(path);
    fileName_ = file_.accepted() ? path : file_.refusal;
    loadEnabled_ = file_.accepted();
    showTransparency();
}

void LoadSelection::setAlphaToKeys(bool on)
{
    alphaToKeys_ = on;
    showTransparency();
}

void LoadSelection::showTransparency()
{
    preview_ = alphaToKeys_ ? file_.sheetWithKeys(transparent_.colour, translucent_.colour) : file_.sheet;
}

void LoadSelection::pick(int button, int x, int y)
{
    if (!preview_.valid(x, y))
        return;
    const Colour shown = ColourFromQRgb(preview_.pixel(x, y));
    if (button == 1)
        transparent_ = {shown, true};
    else if (button == 2)
        translucent_ = {shown, true};
    showTransparency();
}

void LoadSelection::preset(int member)
{
    if (member == 0)
        transparent_ = NextPreset(transparent_, kPresetTeal);
    else
        translucent_ = NextPreset(translucent_, kPresetPurple);
    showTransparency();
}

QString LoadSelection::loadRefusal() const
{
    if (!previewShown())
        return QStringLiteral("Please load a valid image file first.");
    if (!transparent_.chosen)
        return QStringLiteral("Please click on the image to select a transparent colour first.");
    if (!translucent_.chosen)
        return QStringLiteral("Please right click on the image to select a translucent colour first.");
    return {};
}

} // namespace vexlo
