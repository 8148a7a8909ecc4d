// The picture loading path exactly as the load dialog uses it, on any file
// of any of the seven sheet file types (the first byte picks the type).
#include "common/sheet_limits.h"
#include "fuzz_support.h"
#include "io/sheet_file.h"

#include <QCoreApplication>

#include <iterator>

using namespace vexlo;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The picture readers are plugins, found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const char *const kExtensions[] = {"bmp", "dib", "jpg", "gif", "ico", "cur", "png"};
    const QString extension = QString::fromLatin1(kExtensions[data[0] % std::size(kExtensions)]);
    const SheetFile loaded = LoadSheetFile(fuzz::ScratchFile(fuzz::Bytes(data + 1, size - 1), extension));
    if (!loaded.accepted()) {
        fuzz::Require(!loaded.refusal.isEmpty(), "a refusal says why");
        return 0;
    }
    const QImage &sheet = loaded.sheet;
    fuzz::Require(sheet.format() == QImage::Format_RGB32, "a sheet is 32-bit RGB");
    fuzz::Require(sheet.width() == 256 && sheet.height() > 0 && sheet.height() % 32 == 0
                      && sheet.height() <= kMaxSheetHeight,
                  "a sheet keeps the rules");
    for (int y = 0; y < sheet.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(sheet.constScanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            fuzz::Require(qAlpha(row[x]) == 255, "every sheet pixel is opaque");
    }
    return 0;
}
