#pragma once

#include "common/colour.h"
#include "io/sheet_file.h"

#include <QImage>
#include <QString>

namespace vexlo {

// One key colour being chosen in the load dialog: chosen or not, and the
// colour its swatch holds (kept while not chosen, as the swatch keeps it).
struct KeyChoice {
    Colour colour = kWhite;
    bool chosen = false;
};

inline constexpr Colour kPresetTeal{0x808000};   // red 0, green 128, blue 128
inline constexpr Colour kPresetPurple{0x800080}; // red 128, green 0, blue 128

// A preset button press: black first, and the alternate colour when the key
// colour already is a chosen black.
KeyChoice NextPreset(KeyChoice current, Colour alternate);

// What the load dialog shows and keeps between uses: the file chosen last
// (or why it was refused), the accepted sheet in the preview, and the two
// key colours. The dialog's controls display this; its handlers change it.
class LoadSelection {
public:
    // A file chosen in the file list: both key colours become not chosen,
    // and the file is read and checked as a sheet.
    void chooseFile(const QString &folder, const QString &name);
    // A mouse button (1 left, 2 right, 4 middle) pressed on the preview at a
    // point of the sheet: left picks the transparent colour, right the
    // translucent one; the point is in sheet pixels, whatever the scrolling.
    void pick(int button, int x, int y);
    // Preset button 0 sets the transparent colour, any other the translucent one.
    void preset(int member);
    // Why Load cannot end the use yet, as the warning shown; empty when it can.
    QString loadRefusal() const;
    // Whether the picture's transparency shows (and loads) as the two key
    // colours being chosen; see SheetFile::sheetWithKeys.
    void setAlphaToKeys(bool on);
    bool alphaToKeys() const { return alphaToKeys_; }
    // Whether the accepted picture has transparency to take as keys.
    bool hasTransparency() const { return file_.hasTransparency(); }

    const QString &fileName() const { return fileName_; }
    // The accepted sheet, full sheet width, with its transparency as the
    // keys when that is asked for; null while no sheet is accepted.
    const QImage &preview() const { return preview_; }
    bool previewShown() const { return !preview_.isNull(); }
    bool loadEnabled() const { return loadEnabled_; }
    const KeyChoice &transparent() const { return transparent_; }
    const KeyChoice &translucent() const { return translucent_; }

private:
    void showTransparency();

    QString fileName_;
    SheetFile file_;
    bool alphaToKeys_ = false;
    QImage preview_;
    bool loadEnabled_ = true; // before the first file of a run, Load is enabled
    KeyChoice transparent_;
    KeyChoice translucent_;
};

} // namespace vexlo
