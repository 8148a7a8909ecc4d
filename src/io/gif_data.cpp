#include "io/gif_data.h"

#include <QIODevice>
#include <QtEndian>

#include <array>
#include <cstring>

namespace vexlo {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;
// The reader gives up on a code whose pixels it cannot hold, or a table
// whose codes lead round in a circle.
constexpr qint64 kMaxCodePixels = 2 * kTableSize;

qint64 Le16(const uchar *bytes)
{
    return qFromLittleEndian<quint16>(bytes);
}

bool ReadBytes(QIODevice &device, uchar *into, qint64 count)
{
    return device.read(reinterpret_cast<char *>(into), count) == count;
}

// The colour table that follows when the flags say so.
bool SkipColourTable(QIODevice &device, uchar flags)
{
    const qint64 bytes = (flags & 0x80) ? 3 * (2 << (flags & 0x07)) : 0;
    return device.skip(bytes) == bytes;
}

// The pixels the codes of one frame's data stand for, counted by following
// the table as the reader does, without the colours: a code in the table
// past the colours stands for its prefix code's pixels and one more, a code
// not yet in it for the pixels of the code before it and one more. Each
// code after the first adds the one before it, one pixel longer, to the
// table.
class CodeCounter {
public:
    enum class State { Going, Ended, OverLimit };

    CodeCounter(int rootBits, qint64 limit) : rootBits_(rootBits), clear_(1 << rootBits), limit_(limit) { restart(); }

    State take(const uchar *bytes, int count)
    {
        for (int i = 0; i < count; ++i) {
            held_ |= quint32(bytes[i]) << heldBits_;
            heldBits_ += 8;
            while (heldBits_ >= codeBits_) {
                const int code = int(held_ & ((1u << codeBits_) - 1));
                held_ >>= codeBits_;
                heldBits_ -= codeBits_;
                if (const State state = decode(code); state != State::Going)
                    return state;
            }
        }
        return State::Going;
    }

private:
    void restart()
    {
        codeBits_ = rootBits_ + 1;
        next_ = clear_ + 2;
    }

    State decode(int code)
    {
        if (code == clear_) {
            if (!first_)
                restart();
            first_ = true;
            return State::Going;
        }
        if (code == clear_ + 1)
            return State::Ended; // the reader reads no further codes
        qint64 pixels = 1;
        if (!first_) {
            int at = code;
            if (at >= next_) {
                ++pixels;
                at = previous_;
            }
            for (; at >= clear_ + 2; at = prefix_[at], ++pixels)
                if (at >= next_ || prefix_[at] == at || pixels >= kMaxCodePixels)
                    return State::Ended;
            if (next_ < kTableSize) {
                prefix_[next_++] = previous_;
                if (next_ >= 1 << codeBits_ && codeBits_ < kMaxCodeBits)
                    ++codeBits_;
            }
        }
        first_ = false;
        previous_ = code;
        pixels_ += pixels;
        return pixels_ > limit_ ? State::OverLimit : State::Going;
    }

    const int rootBits_;
    const int clear_;
    const qint64 limit_;
    int codeBits_ = 0;
    int next_ = 0;
    bool first_ = true;
    int previous_ = 0;
    quint32 held_ = 0;
    int heldBits_ = 0;
    qint64 pixels_ = 0;
    std::array<int, kTableSize> prefix_{};
};

// The blocks up to the first frame, then its data a sub-block at a time.
bool DataExceedsPixels(QIODevice &device)
{
    uchar screen[6 + 7]; // the signature and the screen's size and flags
    if (!ReadBytes(device, screen, sizeof screen) || std::memcmp(screen, "GIF8", 4) != 0
        || !SkipColourTable(device, screen[10]))
        return false;
    uchar introducer = 0;
    uchar label = 0;
    uchar size = 0;
    while (ReadBytes(device, &introducer, 1) && introducer == 0x21 && ReadBytes(device, &label, 1)) {
        // An extension's sub-blocks, up to an empty one; the reader takes the
        // first block of a graphic control or application extension as a
        // header, even an empty one.
        const bool header = label == 0xF9 || label == 0xFF;
        if (header && (!ReadBytes(device, &size, 1) || device.skip(size) != size))
            return false;
        while (ReadBytes(device, &size, 1) && size > 0)
            if (device.skip(size) != size)
                return false;
    }
    uchar frame[9]; // left, top, width, height, flags
    uchar rootBits = 0;
    if (introducer != 0x2C || !ReadBytes(device, frame, sizeof frame) || !SkipColourTable(device, frame[8])
        || !ReadBytes(device, &rootBits, 1) || rootBits > kMaxCodeBits)
        return false;
    const qint64 left = Le16(frame), top = Le16(frame + 2), width = Le16(frame + 4), height = Le16(frame + 6);
    // A side of the screen given as 0 is the frame's reach.
    const qint64 screenWidth = Le16(screen + 6) > 0 ? Le16(screen + 6) : left + width;
    const qint64 screenHeight = Le16(screen + 8) > 0 ? Le16(screen + 8) : top + height;
    CodeCounter codes(rootBits, qMin(width * height, screenWidth * screenHeight) + kGifDataSlackPixels);
    uchar block[255];
    while (ReadBytes(device, &size, 1) && size > 0 && ReadBytes(device, block, size)) {
        switch (codes.take(block, size)) {
        case CodeCounter::State::OverLimit:
            return true;
        case CodeCounter::State::Ended:
            return false;
        case CodeCounter::State::Going:
            break;
        }
    }
    return false;
}

} // namespace

bool GifDataExceedsPixels(QIODevice &device)
{
    const qint64 at = device.pos();
    const bool exceeds = device.seek(0) && DataExceedsPixels(device);
    device.seek(at);
    return exceeds;
}

} // namespace vexlo
