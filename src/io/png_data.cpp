#include "io/png_data.h"

#include <QByteArray>
#include <QIODevice>
#include <QtEndian>

#include <zlib.h>

#include <cstring>
#include <optional>
#include <span>

namespace vexlo {
namespace {

constexpr char kSignatureAndHeader[] = "\x89PNG\r\n\x1a\n\0\0\0\x0DIHDR";
constexpr qsizetype kSignatureAndHeaderBytes = sizeof kSignatureAndHeader - 1;
// Far beyond any sheet's side (the sheet rules refuse those first), small
// enough that the bytes of every row add up within 64 bits.
constexpr quint32 kMaxSide = 1u << 24;
constexpr qsizetype kBufferBytes = 64 * 1024;

struct Header {
    quint32 width;
    quint32 height;
    int bitDepth;
    int colourType;
    int interlace;
};

// The part of the picture one pass holds: every xStep-th pixel from x, of
// every yStep-th row from y.
struct Pass {
    int x, y, xStep, yStep;
};
constexpr Pass kWhole[] = {{0, 0, 1, 1}};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

// What the rows of the picture inflate to: a filter byte and the packed
// pixels for every row of every pass; a pass without pixels has no rows.
// Nothing for a header the reader refuses.
std::optional<qint64> RowBytes(const Header &header)
{
    constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4}; // by colour type; 0 for none
    const bool depthKnown = header.bitDepth == 1 || header.bitDepth == 2 || header.bitDepth == 4
                            || header.bitDepth == 8 || header.bitDepth == 16;
    if (header.width == 0 || header.height == 0 || header.width > kMaxSide || header.height > kMaxSide
        || header.colourType > 6 || kChannels[header.colourType] == 0 || !depthKnown || header.interlace > 1)
        return std::nullopt;
    const qint64 bitsPerPixel = qint64(kChannels[header.colourType]) * header.bitDepth;
    qint64 total = 0;
    for (const Pass &pass : header.interlace == 1 ? std::span<const Pass>(kAdam7) : std::span<const Pass>(kWhole)) {
        const qint64 columns = (qint64(header.width) - pass.x + pass.xStep - 1) / pass.xStep;
        const qint64 rows = (qint64(header.height) - pass.y + pass.yStep - 1) / pass.yStep;
        if (columns > 0 && rows > 0)
            total += rows * (1 + (columns * bitsPerPixel + 7) / 8);
    }
    return total;
}

// A zlib stream inflated into a buffer that is thrown away, up to a limit.
class Inflater {
public:
    enum class State { Going, Ended, OverLimit };

    explicit Inflater(qint64 limit) : limit_(limit), out_(kBufferBytes, Qt::Uninitialized)
    {
        // Without memory for its state every inflate fails, which ends the
        // check and leaves the picture to the reader.
        if (inflateInit(&stream_) == Z_OK)
            inflateValidate(&stream_, 0); // the reader checks the sum
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    State take(QByteArray &in)
    {
        stream_.next_in = reinterpret_cast<Bytef *>(in.data());
        stream_.avail_in = uInt(in.size());
        do {
            stream_.next_out = reinterpret_cast<Bytef *>(out_.data());
            stream_.avail_out = uInt(out_.size());
            const int status = inflate(&stream_, Z_NO_FLUSH);
            inflated_ += out_.size() - stream_.avail_out;
            if (inflated_ > limit_)
                return State::OverLimit;
            if (status == Z_BUF_ERROR)
                return State::Going; // all taken; the rest is in the next chunk
            if (status != Z_OK)
                return State::Ended; // the stream's end, or damage the reader reports
        } while (stream_.avail_in > 0 || stream_.avail_out == 0);
        return State::Going;
    }

private:
    z_stream stream_{};
    qint64 limit_;
    qint64 inflated_ = 0;
    QByteArray out_;
};

// The chunks from the header on; the reader takes the data from the first
// run of IDAT chunks only, so the check ends with it.
bool DataExceedsRows(QIODevice &device)
{
    char head[kSignatureAndHeaderBytes + 13];
    if (device.read(head, sizeof head) != qint64(sizeof head)
        || std::memcmp(head, kSignatureAndHeader, kSignatureAndHeaderBytes) != 0 || device.skip(4) != 4)
        return false;
    const auto *fields = reinterpret_cast<const uchar *>(head + kSignatureAndHeaderBytes);
    const auto rowBytes = RowBytes({qFromBigEndian<quint32>(fields), qFromBigEndian<quint32>(fields + 4), fields[8],
                                    fields[9], fields[12]});
    if (!rowBytes)
        return false;
    Inflater inflater(*rowBytes + kPngDataSlackBytes);
    QByteArray in(kBufferBytes, Qt::Uninitialized);
    bool inData = false;
    for (;;) {
        uchar chunk[8];
        if (device.read(reinterpret_cast<char *>(chunk), 8) != 8)
            return false;
        const quint32 length = qFromBigEndian<quint32>(chunk);
        const bool idat = std::memcmp(chunk + 4, "IDAT", 4) == 0;
        if (length > 0x7FFFFFFFu || std::memcmp(chunk + 4, "IEND", 4) == 0 || (inData && !idat))
            return false;
        inData = idat;
        for (qint64 left = idat ? length : 0; left > 0;) {
            in.resize(qMin(left, kBufferBytes));
            if (device.read(in.data(), in.size()) != in.size())
                return false;
            left -= in.size();
            switch (inflater.take(in)) {
            case Inflater::State::OverLimit:
                return true;
            case Inflater::State::Ended:
                return false;
            case Inflater::State::Going:
                break;
            }
        }
        const qint64 rest = idat ? 4 : qint64(length) + 4; // the data, if not inflated, and the CRC
        if (device.skip(rest) != rest)
            return false;
    }
}

} // namespace

bool PngDataExceedsRows(QIODevice &device)
{
    const qint64 at = device.pos();
    const bool exceeds = device.seek(0) && DataExceedsRows(device);
    device.seek(at);
    return exceeds;
}

bool IconDataExceedsRows(QIODevice &device)
{
    constexpr qint64 kFirstImageOffsetAt = 6 + 12; // past the file header, in the first directory entry
    const qint64 at = device.pos();
    uchar offset[4];
    const bool exceeds = device.seek(kFirstImageOffsetAt)
                         && device.read(reinterpret_cast<char *>(offset), 4) == 4
                         && device.seek(qFromLittleEndian<quint32>(offset)) && DataExceedsRows(device);
    device.seek(at);
    return exceeds;
}

} // namespace vexlo
