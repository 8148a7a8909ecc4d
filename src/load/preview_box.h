#pragma once

#include "widgets/sharp_pixels.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

#include <functional>

namespace vexlo {

// A borderless picture box that shows an image owned elsewhere at its
// natural size and hands mouse presses to its owner.
class PreviewBox : public QWidget {
public:
    PreviewBox(const QImage &image, QWidget *parent) : QWidget(parent), image_(image)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    std::function<void(QMouseEvent *)> onMousePress;
    std::function<void(QWheelEvent *)> onWheel;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::black);
        DrawSharp(painter, image_);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (onMousePress)
            onMousePress(event);
    }
    void wheelEvent(QWheelEvent *event) override
    {
        if (onWheel)
            onWheel(event);
        event->accept();
    }

private:
    const QImage &image_;
};

} // namespace vexlo
