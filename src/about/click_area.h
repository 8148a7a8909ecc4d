#pragma once

#include <QLabel>
#include <QMouseEvent>

#include <functional>

namespace vexlo {

// A label that acts on a left click (pressed and released over it), showing
// the up-arrow pointer that marks it as clickable. Without text it is a
// transparent click area over whatever lies beneath.
class ClickArea : public QLabel {
public:
    ClickArea(const QString &text, QWidget *parent, std::function<void()> onClick)
        : QLabel(text, parent), onClick_(std::move(onClick))
    {
        setCursor(Qt::UpArrowCursor);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

} // namespace vexlo
