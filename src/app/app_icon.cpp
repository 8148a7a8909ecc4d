#include "app/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace vexlo {

QImage DrawAppIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);

    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, 15, 15), 2.5, 2.5);
    painter.fillPath(frame, QColor(0x2B, 0x30, 0x3A));

    // Grass, a tile in the magenta key colour, water and brick.
    const QColor tiles[4] = {QColor(0x4C, 0xAF, 0x50), QColor(0xFF, 0x00, 0xFF), QColor(0x29, 0x79, 0xD4),
                             QColor(0xD8, 0x7A, 0x3C)};
    for (int i = 0; i < 4; ++i)
        painter.fillRect(QRectF(2.5 + (i % 2) * 5.75, 2.5 + (i / 2) * 5.75, 5.25, 5.25), tiles[i]);

    // A light frame round the key-colour tile: the tile being moved.
    painter.setPen(QPen(QColor(0xF5, 0xF5, 0xF5), 0.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(8.25 - 0.15, 2.5 - 0.15, 5.55, 5.55));
    return icon;
}

} // namespace vexlo
