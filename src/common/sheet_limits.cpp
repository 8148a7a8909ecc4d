#include "common/sheet_limits.h"

#include "common/huge_pages.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vexlo {
namespace {

// Qt converts an image of more than twice this many bytes on worker
// threads, and waits for them forever when one cannot be started (as when
// memory is short). Strips this small are converted on the calling thread.
constexpr qsizetype kStripBytes = 64 * 1024;

} // namespace

Failure NotEnoughMemory(int width, int height)
{
    return Failure(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels.").arg(width).arg(height));
}

QImage AllocatedImage(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    if (image.isNull())
        throw NotEnoughMemory(width, height);
    // Not yet touched: a tall sheet's pixels are first written row by row,
    // and on machines where page faults are dear its thousands of small
    // pages cost more than reading its file.
    AdviseHugePages(image.bits(), std::size_t(image.sizeInBytes()));
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
