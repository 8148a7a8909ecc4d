#include "imageops/sheet_height.h"

#include "common/failure.h"
#include "common/lenient_number.h"
#include "model/workspace.h"

#include <algorithm>
#include <charconv>

namespace vexlo {

QString HeightInTilesText(int pixels)
{
    const float tiles = float(pixels) / float(Workspace::kTileSize);
    char text[64];
    // Fixed notation without a precision: the fewest digits that read back
    // as the same single-precision number.
    const auto written = std::to_chars(std::begin(text), std::end(text), tiles, std::chars_format::fixed);
    return QString::fromLatin1(text, written.ptr - text);
}

QString PartTileHeightQuestion(int pixels)
{
    if (pixels % Workspace::kTileSize == 0)
        return {};
    return QStringLiteral("The sheet is %1 tiles high. Vexlo can load back only whole tiles. Save it anyway?")
        .arg(HeightInTilesText(pixels));
}

QString ResizePromptText(int pixels)
{
    return QStringLiteral("Enter new image height in number of tiles.\r\nCurrent height is: ")
           + HeightInTilesText(pixels);
}

HeightAnswer ReadHeightAnswer(const QString &answer)
{
    if (answer.isEmpty())
        return {};
    const double tiles = LenientNumber(answer);
    if (!(tiles > 0))
        return {HeightAnswer::Outcome::Refused, 0, QStringLiteral("Invalid height.")};
    const double pixels = std::max(1.0, RoundHalfEven(tiles * Workspace::kTileSize));
    if (pixels > kMaxSheetHeight)
        return {HeightAnswer::Outcome::Refused, 0,
                QStringLiteral("Height too large. A sheet can be at most %1 tiles (%2 pixels) high.")
                    .arg(kMaxSheetHeight / Workspace::kTileSize)
                    .arg(kMaxSheetHeight)};
    return {HeightAnswer::Outcome::Resize, int(pixels), {}};
}

} // namespace vexlo
