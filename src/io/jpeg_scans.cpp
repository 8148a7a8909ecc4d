#include "io/jpeg_scans.h"

#include <QByteArray>
#include <QIODevice>

namespace vexlo {
namespace {

// The device's bytes one at a time, read in blocks.
class ByteStream {
public:
    explicit ByteStream(QIODevice &device) : device_(device) {}

    bool next(uchar &byte)
    {
        if (at_ == block_.size()) {
            block_ = device_.read(64 * 1024);
            at_ = 0;
            if (block_.isEmpty())
                return false;
        }
        byte = uchar(block_[at_++]);
        return true;
    }
    bool skip(qint64 count)
    {
        const qint64 inBlock = qMin<qint64>(count, block_.size() - at_);
        at_ += inBlock;
        count -= inBlock;
        return count == 0 || device_.skip(count) == count;
    }

private:
    QIODevice &device_;
    QByteArray block_;
    qsizetype at_ = 0;
};

} // namespace

int JpegScanCount(QIODevice &device, int stopAfter)
{
    if (!device.seek(0))
        return 0;
    ByteStream in(device);
    uchar byte = 0;
    int scans = 0;
    if (in.next(byte) && byte == 0xFF && in.next(byte) && byte == 0xD8) {
        // Markers are 0xFF and a code; between them lie segments of a given
        // length and, after a scan's header, coded data, which is skipped
        // byte by byte since it has no length.
        while (scans <= stopAfter && in.next(byte)) {
            if (byte != 0xFF)
                continue;
            uchar code = 0xFF;
            while (code == 0xFF && in.next(code)) {
            }
            if (code == 0xFF || code == 0xD9)
                break; // the end
            if (code == 0x00 || code == 0x01 || (code >= 0xD0 && code <= 0xD7))
                continue; // a coded 0xFF or a marker without a segment
            uchar high = 0;
            uchar low = 0;
            if (!in.next(high) || !in.next(low))
                break;
            const int length = high << 8 | low;
            if (code == 0xDA)
                ++scans;
            if (length < 2 || !in.skip(length - 2))
                break;
        }
    }
    device.seek(0);
    return scans;
}

} // namespace vexlo
