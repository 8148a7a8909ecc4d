#pragma once

#include "common/sheet_limits.h"

#include <QImage>
#include <QString>

namespace vexlo {

// A sheet's height in tiles as the resize prompt shows it: the height in
// pixels / 32 as a single-precision number, in its shortest plain decimal
// form ("16", "2.5").
QString HeightInTilesText(int pixels);

// The question asked before a sheet of this height is written when it is
// not whole tiles high (which the load rules refuse); empty when it is.
QString PartTileHeightQuestion(int pixels);

// The resize prompt for a sheet of this height, with its line break.
QString ResizePromptText(int pixels);

// What an answer to the resize prompt asks for.
struct [[nodiscard]] HeightAnswer {
    enum class Outcome {
        Unchanged, // empty answer or Cancel: nothing happens, nothing is said
        Refused,   // `refusal` is the critical message to show
        Resize,    // make the sheet `pixels` high
    };
    Outcome outcome = Outcome::Unchanged;
    int pixels = 0;
    QString refusal;
};

// Reads the leading number of the answer as tiles, unrounded (2.5 tiles are
// 80 pixels), and rounds the height in pixels to the nearest whole pixel,
// at least 1. No number, 0 or less: "Invalid height."; more than
// kMaxSheetHeight pixels: refused with that limit, so nothing absurd is
// ever allocated.
HeightAnswer ReadHeightAnswer(const QString &answer);

} // namespace vexlo
