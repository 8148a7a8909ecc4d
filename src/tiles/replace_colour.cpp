#include "tiles/replace_colour.h"

#include <cstdint>

namespace vexlo {
namespace {

constexpr Colour kPlainColourBits = 0xFFFFFF;

bool IsPlainColour(Colour colour)
{
    return (colour & ~kPlainColourBits) == 0;
}

} // namespace

void ReplaceColour(QImage &image, Colour find, Colour replace)
{
    if (image.isNull() || !IsPlainColour(find) || !IsPlainColour(replace))
        return;
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);

    // Compare without the alpha byte, which Format_RGB32 leaves meaningless.
    const std::uint32_t wanted = QRgbFromColour(find) & 0xFFFFFFu;
    const std::uint32_t written = QRgbFromColour(replace);
    const int width = image.width();
    const qsizetype stride = image.bytesPerLine();
    uchar *line = image.bits(); // one detach for the whole image, not one per row
    for (int y = 0; y < image.height(); ++y, line += stride) {
        auto *pixel = reinterpret_cast<std::uint32_t *>(line);
        // Branch-free so the compiler can vectorise the hot loop.
        for (int x = 0; x < width; ++x)
            pixel[x] = (pixel[x] & 0xFFFFFFu) == wanted ? written : pixel[x];
    }
}

} // namespace vexlo
