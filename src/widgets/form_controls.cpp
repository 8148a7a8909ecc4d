#include "widgets/form_controls.h"

#include <QColor>
#include <QFrame>
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

QFrame *FilledArea(QWidget *parent, QRect geometry, const QColor &colour)
{
    auto *area = new QFrame(parent);
    area->setGeometry(geometry);
    FillBackground(*area, colour);
    return area;
}

} // namespace vexlo
