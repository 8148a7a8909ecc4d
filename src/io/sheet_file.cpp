#include "io/sheet_file.h"

#include "common/failure.h"
#include "io/plain_bitmap.h"
#include "common/sheet_limits.h"
#include "io/gif_data.h"
#include "io/jpeg_scans.h"
#include "io/png_data.h"
#include "io/png_reader.h"
#include "io/sheet_transparency.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstring>
#include <memory>
#include <utility>

namespace vexlo {
namespace {

constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kPictureAllocationLimit = kPictureAllocationLimitMiB * kMiB;
// No sheet file is larger: the tallest sheet in 16 bits a channel with
// alpha, stored uncompressed, with room for its headers.
constexpr qint64 kMaxFileBytes = kPictureAllocationLimit + kMiB;

const QList<QByteArray> kSheetFormats = {"bmp", "dib", "jpeg", "gif", "ico", "cur", "png"};

void LimitReaderAllocations()
{
    static const bool limited = [] {
        QImageReader::setAllocationLimit(kPictureAllocationLimitMiB);
        return true;
    }();
    (void)limited;
}

// A refusal of the picture, not of the file.
void CheckRules(QSize size)
{
    const QString broken = SheetRuleFailure(size);
    if (!broken.isEmpty())
        throw Failure(broken);
}

// The file's bytes, a pipe's or a device's read into memory up to the
// largest sheet file, so no reader waits on a stream without an end.
std::unique_ptr<QIODevice> SheetBytes(QFile &file, const QString &path)
{
    if (!file.isSequential()) {
        if (file.size() > kMaxFileBytes)
            throw Failure(QStringLiteral("%1 is too large to be a sheet file.").arg(path));
        return nullptr;
    }
    auto bytes = ReadAtMost(file, kMaxFileBytes, path);
    if (!bytes)
        throw Failure(QStringLiteral("%1 is too large to be a sheet file.").arg(path));
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(std::move(*bytes));
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

// A ".dib" file is a bitmap file under another name, or the bare bitmap
// without the "BM" file header in front; the readers recognise either only
// when told which it is.
QByteArray ReaderFormatFor(const QString &path, QIODevice &device)
{
    if (QFileInfo(path).suffix().compare(QStringLiteral("dib"), Qt::CaseInsensitive) != 0)
        return {};
    return device.peek(2) == "BM" ? QByteArrayLiteral("bmp") : QByteArrayLiteral("dib");
}

// Some readers report a picture that ends early as read, leaving the missing
// pixels as whatever the memory held. Handing them a cleared image of the
// size and format they will produce (which they then fill in place) makes
// those pixels the same on every read: black, transparent where the format
// has alpha, or the palette's first colour in a picture with a palette.
QImage ClearedImageFor(QImageReader &reader)
{
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (!size.isValid() || format == QImage::Format_Invalid)
        return {};
    const qint64 bytes = qint64(size.width()) * size.height() * QImage::toPixelFormat(format).bitsPerPixel() / 8;
    if (bytes > kPictureAllocationLimit)
        return {}; // the reader refuses it itself
    QImage image = AllocatedImage(size.width(), size.height(), format);
    const bool opaque32 = image.depth() == 32 && !image.hasAlphaChannel();
    image.fill(opaque32 ? 0xFF000000u : 0u);
    return image;
}

// Every pixel of a sheet is opaque: a pixel with transparency shows what it
// shows over black, which is its premultiplied colour. Some readers fill
// what a damaged file leaves out with 0, alpha included, even in an opaque
// format. Takes the picture by value so that one in the right format is
// changed in place, without a copy of the whole sheet.
QImage OverBlack(QImage picture)
{
    const bool alpha = picture.hasAlphaChannel();
    QImage opaque = ConvertedImage(std::move(picture), alpha ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
    uchar *line = WritableBits(opaque); // one detach check for the whole image
    const int width = opaque.width();
    const qsizetype stride = opaque.bytesPerLine();
    for (int y = 0; y < opaque.height(); ++y, line += stride) {
        auto *row = reinterpret_cast<QRgb *>(line);
        for (int x = 0; x < width; ++x)
            row[x] |= 0xFF000000u;
    }
    opaque.reinterpretAsFormat(QImage::Format_RGB32);
    return opaque;
}

// The common plain bitmap straight from the file's rows, much faster than the
// general reader; a null image when the file is anything else, with the file
// back at its start for the general reader.
QImage ReadPlainBitmap(QIODevice &device)
{
    const auto layout = PlainBitmapLayoutOf(device.peek(54), device.size(), kPictureAllocationLimit);
    if (!layout)
        return {};
    CheckRules(QSize(layout->width, layout->height));
    if (!device.seek(layout->pixelOffset))
        return {};
    QImage picture = ReadPlainBitmapRows(*layout, device); // throws when there is no memory for it
    device.seek(0);
    return picture;
}

// Whether the picture's data goes on far past what its size needs, which
// its reader would go through in full before giving the picture.
bool HoldsExcessData(const QByteArray &format, QIODevice &device)
{
    if (format == "png")
        return PngDataExceedsRows(device);
    if (format == "ico" || format == "cur")
        return IconDataExceedsRows(device);
    if (format == "gif")
        return GifDataExceedsPixels(device);
    return false;
}

// A picture as read, before it becomes a sheet.
struct Picture {
    QImage sheet;    // over black, at the picture's width
    QImage keyKinds; // see SheetFile
};

Picture AsSheet(QImage picture)
{
    QImage kinds = picture.hasAlphaChannel() ? KeyKindsOf(picture) : QImage();
    return {OverBlack(std::move(picture)), std::move(kinds)};
}

// The common PNG files at the whole-buffer inflater's speed; a null image,
// with the device back at its start, for the general reader.
QImage ReadCommonPngFile(QIODevice &device)
{
    if (!device.peek(kPngSignature.size()).startsWith(kPngSignature))
        return {};
    const QByteArray bytes = device.readAll(); // at most the largest sheet file
    device.seek(0);
    return ReadCommonPng(bytes, CheckRules);
}

Picture ReadPicture(QIODevice &device, const QString &path)
{
    LimitReaderAllocations();
    if (QImage plain = ReadPlainBitmap(device); !plain.isNull())
        return {plain, {}};
    if (QImage png = ReadCommonPngFile(device); !png.isNull())
        return AsSheet(std::move(png));
    QImageReader reader(&device, ReaderFormatFor(path, device));
    // The content decides the reader, among the kinds of picture a sheet
    // comes in; other readers are not exposed to what a file may hold.
    const QByteArray format = reader.format();
    if (!kSheetFormats.contains(format))
        throw Failure(QStringLiteral("Unsupported image format"));
    if (format == "jpeg" && JpegScanCount(device) > kMaxJpegScans)
        throw Failure(QStringLiteral("The JPEG picture has more than %1 scans.").arg(kMaxJpegScans));
    if (const QSize declared = reader.size(); declared.isValid())
        CheckRules(declared); // before a pixel is read or anything allocated for them
    if (HoldsExcessData(format, device))
        throw Failure(QStringLiteral("The picture holds more data than its size needs."));
    QImage picture = ClearedImageFor(reader);
    if (!reader.read(&picture))
        throw Failure(reader.errorString());
    // Some readers (MNG's, for one) report success for a file that gave them
    // no picture at all; an empty picture is no sheet.
    if (picture.isNull())
        throw Failure(QStringLiteral("The file holds no picture."));
    CheckRules(picture.size()); // a reader that declared no size, or another
    return AsSheet(std::move(picture));
}

} // namespace

QString SheetRuleFailure(QSize size)
{
    if (size.width() > kSheetWidth)
        return QStringLiteral("Invalid size (X > 256).");
    if (size.width() % kTileSize != 0)
        return QStringLiteral("Invalid size (X mod 32 <> 0).");
    if (size.height() % kTileSize != 0)
        return QStringLiteral("Invalid size (Y mod 32 <> 0).");
    // Past the three rules a sheet has always had, so a picture breaking one
    // of them is told that one.
    if (size.height() > kMaxSheetHeight)
        return QStringLiteral("Invalid size (Y > %1).").arg(kMaxSheetHeight);
    return {};
}

QImage WidenToSheet(const QImage &picture)
{
    const QImage source = ConvertedImage(picture, QImage::Format_RGB32);
    if (source.width() == kSheetWidth)
        return source;
    QImage sheet = AllocatedImage(kSheetWidth, source.height(), QImage::Format_RGB32);
    sheet.fill(Qt::black);
    const std::size_t rowBytes = std::size_t(source.width()) * sizeof(QRgb);
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(sheet.scanLine(y), source.constScanLine(y), rowBytes);
    return sheet;
}

SheetFile LoadSheetFile(const QString &path, SpecialFiles special)
{
    QFile file;
    std::unique_ptr<QIODevice> bytes;
    try {
        OpenForReading(file, path, special);
        bytes = SheetBytes(file, path);
    } catch (const Failure &failure) {
        return {QImage(), QImage(), failure.description(), true};
    }
    try {
        Picture picture = ReadPicture(bytes ? *bytes : file, path);
        return {WidenToSheet(picture.sheet), WidenKeyKinds(picture.keyKinds, kSheetWidth), QString()};
    } catch (const Failure &failure) {
        return {QImage(), QImage(), failure.description()};
    }
}

QImage SheetFile::sheetWithKeys(Colour transparent, Colour translucent) const
{
    return SheetWithKeys(sheet, keyKinds, transparent, translucent);
}

} // namespace vexlo
