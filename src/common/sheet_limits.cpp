#include "common/sheet_limits.h"

#include "common/huge_pages.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace vexlo {
namespace {

// Qt converts an image of more than twice this many bytes on worker
// threads, and waits for them forever when one cannot be started (as when
// memory is short). Strips this small are converted on the calling thread.
constexpr qsizetype kStripBytes = 64 * 1024;

// Pixels this many bytes or more go into huge pages: each small page costs
// a fault when first written, and on machines where faults are dear a tall
// sheet's thousands of them cost more than reading its file. Smaller
// pictures would waste much of a huge page.
constexpr qsizetype kHugeImageBytes = 2 * qsizetype(kHugePageBytes);

struct HugeImageMemory {
    void *start;
    std::size_t bytes;
};

void FreeHugeImageMemory(void *info)
{
    const auto *memory = static_cast<HugeImageMemory *>(info);
    UnmapHugePages(memory->start, memory->bytes);
    delete memory;
}

// An image in huge pages, or a null one when they cannot be had.
QImage HugePageImage(int width, int height, QImage::Format format)
{
    const qsizetype bytesPerLine = (qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(height);
    try {
        auto *memory = new HugeImageMemory{MapHugePages(bytes), bytes};
        QImage image(static_cast<uchar *>(memory->start), width, height, bytesPerLine, format, FreeHugeImageMemory,
                     memory);
        if (image.isNull())
            FreeHugeImageMemory(memory);
        return image;
    } catch (const std::bad_alloc &) {
        return {};
    }
}

} // namespace

Failure NotEnoughMemory(int width, int height)
{
    return Failure(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels.").arg(width).arg(height));
}

QImage AllocatedImage(int width, int height, QImage::Format format)
{
    const bool huge = qint64(width) * height * QImage::toPixelFormat(format).bitsPerPixel() / 8 >= kHugeImageBytes;
    QImage image = huge ? HugePageImage(width, height, format) : QImage();
    if (image.isNull()) // huge pages are only a hint: mapping them needs a little more room
        image = QImage(width, height, format);
    if (image.isNull())
        throw NotEnoughMemory(width, height);
    return image;
}

uchar *WritableBits(QImage &image)
{
    // Copied here rather than by bits(), which leaves a null image in place
    // of one it could not copy.
    if (!image.isNull() && !image.isDetached()) {
        QImage own = image.copy();
        if (own.isNull())
            throw NotEnoughMemory(image.width(), image.height());
        image = std::move(own);
    }
    return image.bits();
}

QImage ConvertedImage(QImage image, QImage::Format format)
{
    if (image.isNull() || image.format() == format)
        return image;
    QImage converted = AllocatedImage(image.width(), image.height(), format);
    const int stripRows = int(std::max<qsizetype>(1, kStripBytes / image.bytesPerLine()));
    const std::size_t rowBytes = std::size_t(converted.bytesPerLine());
    for (int top = 0; top < image.height(); top += stripRows) {
        const int rows = std::min(stripRows, image.height() - top);
        // The strip's rows in place, not copied.
        QImage strip(image.constScanLine(top), image.width(), rows, image.bytesPerLine(), image.format());
        if (image.colorCount() > 0)
            strip.setColorTable(image.colorTable());
        const QImage part = strip.convertToFormat(format);
        if (part.isNull())
            throw NotEnoughMemory(image.width(), image.height());
        for (int y = 0; y < rows; ++y)
            std::memcpy(converted.scanLine(top + y), part.constScanLine(y), rowBytes);
    }
    return converted;
}

} // namespace vexlo
