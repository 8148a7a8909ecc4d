#pragma once

#include <QColor>
#include <QRgb>
#include <QString>

#include <cstdint>

namespace vexlo {

// A colour as the rest of the program speaks of it: red + 256 * green +
// 65536 * blue (0x00BBGGRR). -1 stands for "no colour" where a dialog may
// return one. QImage and QColor use 0xAARRGGBB; convert only at that edge.
using Colour = std::int32_t;

inline constexpr Colour kNoColour = -1;
inline constexpr Colour kBlack = 0;
inline constexpr Colour kWhite = 0xFFFFFF;

constexpr Colour ColourFromRgb(int red, int green, int blue)
{
    return Colour((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr Colour ColourFromQRgb(QRgb pixel)
{
    return ColourFromRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// Opaque Qt pixel for a colour value; the bits above the low 24 are dropped.
constexpr QRgb QRgbFromColour(Colour colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline QColor QColorFromColour(Colour colour)
{
    return QColor::fromRgb(QRgbFromColour(colour));
}

inline Colour ColourFromQColor(const QColor &color)
{
    return ColourFromRgb(color.red(), color.green(), color.blue());
}

// Upper-case hexadecimal without prefix or leading zeros: 0, FF, FF00, FF0000.
QString ColourHex(Colour colour);

// The system's "application workspace" grey, used for placeholders and the
// backgrounds that stand for an empty area.
inline constexpr QRgb kWorkspaceGrey = 0xFFABABAB;

} // namespace vexlo
