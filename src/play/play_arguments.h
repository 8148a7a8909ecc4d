#pragma once

#include "common/colour.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace vexlo {

// What the command line of vexlo-play asks for.
struct PlayArguments {
    struct Pane {
        QString sheet;      // file to read
        QString output;     // file to write, empty for none
        Colour transparent = kBlack; // the load dialog's first preset
        Colour translucent = kBlack;
    };

    QString macro;
    std::array<Pane, 2> panes;
    QString remap; // where to write the table of where each tile came from, empty for none
    bool replaceTransparent = true; // a new installation's settings
    bool replaceTranslucent = false;
    bool alphaToKeys = false;    // the inputs' transparency read as each pane's keys
    bool keysToAlpha = false;    // the outputs' keys written as transparency (PNG only)
    std::optional<int> snapDistance; // the inputs' near-key pixels snapped first
    bool dryRun = false;         // played, nothing written, the changed tiles counted
    bool strict = false;         // a macro reaching beyond a sheet is refused

    // --jobs: the job list ("-" for standard input) and how many play at once
    // (0 for every core).
    std::optional<QString> jobs;
    int threads = 0;

    // --check-keys: no macro; the files are checked for near-key pixels.
    std::optional<int> checkDistance;
    QStringList checkFiles;
    KeyPair checkKeys{kBlack, kBlack};
    bool help = false;
    bool version = false;
};

// Reads the arguments (without the program name). Nothing, and `problem`
// set, when they are wrong.
[[nodiscard]] std::optional<PlayArguments> ParsePlayArguments(const QStringList &arguments, QString &problem);

inline constexpr int kMaxThreads = 1024;

// What an output name ends up writing, the same text for two names of one
// file (through links of any kind); empty for a device such as /dev/null,
// which any number of outputs may take.
[[nodiscard]] QString OutputIdentity(const QString &path);

// "#RRGGBB" as a colour value; nothing when the text is not one.
[[nodiscard]] std::optional<Colour> ParseHexColour(const QString &text);

QString PlayUsage();

// Why --keys-to-alpha cannot write this sheet output (no .png name), or
// the empty text.
[[nodiscard]] QString KeysToAlphaProblem(const QString &output);

} // namespace vexlo
