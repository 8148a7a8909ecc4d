#include "imageops/colour_choice.h"

#include "common/lenient_number.h"
#include "model/workspace.h"

namespace vexlo {

std::optional<int> ComponentFromText(QStringView text)
{
    const double value = RoundHalfEven(LenientNumber(text));
    if (!(value >= 0 && value <= 255))
        return std::nullopt;
    return int(value);
}

Colour ComponentColour(int row, int value)
{
    return Colour(row == 0 ? value : 0, row == 1 ? value : 0, row == 2 ? value : 0);
}

const QStringList &ColourEntryNames()
{
    static const QStringList names{
        QStringLiteral("(Special: None)"),  QStringLiteral("Left dropper"),
        QStringLiteral("Left transparent"), QStringLiteral("Left translucent"),
        QStringLiteral("Right dropper"),    QStringLiteral("Right transparent"),
        QStringLiteral("Right translucent"), QStringLiteral("None"),
    };
    return names;
}

Colour ColourOfEntry(const Workspace &workspace, int entry, Colour mixed)
{
    switch (ColourEntry(entry)) {
    case ColourEntry::Mixed:
        return mixed;
    case ColourEntry::LeftDropper:
        return workspace.dropperColour(0);
    case ColourEntry::LeftTransparent:
        return workspace.transparentKey(0);
    case ColourEntry::LeftTranslucent:
        return workspace.translucentKey(0);
    case ColourEntry::RightDropper:
        return workspace.dropperColour(1);
    case ColourEntry::RightTransparent:
        return workspace.transparentKey(1);
    case ColourEntry::RightTranslucent:
        return workspace.translucentKey(1);
    case ColourEntry::None:
        break;
    }
    return kNoColour;
}

} // namespace vexlo
