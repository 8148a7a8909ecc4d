#pragma once

#include <QStringView>

#include <cstdint>

namespace vexlo {

// Reads the longest leading number of a text the way users type numbers into
// boxes and macro lines: leading blanks skipped, blanks inside the number
// ignored, an optional sign, digits with an optional decimal point and an
// exponent (E or D), or hexadecimal / octal after "&H" / "&O". Whatever follows
// the number is ignored; a text without a number reads as 0.
double LenientNumber(QStringView text);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// Rounds half to even and checks the range; a value that does not fit
// (NaN and infinities included) fails with an overflow.
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);

} // namespace vexlo
