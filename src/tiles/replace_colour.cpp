#include "tiles/replace_colour.h"

#include "common/sheet_limits.h"

#include <cstdint>

namespace vexlo {
namespace {

constexpr Colour kPlainColourBits = 0xFFFFFF;

bool IsPlainColour(Colour colour)
{
    return (colour & ~kPlainColourBits) == 0;
}

// A wanted value that no pixel (alpha byte masked off) can have.
constexpr std::uint32_t kMatchesNothing = 0xFFFFFFFFu;

struct Swap {
    std::uint32_t wanted = kMatchesNothing;
    std::uint32_t written = 0;
};

Swap SwapOf(Colour find, Colour replace)
{
    if (!IsPlainColour(find) || !IsPlainColour(replace))
        return {};
    return {QRgbFromColour(find) & 0xFFFFFFu, QRgbFromColour(replace)};
}

// With `Two` false only the first swap is made: a whole sheet's single
// replacement keeps the tightest loop.
template <bool Two>
void Replace(QImage &image, Swap first, Swap second)
{
    if (image.isNull() || (first.wanted == kMatchesNothing && second.wanted == kMatchesNothing))
        return;
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);

    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine();
    uchar *line = WritableBits(image); // one detach for the whole image, not one per row
    for (int y = 0; y < height; ++y, line += stride) {
        auto *pixel = reinterpret_cast<std::uint32_t *>(line);
        // Branch-free, comparing without the alpha byte that Format_RGB32
        // leaves meaningless, so the compiler can vectorise the hot loop.
        for (int x = 0; x < width; ++x) {
            std::uint32_t value = pixel[x];
            value = (value & 0xFFFFFFu) == first.wanted ? first.written : value;
            if constexpr (Two)
                value = (value & 0xFFFFFFu) == second.wanted ? second.written : value;
            pixel[x] = value;
        }
    }
}

} // namespace

void ReplaceColour(QImage &image, Colour find, Colour replace)
{
    Replace<false>(image, SwapOf(find, replace), {});
}

void ReplaceColours(QImage &image, Colour find1, Colour replace1, Colour find2, Colour replace2)
{
    Replace<true>(image, SwapOf(find1, replace1), SwapOf(find2, replace2));
}

} // namespace vexlo
