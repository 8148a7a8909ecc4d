#pragma once

#include <QColor>
#include <QRgb>
#include <QString>

#include <cstdint>

namespace vexlo {

// A colour as the rest of the program speaks of it: red + 256 * green +
// 65536 * blue (0x00BBGGRR). -1 stands for "no colour" where a dialog may
// return one. QImage and QColor use 0xAARRGGBB; a distinct type so the two
// never mix unseen: convert only at that edge, through the functions below.
class Colour {
public:
    constexpr Colour() = default;
    constexpr explicit Colour(std::int32_t value) : value_(value) {}
    // A QRgb is no colour value: ColourFromQRgb says which encoding it is.
    explicit Colour(std::uint32_t) = delete;
    // From its parts; each is taken modulo 256.
    constexpr explicit Colour(int red, int green, int blue)
        : value_((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16))
    {
    }

    constexpr std::int32_t value() const { return value_; }
    constexpr int red() const { return value_ & 0xFF; }
    constexpr int green() const { return (value_ >> 8) & 0xFF; }
    constexpr int blue() const { return (value_ >> 16) & 0xFF; }

    friend constexpr bool operator==(const Colour &, const Colour &) = default;

private:
    std::int32_t value_ = 0;
};

// A pane's two key colours: transparent, and translucent (shadow).
struct KeyPair {
    Colour transparent;
    Colour translucent;
    friend constexpr bool operator==(const KeyPair &, const KeyPair &) = default;
};

inline constexpr Colour kNoColour{-1};
inline constexpr Colour kBlack{0};
inline constexpr Colour kWhite{0xFFFFFF};

constexpr Colour ColourFromQRgb(QRgb pixel)
{
    return Colour(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// Opaque Qt pixel for a colour value; the bits above the low 24 are dropped.
constexpr QRgb QRgbFromColour(Colour colour)
{
    return qRgb(colour.red(), colour.green(), colour.blue());
}

inline QColor QColorFromColour(Colour colour)
{
    return QColor::fromRgb(QRgbFromColour(colour));
}

inline Colour ColourFromQColor(const QColor &color)
{
    return Colour(color.red(), color.green(), color.blue());
}

// Upper-case hexadecimal without prefix or leading zeros: 0, FF, FF00, FF0000.
QString ColourHex(Colour colour);

// As colours are written for people and on command lines: "#RRGGBB".
QString HexTriplet(Colour colour);

// The system's "application workspace" grey, used for placeholders and the
// backgrounds that stand for an empty area.
inline constexpr QRgb kWorkspaceGrey = 0xFFABABAB;

} // namespace vexlo
