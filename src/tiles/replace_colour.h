#pragma once

#include "common/colour.h"

#include <QImage>

#include <cstdint>
#include <vector>

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

// Which pixels a replacement changed: one bit per pixel, row after row, the
// lowest bit of each word first.
using PixelMarks = std::vector<std::uint32_t>;

// ReplaceColour that also tells which pixels it changed, so they can be put
// back.
PixelMarks ReplaceColourMarked(QImage &image, Colour find, Colour replace);

// Gives every marked pixel the colour (a plain one); the others stay.
void PaintMarked(QImage &image, const PixelMarks &marks, Colour colour);

} // namespace vexlo
