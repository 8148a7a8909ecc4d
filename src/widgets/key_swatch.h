#pragma once

#include "common/colour.h"
#include "widgets/form_controls.h"

#include <QLabel>

namespace vexlo {

// A small bordered square that shows a colour: the key-colour swatches.
class KeySwatch : public QLabel {
public:
    explicit KeySwatch(QWidget *parent) : QLabel(parent)
    {
        setFrameShape(QFrame::Box);
        setLineWidth(1);
        setColour(kWhite);
    }

    void setColour(Colour colour)
    {
        FillBackground(*this, QColorFromColour(colour));
        QPalette palette = this->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        setPalette(palette);
    }

    Colour colour() const { return ColourFromQColor(palette().color(QPalette::Window)); }
};

} // namespace vexlo
