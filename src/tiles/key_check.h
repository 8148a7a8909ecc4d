#pragma once

#include "common/colour.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <vector>

namespace vexlo {

// Near-key pixels: colours a step or a few off a key colour, left behind by
// a resample or a lossy save, which a game draws as fringes where the key
// would have been left out. The distance between two colours is their
// largest channel difference.
inline constexpr int kMinKeyDistance = 1;
inline constexpr int kMaxKeyDistance = 32;
inline constexpr int kDefaultKeyDistance = 8;

enum class KeyRole { Transparent = 0, Translucent = 1 };

int ColourDistance(QRgb a, QRgb b);

// The key a pixel is near (within `distance`, not exactly it), the nearer
// one when both are, the transparent one on a tie; nothing for a pixel that
// is exactly either key or near neither.
struct NearKey {
    bool near = false;
    KeyRole key = KeyRole::Transparent;
};
NearKey NearKeyOf(QRgb pixel, KeyPair keys, int distance);

struct NearKeyPixel {
    int x = 0;
    int y = 0;
    Colour colour;
    KeyRole key = KeyRole::Transparent;
};

// What a check of a sheet finds.
struct KeyCheck {
    std::array<std::int64_t, 2> pixels{}; // near-key pixels, by KeyRole
    std::array<int, 2> tiles{};           // tiles holding any, by KeyRole
    std::vector<int> marked;              // tiles holding any, row by row (index = row * 8 + column)
    std::vector<NearKeyPixel> found;      // every one, row by row, when asked for

    bool clean() const { return pixels[0] == 0 && pixels[1] == 0; }
};

enum class ListPixels { No, Yes };
KeyCheck CheckKeys(const QImage &sheet, KeyPair keys, int distance, ListPixels list = ListPixels::No);

// Every near-key pixel set to its key, in place; the number changed by KeyRole.
std::array<std::int64_t, 2> SnapToKeys(QImage &sheet, KeyPair keys, int distance);

} // namespace vexlo
