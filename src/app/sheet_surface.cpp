#include "app/sheet_surface.h"

#include "app/workspace.h"

#include <QMouseEvent>
#include <QPainter>

namespace vexlo {

SheetSurface::SheetSurface(Workspace &workspace, int pane, QWidget *parent)
    : QWidget(parent), workspace_(workspace), pane_(pane)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    followSheet();
    connect(&workspace_, &Workspace::sheetChanged, this, [this](int changed) {
        if (changed == pane_)
            followSheet();
    });
}

void SheetSurface::followSheet()
{
    const QSize size = workspace_.sheet(pane_).size();
    if (this->size() != size)
        resize(size);
    update();
}

void SheetSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), workspace_.sheet(pane_), event->rect());
}

void SheetSurface::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event->button(), event->modifiers(), event->position().toPoint());
}

void SheetSurface::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

ChipPreview::ChipPreview(Workspace &workspace, int buffer, QWidget *parent)
    : QWidget(parent), workspace_(workspace), buffer_(buffer)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&workspace_, &Workspace::chipChanged, this, [this](int changed) {
        if (changed == buffer_)
            update();
    });
}

void ChipPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, workspace_.chip(buffer_));
}

} // namespace vexlo
