#pragma once

#include "common/colour.h"
#include "macro/macro_list.h"
#include "settings/options.h"

#include <QImage>
#include <QObject>

#include <array>
#include <cstdint>

namespace vexlo {

// Everything a Vexlo session works on, in one place: the two panes' sheets
// with their key colours, the two tile buffers, the macro and its recording
// switch, the dropper colours and the settings. The windows show this state;
// they keep no copy of it.
class Workspace : public QObject {
    Q_OBJECT

public:
    static constexpr int kTileSize = 32;
    static constexpr int kSheetWidth = 256;
    static constexpr QRgb kChipClear = 0xFFC0C0C0; // light grey RGB(192, 192, 192)

    explicit Workspace(QObject *parent = nullptr);

    // Pane and buffer indices are 0 or 1; anything else names no element and
    // fails before anything is touched.
    static bool isIndex(int index) { return index == 0 || index == 1; }
    static int checkedIndex(int index);

    const QImage &sheet(int pane) const { return panes_.at(checkedIndex(pane)).sheet; }
    // Writable access for the tile engine and the image commands; call
    // sheetChanged afterwards so the pane is redrawn.
    QImage &sheetForWriting(int pane) { return panes_.at(checkedIndex(pane)).sheet; }
    void setSheet(int pane, const QImage &sheet);

    Colour transparentKey(int pane) const { return panes_.at(checkedIndex(pane)).transparent; }
    Colour translucentKey(int pane) const { return panes_.at(checkedIndex(pane)).translucent; }
    void setKeyColours(int pane, Colour transparent, Colour translucent);

    const QImage &chip(int buffer) const { return chips_.at(checkedIndex(buffer)); }
    QImage &chipForWriting(int buffer) { return chips_.at(checkedIndex(buffer)); }

    Colour dropperColour(int pane) const { return dropper_.at(checkedIndex(pane)); }
    void setDropperColour(int pane, Colour colour) { dropper_.at(checkedIndex(pane)) = colour; }

    MacroList &macro() { return macro_; }
    const MacroList &macro() const { return macro_; }
    bool recording() const { return recording_; }
    void setRecording(bool on);

    Options &options() { return options_; }
    const Options &options() const { return options_; }

    static QImage blankSheet(int height = kTileSize);

signals:
    void sheetChanged(int pane);
    void chipChanged(int buffer);
    void keyColoursChanged(int pane);
    void recordingChanged(bool on);

private:
    struct Pane {
        QImage sheet;
        Colour transparent = kWhite;
        Colour translucent = kWhite;
    };

    std::array<Pane, 2> panes_;
    std::array<QImage, 2> chips_;
    std::array<Colour, 2> dropper_{kBlack, kBlack};
    MacroList macro_;
    bool recording_ = false;
    Options options_;
};

} // namespace vexlo
