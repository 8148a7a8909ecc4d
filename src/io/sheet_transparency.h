#pragma once

#include "common/colour.h"

#include <QImage>

namespace vexlo {

// Transparency and key colours, the two ways one sheet says which pixels
// are not drawn: a transparent pixel (alpha 0) is the transparent key
// colour, black at alpha 128 the translucent (shadow) key colour. A sheet
// written with its keys as transparency and read with its transparency as
// the same keys comes back pixel for pixel.

// What a pixel's transparency stands for, as one byte of a Grayscale8 map.
enum class KeyKind : uchar { None = 0, Transparent = 1, Translucent = 2 };

inline constexpr QRgb kTranslucentPixel = 0x80000000u; // black at alpha 128

// For a pixel with alpha (not premultiplied).
constexpr KeyKind KeyKindOf(QRgb argb)
{
    if (qAlpha(argb) == 0)
        return KeyKind::Transparent;
    return argb == kTranslucentPixel ? KeyKind::Translucent : KeyKind::None;
}

// The map of key kinds of a picture with an alpha channel, a Grayscale8
// image of its size. Fails when there is no memory for it.
QImage KeyKindsOf(const QImage &picture);

// The map at a wider width: the columns added are KeyKind::None.
QImage WidenKeyKinds(const QImage &kinds, int width);

// The opaque sheet with the key colours put where `kinds` (of the sheet's
// size) says. The pixels there are those of the picture over black.
QImage SheetWithKeys(QImage sheet, const QImage &kinds, Colour transparent, Colour translucent);

// The pixel a sheet pixel is written as, with its keys as transparency:
// the transparent key as 0,0,0 at alpha 0, the translucent key as black at
// alpha 128 (the transparent key first, when both are one colour), every
// other colour opaque.
constexpr QRgb PixelWithKeysAsAlpha(QRgb pixel, QRgb transparent, QRgb translucent)
{
    const QRgb colour = pixel & 0xFFFFFFu;
    if (colour == (transparent & 0xFFFFFFu))
        return 0;
    if (colour == (translucent & 0xFFFFFFu))
        return kTranslucentPixel;
    return pixel | 0xFF000000u;
}

} // namespace vexlo
