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

// Two replacements in one pass: each pixel first as ReplaceColour(find1,
// replace1), then the result as ReplaceColour(find2, replace2). A pair whose
// colours are not plain (kNoColour, say) leaves the pixels alone.
void ReplaceColours(QImage &image, Colour find1, Colour replace1, Colour find2, Colour replace2);

} // namespace vexlo
