#pragma once

#include <QMouseEvent>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <QTransform>
#include <QWidget>

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

// The picture pixel under a position in the widget's own coordinates.
inline QPoint PixelAt(QPointF position)
{
    return QPoint(int(std::floor(position.x())), int(std::floor(position.y())));
}

// The picture pixel that DrawSharp put under the pointer, at `local` in the
// widget and `inWindow` in its window. At a scale other than 1 a mouse
// event's widget-relative position carries the rounding of the window's own
// place on the screen (a third of a pixel at 150 %); the window-relative one
// is exact: the device pixel over the scale.
inline QPoint PixelAt(const QWidget &widget, QPointF local, QPointF inWindow)
{
    const double scale = widget.devicePixelRatioF();
    if (scale == 1)
        return PixelAt(local);
    const QPointF start = QPointF(widget.mapTo(widget.window(), QPoint(0, 0))) * scale;
    const auto axis = [scale](double at, double origin) {
        const double device = std::round(at * scale) - std::round(origin);
        return int(std::floor(device / scale + 1e-9));
    };
    return QPoint(axis(inWindow.x(), start.x()), axis(inWindow.y(), start.y()));
}

inline QPoint PixelAt(const QWidget &widget, const QSinglePointEvent &event)
{
    return PixelAt(widget, event.position(), event.scenePosition());
}

// A drag's position is taken from the window's, exact already.
inline QPoint PixelAt(const QWidget &widget, const QDropEvent &event)
{
    return PixelAt(widget, event.position(), event.position() + QPointF(widget.mapTo(widget.window(), QPoint(0, 0))));
}

} // namespace vexlo
