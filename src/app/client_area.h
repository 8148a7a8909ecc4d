#pragma once

#include <QPainter>
#include <QWidget>

#include <functional>

namespace vexlo {

// A window's client area that hands its paint and resize events to the
// window's own handlers.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;

    std::function<void(QPainter &)> onPaint;
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (onPaint)
            onPaint(painter);
    }
    void resizeEvent(QResizeEvent *) override
    {
        if (onResize)
            onResize();
    }
};

} // namespace vexlo
