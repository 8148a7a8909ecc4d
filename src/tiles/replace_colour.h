#pragma once

#include "common/colour.h"

#include <QImage>

namespace vexlo {

// Turns every pixel of exactly the colour `find` into `replace`, in place.
// Colours match only when the whole 32-bit colour value is equal, so a find
// value that is no plain colour (bits above the low 24 set, such as "no
// colour") matches nothing; a replace value that is no plain colour changes
// nothing either. Requests no repaint: whoever shows the image decides when.
void ReplaceColour(QImage &image, Colour find, Colour replace);

} // namespace vexlo
