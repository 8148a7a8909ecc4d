// The lenient number reader and the checked conversions on any text.
#include "common/failure.h"
#include "common/lenient_number.h"
#include "fuzz_support.h"

#include <cmath>

using namespace vexlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    for (const QString &text : {QString::fromUtf8(bytes), QString::fromLatin1(bytes)}) {
        const double value = LenientNumber(text);
        const double rounded = RoundHalfEven(value);
        fuzz::Require(std::isnan(value) == std::isnan(rounded), "rounding keeps NaN-ness");
        if (std::isfinite(value))
            fuzz::Require(std::fabs(rounded - value) <= 0.5, "rounding moves at most half a step");
        try {
            const std::int16_t narrow = ToInt16(value);
            fuzz::Require(narrow == rounded, "a 16-bit result is the rounded value");
        } catch (const Failure &) {
        }
        try {
            const std::int32_t wide = ToInt32(value);
            fuzz::Require(wide == rounded, "a 32-bit result is the rounded value");
        } catch (const Failure &) {
        }
    }
    return 0;
}
