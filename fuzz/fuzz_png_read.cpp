// The whole-buffer PNG reader on any bytes, as the sheet loader calls it:
// the sheet rules refuse a size before anything is allocated for the rows.
#include "common/failure.h"
#include "common/sheet_limits.h"
#include "fuzz_support.h"
#include "io/png_reader.h"
#include "io/sheet_file.h"

using namespace vexlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto checkSize = [](QSize declared) {
        if (const QString broken = SheetRuleFailure(declared); !broken.isEmpty())
            throw Failure(broken);
    };
    try {
        const QImage picture = ReadCommonPng(fuzz::Bytes(data, size), checkSize);
        if (picture.isNull())
            return 0;
        fuzz::Require(picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32,
                      "a picture is 32-bit");
        fuzz::Require(SheetRuleFailure(picture.size()).isEmpty() && picture.width() > 0 && picture.height() > 0,
                      "a picture keeps the sheet rules");
    } catch (const Failure &failure) {
        fuzz::Require(!failure.description().isEmpty(), "a refusal says why");
    }
    return 0;
}
