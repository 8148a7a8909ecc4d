#include "common/lenient_number.h"

#include "common/failure.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include <locale.h>
#include <stdlib.h>

namespace vexlo {
namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

class Reader {
public:
    explicit Reader(QStringView text) : text_(text) {}

    // The next character that is not a blank, without taking it.
    QChar peek()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }
    void take() { ++pos_; }
    qsizetype position() const { return pos_; }
    void rewind(qsizetype pos) { pos_ = pos; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

int DigitValue(QChar c, int base)
{
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c.unicode() - u'A' + 10;
    return value < base ? value : -1;
}

double ReadRadix(Reader &in, int base)
{
    double value = 0;
    for (int digit; (digit = DigitValue(in.peek(), base)) >= 0; in.take())
        value = value * base + digit;
    return value;
}

// strtod in the C locale: the program runs in the user's locale, where the
// decimal separator may be a comma, but these numbers always use a point.
double StrtodC(const char *text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text, nullptr, c);
}

// Digits, point and exponent are gathered into plain ASCII so that strtod,
// which rounds correctly, does the conversion.
double ReadDecimal(Reader &in)
{
    std::string digits;
    auto takeDigits = [&] {
        for (QChar c = in.peek(); c >= u'0' && c <= u'9'; c = in.peek()) {
            digits += char(c.unicode());
            in.take();
        }
    };
    takeDigits();
    if (in.peek() == u'.') {
        digits += '.';
        in.take();
        takeDigits();
    }
    if (digits.empty() || digits == ".")
        return 0;
    const QChar marker = in.peek().toUpper();
    if (marker == u'E' || marker == u'D') {
        const qsizetype beforeExponent = in.position();
        in.take();
        std::string exponent = "e";
        if (in.peek() == u'+' || in.peek() == u'-') {
            exponent += char(in.peek().unicode());
            in.take();
        }
        const std::size_t mantissaEnd = digits.size();
        digits += exponent;
        takeDigits();
        if (digits.size() == mantissaEnd + exponent.size()) {
            digits.resize(mantissaEnd); // "1E" alone: the E is not part of the number
            in.rewind(beforeExponent);
        }
    }
    return StrtodC(digits.c_str());
}

// The common case of macro fields and settings, a plain whole number, read
// without the general machinery.
bool PlainInteger(QStringView text, double &value)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty() || digits.size() > 15)
        return false;
    std::int64_t number = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        number = number * 10 + (c.unicode() - u'0');
    }
    value = negative ? -double(number) : double(number);
    return true;
}

} // namespace

double LenientNumber(QStringView text)
{
    if (double value; PlainInteger(text, value))
        return value;
    Reader in(text);
    double sign = 1;
    if (in.peek() == u'+' || in.peek() == u'-') {
        sign = in.peek() == u'-' ? -1 : 1;
        in.take();
    }
    if (in.peek() == u'&') {
        in.take();
        const QChar radix = in.peek().toUpper();
        if (radix != u'H' && radix != u'O')
            return 0;
        in.take();
        return sign * ReadRadix(in, radix == u'H' ? 16 : 8);
    }
    return sign * ReadDecimal(in);
}

double RoundHalfEven(double value)
{
    if (!std::isfinite(value) || std::trunc(value) == value)
        return value; // nothing to round (the usual case)
    // nearbyint follows the current rounding mode; make sure it is the default one.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    if (mode != FE_TONEAREST)
        std::fesetround(mode);
    return rounded;
}

namespace {

template <typename Int>
Int ToChecked(double value)
{
    const double rounded = RoundHalfEven(value);
    // Written so that NaN fails too.
    if (!(rounded >= double(std::numeric_limits<Int>::min())
          && rounded <= double(std::numeric_limits<Int>::max())))
        throw Failure::overflow();
    return Int(rounded);
}

} // namespace

std::int16_t ToInt16(double value)
{
    return ToChecked<std::int16_t>(value);
}

std::int32_t ToInt32(double value)
{
    return ToChecked<std::int32_t>(value);
}

} // namespace vexlo
