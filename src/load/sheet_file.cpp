#include "load/sheet_file.h"

#include "common/failure.h"
#include "common/plain_bitmap.h"
#include "model/workspace.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>

#include <cstring>
#include <utility>

namespace vexlo {
namespace {

void LimitReaderAllocations()
{
    static const bool limited = [] {
        QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
        return true;
    }();
    (void)limited;
}

// A ".dib" file is a bitmap file under another name, or the bare bitmap
// without the "BM" file header in front; the readers recognise either only
// when told which it is.
QByteArray ReaderFormatFor(const QString &path, QFile &file)
{
    if (QFileInfo(path).suffix().compare(QStringLiteral("dib"), Qt::CaseInsensitive) != 0)
        return {};
    return file.peek(2) == "BM" ? QByteArrayLiteral("bmp") : QByteArrayLiteral("dib");
}

// Some readers report a picture that ends early as read, leaving the missing
// pixels as whatever the memory held. Handing them a cleared image of the
// size and format they will produce (which they then fill in place) makes
// those pixels the same on every read: black, transparent where the format
// has alpha, or the palette's first colour in a picture with a palette.
QImage ClearedImageFor(QImageReader &reader)
{
    QImage image;
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (size.isValid() && format != QImage::Format_Invalid
        && QImageIOHandler::allocateImage(size, format, &image)) {
        const bool opaque32 = image.depth() == 32 && !image.hasAlphaChannel();
        image.fill(opaque32 ? 0xFF000000u : 0u);
    }
    return image;
}

// Takes the picture by value so that an opaque one is made fully opaque in
// place, without a copy of the whole sheet.
QImage OverBlack(QImage picture)
{
    if (!picture.hasAlphaChannel()) {
        // Some readers fill what a damaged file leaves out with 0, alpha
        // included, even in an opaque format; every pixel of a sheet is opaque.
        QImage opaque = std::move(picture).convertToFormat(QImage::Format_RGB32);
        const int width = opaque.width();
        const qsizetype stride = opaque.bytesPerLine();
        uchar *line = opaque.bits(); // one detach check for the whole image
        for (int y = 0; y < opaque.height(); ++y, line += stride) {
            auto *row = reinterpret_cast<QRgb *>(line);
            for (int x = 0; x < width; ++x)
                row[x] |= 0xFF000000u;
        }
        return opaque;
    }
    QImage opaque(picture.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, picture);
    return opaque;
}

// The common plain bitmap straight from the file's rows, much faster than the
// general reader; a null image when the file is anything else, with the file
// back at its start for the general reader.
QImage ReadPlainBitmap(QFile &file)
{
    const auto layout = PlainBitmapLayoutOf(file.peek(54), file.size(),
                                            qint64(kPictureAllocationLimitMiB) * 1024 * 1024);
    if (!layout || !file.seek(layout->pixelOffset))
        return {};
    QImage picture = ReadPlainBitmapRows(*layout, file);
    file.seek(0);
    return picture;
}

} // namespace

QImage ReadPicture(const QString &path)
{
    LimitReaderAllocations();
    // Opened here, so a file that cannot be opened is reported with the
    // system's reason rather than the reader's "File not found".
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("%1: %2").arg(file.errorString(), path));
    if (QImage plain = ReadPlainBitmap(file); !plain.isNull())
        return plain;
    QImageReader reader(&file, ReaderFormatFor(path, file));
    QImage picture = ClearedImageFor(reader);
    if (!reader.read(&picture))
        throw Failure(reader.errorString());
    // Some readers (MNG's, for one) report success for a file that gave them
    // no picture at all; an empty picture is no sheet.
    if (picture.isNull())
        throw Failure(QStringLiteral("The file holds no picture."));
    return OverBlack(std::move(picture));
}

QString SheetRuleFailure(QSize size)
{
    if (size.width() > Workspace::kSheetWidth)
        return QStringLiteral("Invalid size (X > 256).");
    if (size.width() % Workspace::kTileSize != 0)
        return QStringLiteral("Invalid size (X mod 32 <> 0).");
    if (size.height() % Workspace::kTileSize != 0)
        return QStringLiteral("Invalid size (Y mod 32 <> 0).");
    return {};
}

QImage WidenToSheet(const QImage &picture)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    if (source.width() == Workspace::kSheetWidth)
        return source;
    QImage sheet = Workspace::blankSheet(source.height());
    const std::size_t rowBytes = std::size_t(source.width()) * sizeof(QRgb);
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(sheet.scanLine(y), source.constScanLine(y), rowBytes);
    return sheet;
}

SheetFile LoadSheetFile(const QString &path)
{
    try {
        const QImage picture = ReadPicture(path);
        const QString broken = SheetRuleFailure(picture.size());
        if (!broken.isEmpty())
            return {QImage(), broken};
        return {WidenToSheet(picture), QString()};
    } catch (const Failure &failure) {
        return {QImage(), failure.description()};
    }
}

} // namespace vexlo
