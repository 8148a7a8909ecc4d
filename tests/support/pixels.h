#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace vexlo::test {

// The tile buffers' clear colour and a sheet's background, as the screen shows them.
inline constexpr QRgb kLightGrey = qRgb(192, 192, 192);
inline constexpr QRgb kBlackPixel = qRgb(0, 0, 0);

// A sheet whose every pixel has its own colour: red = x, green = y (low
// byte), blue = the sheet's seed and y's high bits, so two sheets with
// different seeds share no pixel and a misplaced pixel is always noticed.
inline QImage PatternSheet(int seed, int height = 128, int width = 256)
{
    QImage sheet(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(x & 0xFF, y & 0xFF, (seed * 16 + (y >> 8)) & 0xFF);
    }
    return sheet;
}

// A sheet of pseudo-random colours that deflate cannot shrink, so its PNG
// data fills several IDAT chunks.
inline QImage NoisySheet(int height)
{
    QImage sheet(256, height, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < 256; ++x) {
            state = state * 1664525u + 1013904223u;
            line[x] = 0xFF000000u | (state >> 8);
        }
    }
    return sheet;
}

// The 32 x 32 tile (column, row) of a sheet; the tile must lie inside it.
inline QImage SheetTile(const QImage &sheet, int column, int row)
{
    return sheet.copy(column * 32, row * 32, 32, 32);
}

// Exact comparison that names the first differing pixel.
inline ::testing::AssertionResult SamePixels(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << " instead of "
                                             << expected.width() << "x" << expected.height();
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << QString::number(actual.pixel(x, y), 16).toStdString()
                       << " instead of " << QString::number(expected.pixel(x, y), 16).toStdString();
    return ::testing::AssertionSuccess();
}

// True when every pixel of the image is `colour`.
inline bool Uniform(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != colour)
                return false;
    return true;
}

// True when no pixel of the image lets anything show through.
inline bool AllOpaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

} // namespace vexlo::test
