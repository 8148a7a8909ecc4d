#include "tiles/replace_colour.h"

#include "common/sheet_limits.h"

#include <algorithm>
#include <cstdint>

namespace vexlo {
namespace {

constexpr std::int32_t kPlainColourBits = 0xFFFFFF;

bool IsPlainColour(Colour colour)
{
    return (colour.value() & ~kPlainColourBits) == 0;
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

// Machines with AVX2 (most x86 ones of the last ten years) replace eight
// pixels an instruction, the others four; the choice is made when the
// program starts.
#if defined(__x86_64__)
#define VEXLO_WIDEST_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define VEXLO_WIDEST_VECTORS
#endif

// Both branch-free, comparing without the alpha byte that Format_RGB32
// leaves meaningless, so the compiler can vectorise them. The single swap of
// a whole sheet's replacement keeps the tightest loop.
VEXLO_WIDEST_VECTORS void SwapInRun(std::uint32_t *pixel, qsizetype count, Swap swap)
{
    for (qsizetype x = 0; x < count; ++x) {
        const std::uint32_t value = pixel[x];
        pixel[x] = (value & 0xFFFFFFu) == swap.wanted ? swap.written : value;
    }
}

VEXLO_WIDEST_VECTORS void SwapTwoInRun(std::uint32_t *pixel, qsizetype count, Swap first, Swap second)
{
    for (qsizetype x = 0; x < count; ++x) {
        std::uint32_t value = pixel[x];
        value = (value & 0xFFFFFFu) == first.wanted ? first.written : value;
        value = (value & 0xFFFFFFu) == second.wanted ? second.written : value;
        pixel[x] = value;
    }
}

// With `Two` false only the first swap is made.
template <bool Two>
void Replace(QImage &image, Swap first, Swap second)
{
    if (image.isNull() || (first.wanted == kMatchesNothing && second.wanted == kMatchesNothing))
        return;
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);

    const qsizetype width = image.width();
    const qsizetype stride = image.bytesPerLine();
    uchar *line = WritableBits(image); // one detach for the whole image, not one per row
    const auto swapIn = [&](uchar *run, qsizetype count) {
        if constexpr (Two)
            SwapTwoInRun(reinterpret_cast<std::uint32_t *>(run), count, first, second);
        else
            SwapInRun(reinterpret_cast<std::uint32_t *>(run), count, first);
    };
    if (stride == width * qsizetype(sizeof(std::uint32_t))) // rows without gaps (a buffer, a sheet): one run
        return swapIn(line, width * image.height());
    for (int y = 0; y < image.height(); ++y, line += stride)
        swapIn(line, width);
}

} // namespace

PixelMarks ReplaceColourMarked(QImage &image, Colour find, Colour replace)
{
    const Swap swap = SwapOf(find, replace);
    PixelMarks marks;
    if (image.isNull() || swap.wanted == kMatchesNothing)
        return marks;
    if (image.format() != QImage::Format_RGB32)
        image = ConvertedImage(image, QImage::Format_RGB32);
    WritableBits(image); // one checked detach, before any pixel changes
    const int width = image.width();
    const int height = image.height();
    marks.assign((std::size_t(width) * std::size_t(height) + 31) / 32, 0);
    std::size_t bit = 0;
    for (int y = 0; y < height; ++y) {
        auto *pixel = reinterpret_cast<std::uint32_t *>(image.scanLine(y));
        for (int x = 0; x < width; ++x, ++bit) {
            const bool match = (pixel[x] & 0xFFFFFFu) == swap.wanted;
            pixel[x] = match ? swap.written : pixel[x];
            marks[bit / 32] |= std::uint32_t(match) << (bit % 32);
        }
    }
    return marks;
}

void PaintMarked(QImage &image, const PixelMarks &marks, Colour colour)
{
    const std::uint32_t written = QRgbFromColour(colour);
    const std::size_t width = std::size_t(image.width());
    if (marks.empty() || width == 0)
        return;
    auto *pixels = reinterpret_cast<std::uint32_t *>(WritableBits(image));
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(std::uint32_t));
    for (std::size_t word = 0; word < marks.size(); ++word) {
        std::uint32_t bits = marks[word];
        if (bits == 0)
            continue;
        // Sheets are 256 wide, so a word never spans two rows there; any
        // other width goes pixel by pixel.
        const std::size_t first = word * 32;
        const std::size_t row = first / width;
        const std::size_t column = first % width;
        std::uint32_t *line = pixels + qsizetype(row) * stride;
        if (bits == 0xFFFFFFFFu && column + 32 <= width) {
            std::fill_n(line + column, 32, written);
            continue;
        }
        while (bits != 0) {
            const std::size_t at = first + std::size_t(__builtin_ctz(bits));
            pixels[qsizetype(at / width) * stride + qsizetype(at % width)] = written;
            bits &= bits - 1;
        }
    }
}

void ReplaceColour(QImage &image, Colour find, Colour replace)
{
    Replace<false>(image, SwapOf(find, replace), {});
}

void ReplaceColours(QImage &image, Colour find1, Colour replace1, Colour find2, Colour replace2)
{
    Replace<true>(image, SwapOf(find1, replace1), SwapOf(find2, replace2));
}

} // namespace vexlo
