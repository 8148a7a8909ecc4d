#include "common/colour.h"

namespace vexlo {

QString ColourHex(Colour colour)
{
    return QString::number(quint32(colour.value()), 16).toUpper();
}

QString HexTriplet(Colour colour)
{
    return QStringLiteral("#%1").arg(QRgbFromColour(colour) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace vexlo
