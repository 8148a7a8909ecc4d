#include "common/form_controls.h"

#include <QColor>
#include <QPalette>
#include <QPushButton>

namespace vexlo {

QFont SmallFont(double points)
{
    QFont font;
    font.setPointSizeF(points);
    return font;
}

QPushButton *Button(QWidget *parent, const QString &caption, QRect geometry, const QString &tip)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

void FillBackground(QWidget &widget, const QColor &colour)
{
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

} // namespace vexlo
