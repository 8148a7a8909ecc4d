// The whole-buffer PNG reader on any bytes, as the sheet loader calls it:
// the sheet rules refuse a size before anything is allocated for the rows.
// Each input is read as it is and again with its chunks' CRCs made right.
#include "common/failure.h"
#include "common/sheet_limits.h"
#include "fuzz_support.h"
#include "io/png_reader.h"
#include "io/sheet_file.h"

#include <QtEndian>

#include <zlib.h>

using namespace vexlo;

namespace {

// The bytes with every whole chunk's CRC made right, so that mutations
// reach the header, the data and the rows instead of ending at a CRC.
QByteArray WithRightCrcs(QByteArray bytes)
{
    for (qsizetype at = 8; at + 12 <= bytes.size();) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
        if (length > quint32(bytes.size() - at - 12))
            break;
        auto *type = reinterpret_cast<uchar *>(bytes.data() + at + 4);
        qToBigEndian<quint32>(quint32(crc32(0, type, 4 + length)), type + 4 + length);
        at += 12 + qsizetype(length);
    }
    return bytes;
}

void Read(const QByteArray &bytes)
{
    const auto checkSize = [](QSize declared) {
        if (const QString broken = SheetRuleFailure(declared); !broken.isEmpty())
            throw Failure(broken);
    };
    try {
        const QImage picture = ReadCommonPng(bytes, checkSize);
        if (picture.isNull())
            return;
        fuzz::Require(picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32,
                      "a picture is 32-bit");
        fuzz::Require(SheetRuleFailure(picture.size()).isEmpty() && picture.width() > 0 && picture.height() > 0,
                      "a picture keeps the sheet rules");
    } catch (const Failure &failure) {
        fuzz::Require(!failure.description().isEmpty(), "a refusal says why");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    Read(bytes);
    Read(WithRightCrcs(bytes));
    return 0;
}
