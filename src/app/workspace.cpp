#include "app/workspace.h"

#include "common/failure.h"
#include "common/sheet_limits.h"

namespace vexlo {

Workspace::Workspace(QObject *parent) : QObject(parent)
{
    for (Pane &pane : panes_)
        pane.sheet = blankSheet();
    for (QImage &chip : chips_) {
        chip = AllocatedImage(kTileSize, kTileSize, QImage::Format_RGB32);
        chip.fill(kChipClear);
    }
}

int Workspace::checkedIndex(int index)
{
    if (!isIndex(index))
        throw Failure::noSuchElement(index);
    return index;
}

QImage Workspace::blankSheet(int height)
{
    QImage sheet = AllocatedImage(kSheetWidth, height, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    return sheet;
}

void Workspace::setSheet(int pane, const QImage &sheet)
{
    panes_.at(checkedIndex(pane)).sheet = ConvertedImage(sheet, QImage::Format_RGB32);
    emit sheetChanged(pane);
}

void Workspace::setKeyColours(int pane, Colour transparent, Colour translucent)
{
    Pane &target = panes_.at(checkedIndex(pane));
    target.transparent = transparent;
    target.translucent = translucent;
    emit keyColoursChanged(pane);
}

void Workspace::setRecording(bool on)
{
    if (recording_ == on)
        return;
    recording_ = on;
    emit recordingChanged(on);
}

} // namespace vexlo
