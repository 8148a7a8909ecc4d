#include "tiles/sheet_points.h"

#include "common/lenient_number.h"

#include <cmath>

namespace vexlo {

std::int32_t TileOf(double pixel)
{
    return ToInt32(std::floor(pixel / 32));
}

double SnappedToTile(double pixel)
{
    return pixel - ToInt32(pixel) % 32;
}

Colour ColourAt(const QImage &sheet, double x, double y)
{
    const double column = std::floor(x);
    const double row = std::floor(y);
    if (!(column >= 0 && row >= 0 && column < sheet.width() && row < sheet.height()))
        return kBlack;
    return ColourFromQRgb(sheet.pixel(int(column), int(row)));
}

} // namespace vexlo
