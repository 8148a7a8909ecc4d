// Writes the damaged and hostile picture files kept in tests/data/load, so
// each can be made again: make_load_regression_files tests/data/load
#include "picture_bytes.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>

#include <cstdio>

using namespace vexlo::test;

namespace {

// A bitmap file whose pixels are run-length coded, 8 bits per pixel, that
// stops after a few rows without its end-of-picture mark.
QByteArray ShortRle8Bitmap()
{
    constexpr int kWidth = 64, kHeight = 32, kPaletteBytes = 256 * 4;
    QByteArray runs;
    for (int row = 0; row < 5; ++row)
        runs.append(char(kWidth)).append(char(1 + row % 2)).append('\0').append('\0');

    QByteArray bmp(14 + 40 + kPaletteBytes, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLe32(bmp, 2, quint32(bmp.size() + runs.size()));
    PutLe32(bmp, 10, quint32(14 + 40 + kPaletteBytes));
    PutLe32(bmp, 14, 40);
    PutLe32(bmp, 18, kWidth);
    PutLe32(bmp, 22, kHeight);
    PutLe16(bmp, 26, 1);
    PutLe16(bmp, 28, 8);
    PutLe32(bmp, 30, 1); // run-length coded, 8 bits
    PutLe32(bmp, 46, 256);
    for (int entry = 0; entry < 256; ++entry) {
        bmp[54 + entry * 4] = char(entry);          // blue
        bmp[54 + entry * 4 + 1] = char(255 - entry); // green
        bmp[54 + entry * 4 + 2] = char(entry * 3);   // red
    }
    return bmp + runs;
}

// An icon whose only entry, and the bitmap it points to, claim 0 x 0 pixels.
QByteArray ZeroSizeIcon()
{
    QByteArray icon = IconBytes(BlockPicture(32, 32));
    icon[6] = '\0'; // entry width
    icon[7] = '\0'; // entry height
    PutLe32(icon, 22 + 4, 0); // bitmap width
    PutLe32(icon, 22 + 8, 0); // bitmap height
    return icon;
}

bool Write(const QDir &folder, const char *name, const QByteArray &bytes)
{
    QFile file(folder.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QByteArray bmp = WrittenBytes(BlockPicture(64, 64), "bmp");
    const QByteArray gif = GifBytes(BlockPicture(64, 64));
    const QByteArray jpg = WrittenBytes(BlockPicture(64, 64), "jpg");

    QByteArray hugeBitmap = bmp.left(54 + 64);
    PutLe32(hugeBitmap, 18, 100000);
    PutLe32(hugeBitmap, 22, 100000);
    QByteArray hugeGif = gif;
    PutLe16(hugeGif, 6, 65535); // logical screen
    PutLe16(hugeGif, 8, 65535);

    // Cut inside the header: nothing can be read. Cut inside the pixels: the
    // readers give what they got, the rest filled in.
    const bool written = Write(folder, "text.bmp", "This is a text file, not a picture.\n")
                         && Write(folder, "empty.gif", QByteArray())
                         && Write(folder, "header_cut.bmp", bmp.left(30))
                         && Write(folder, "header_cut.gif", gif.left(20))
                         && Write(folder, "header_cut.jpg", jpg.left(100))
                         && Write(folder, "pixels_cut.bmp", bmp.left(54 + 64 * 3 * 40))
                         && Write(folder, "pixels_cut.gif", gif.left(gif.size() / 2))
                         && Write(folder, "pixels_cut.jpg", jpg.left(jpg.size() / 2))
                         && Write(folder, "rle8_short.bmp", ShortRle8Bitmap())
                         && Write(folder, "huge_header.bmp", hugeBitmap)
                         && Write(folder, "huge_screen.gif", hugeGif)
                         && Write(folder, "zero_entry.ico", ZeroSizeIcon());
    if (!written)
        std::fprintf(stderr, "could not write into %s\n", argv[1]);
    return written ? 0 : 1;
}
