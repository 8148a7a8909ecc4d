#include "tiles/key_check.h"

#include "common/sheet_limits.h"

#include <algorithm>
#include <cstdlib>

namespace vexlo {

int ColourDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

NearKey NearKeyOf(QRgb pixel, KeyPair keys, int distance)
{
    const int toTransparent = ColourDistance(pixel, QRgbFromColour(keys.transparent));
    const int toTranslucent = ColourDistance(pixel, QRgbFromColour(keys.translucent));
    if (toTransparent == 0 || toTranslucent == 0 || std::min(toTransparent, toTranslucent) > distance)
        return {};
    return {true, toTranslucent < toTransparent ? KeyRole::Translucent : KeyRole::Transparent};
}

KeyCheck CheckKeys(const QImage &sheet, KeyPair keys, int distance, ListPixels list)
{
    const QImage source = ConvertedImage(sheet, QImage::Format_RGB32);
    const int columns = (source.width() + kTileSize - 1) / kTileSize;
    const int rows = (source.height() + kTileSize - 1) / kTileSize;
    // Per tile, which keys it has near pixels of (bit 0 transparent, bit 1 translucent).
    std::vector<uchar> tileKeys(std::size_t(columns) * std::size_t(rows), 0);
    KeyCheck check;
    for (int y = 0; y < source.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const NearKey near = NearKeyOf(line[x], keys, distance);
            if (!near.near)
                continue;
            const int role = int(near.key);
            ++check.pixels[role];
            tileKeys[std::size_t(y / kTileSize) * columns + x / kTileSize] |= uchar(1 << role);
            if (list == ListPixels::Yes)
                check.found.push_back({x, y, ColourFromQRgb(line[x]), near.key});
        }
    }
    for (std::size_t tile = 0; tile < tileKeys.size(); ++tile) {
        for (int role = 0; role < 2; ++role)
            check.tiles[role] += (tileKeys[tile] >> role) & 1;
        if (tileKeys[tile] != 0)
            check.marked.push_back(int(tile));
    }
    return check;
}

std::array<std::int64_t, 2> SnapToKeys(QImage &sheet, KeyPair keys, int distance)
{
    std::array<std::int64_t, 2> snapped{};
    if (CheckKeys(sheet, keys, distance).clean())
        return snapped; // no detach, no copy
    sheet = ConvertedImage(std::move(sheet), QImage::Format_RGB32);
    const QRgb key[2] = {QRgbFromColour(keys.transparent), QRgbFromColour(keys.translucent)};
    uchar *bits = WritableBits(sheet);
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(bits + y * sheet.bytesPerLine());
        for (int x = 0; x < sheet.width(); ++x) {
            const NearKey near = NearKeyOf(line[x], keys, distance);
            if (!near.near)
                continue;
            line[x] = key[int(near.key)];
            ++snapped[int(near.key)];
        }
    }
    return snapped;
}

} // namespace vexlo
