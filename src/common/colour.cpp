#include "common/colour.h"

namespace vexlo {

QString ColourHex(Colour colour)
{
    return QString::number(quint32(colour.value()), 16).toUpper();
}

} // namespace vexlo
