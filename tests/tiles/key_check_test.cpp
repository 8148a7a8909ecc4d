// The near-key check and snap against a plain per-pixel model of them.
#include "tiles/key_check.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

namespace vexlo {
namespace {

// The rule said plainly: near a key is within the distance in every
// channel; a key pixel itself is never near; the nearer key wins, the
// transparent one on a tie. -1 for no key.
int PlainNearKey(QRgb pixel, KeyPair keys, int distance)
{
    int best = -1, bestDistance = 1000;
    const Colour key[2] = {keys.transparent, keys.translucent};
    for (int role = 0; role < 2; ++role) {
        const QRgb k = QRgbFromColour(key[role]);
        if ((pixel & 0xFFFFFF) == (k & 0xFFFFFF))
            return -1;
        int d = 0;
        for (int shift : {0, 8, 16})
            d = std::max(d, std::abs(int((pixel >> shift) & 0xFF) - int((k >> shift) & 0xFF)));
        if (d <= distance && d < bestDistance) {
            best = role;
            bestDistance = d;
        }
    }
    return best;
}

// A sheet of colours scattered around both keys, some exactly them.
QImage SheetAroundKeys(KeyPair keys, unsigned seed)
{
    std::mt19937 random(seed);
    QImage sheet(256, 96, QImage::Format_RGB32);
    const QRgb key[2] = {QRgbFromColour(keys.transparent), QRgbFromColour(keys.translucent)};
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x) {
            const QRgb around = key[random() % 2];
            const bool exact = random() % 4 == 0;
            auto channel = [&](int shift) {
                const int value = int((around >> shift) & 0xFF);
                return exact ? value : std::clamp(value + int(random() % 81) - 40, 0, 255);
            };
            sheet.setPixel(x, y, random() % 5 == 0 ? qRgb(x, y, 77) : qRgb(channel(16), channel(8), channel(0)));
        }
    return sheet;
}

TEST(KeyCheck, CheckAndSnapDoWhatThePlainRuleSaysForEveryPixel)
{
    const struct {
        KeyPair keys;
        int distance;
    } cases[] = {
        {{Colour(0xFF00FF), Colour(0x800080)}, 8},  {{Colour(0xFF00FF), Colour(0x800080)}, 1},
        {{Colour(0xFF00FF), Colour(0x800080)}, 32}, {{kBlack, kBlack}, 8},
        {{Colour(0x101010), Colour(0x141414)}, 4}, // keys near each other: ties and the nearer one
        {{kWhite, Colour(0x808000)}, 16},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.distance);
        const QImage sheet = SheetAroundKeys(c.keys, unsigned(c.distance) + c.keys.translucent.value());
        std::array<std::int64_t, 2> pixels{};
        std::array<std::set<int>, 2> tiles;
        std::set<int> marked;
        QImage snapped = sheet;
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x) {
                const int role = PlainNearKey(sheet.pixel(x, y), c.keys, c.distance);
                if (role < 0)
                    continue;
                ++pixels[role];
                tiles[role].insert(y / 32 * 8 + x / 32);
                marked.insert(y / 32 * 8 + x / 32);
                snapped.setPixel(x, y, QRgbFromColour(role == 0 ? c.keys.transparent : c.keys.translucent));
            }
        const KeyCheck check = CheckKeys(sheet, c.keys, c.distance, ListPixels::Yes);
        EXPECT_EQ(check.pixels, pixels);
        EXPECT_EQ(check.tiles, (std::array<int, 2>{int(tiles[0].size()), int(tiles[1].size())}));
        EXPECT_EQ(std::set<int>(check.marked.begin(), check.marked.end()), marked);
        EXPECT_EQ(std::int64_t(check.found.size()), pixels[0] + pixels[1]);
        for (const NearKeyPixel &found : check.found)
            EXPECT_EQ(int(found.key), PlainNearKey(sheet.pixel(found.x, found.y), c.keys, c.distance));

        QImage ours = sheet;
        EXPECT_EQ(SnapToKeys(ours, c.keys, c.distance), pixels);
        EXPECT_TRUE(test::SamePixels(ours, snapped));
        EXPECT_TRUE(CheckKeys(ours, c.keys, c.distance).clean()) << "nothing left to snap";
    }
}

} // namespace
} // namespace vexlo
