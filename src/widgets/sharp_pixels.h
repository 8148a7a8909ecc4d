#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <QTransform>

#include <cmath>

namespace vexlo {

// Sheets are drawn with every pixel a sharp block at any display scale
// (QT_SCALE_FACTOR, a desktop at 150 %): nearest neighbour, never smoothed,
// the whole picture in one piece from a whole device pixel, so no part drawn
// later lands half a device pixel off another (no seams between tiles).
inline void DrawSharp(QPainter &painter, const QImage &image)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QTransform device = painter.deviceTransform();
    const double dx = std::round(device.dx()) - device.dx();
    const double dy = std::round(device.dy()) - device.dy();
    painter.drawImage(QPointF(dx / device.m11(), dy / device.m22()), image);
}

// The picture pixel drawn under a pointer position (in the widget's own
// coordinates, which a scaled display gives in fractions): whole pixels at
// scale 1, the same that DrawSharp puts under that device pixel otherwise.
inline QPoint PixelAt(QPointF position)
{
    return QPoint(int(std::floor(position.x())), int(std::floor(position.y())));
}

} // namespace vexlo
