#pragma once

#include "common/pane_index.h"
#include <QWidget>

class QPainter;

namespace vexlo {

class Workspace;

// Shows one pane's sheet from the workspace at its natural size. The widget
// keeps no pixels of its own: the workspace's image is the sheet, and this
// surface follows its size. Pointer positions leave it as whole pixels of
// the sheet, the one drawn under the pointer at any display scale.
class SheetSurface : public QWidget {
    Q_OBJECT

public:
    SheetSurface(Workspace &workspace, PaneIndex pane, QWidget *parent);

    PaneIndex pane() const { return pane_; }

    // Starts dragging this surface. The drag itself (a nested loop until the
    // button is released) runs once the press that asked for it has been
    // handled, so a press handler called directly never blocks.
    void startDrag() { startBlockDrag({1, 1}, {0, 0}); }
    // The same for a block of tiles (columns, rows), grabbed by its tile at
    // `grabbed` (from its top left tile), which the drag image shows.
    void startBlockDrag(QSize tiles, QPoint grabbed)
    {
        dragRequested_ = true;
        dragTiles_ = tiles;
        dragGrabbed_ = grabbed;
    }
    bool dragRequested() const { return dragRequested_; }
    // Called while a drag is over this surface (dragMoved): a drop at this
    // point would do nothing, so the pointer shows that it cannot drop.
    void refuseDrop() { dropRefused_ = true; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    // A dragged sheet surface (this one or another) is over this one.
    void dragMoved(vexlo::SheetSurface *source, QPoint position, bool entering);
    void dropped(vexlo::SheetSurface *source, QPoint position);
    // A picture file dragged from another program (a file manager) was
    // dropped here. Told once the drop is over, not from within it.
    void fileDropped(const QString &path);
    // A drag started here is over, dropped or not.
    void dragEnded();
    // The sheet changed its height (and so this surface its size).
    void resizedToSheet();
    void wheelTurned(QWheelEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void followSheet();
    void runDrag();
    void paintSelection(QPainter &painter);

    Workspace &workspace_;
    int pane_;
    bool dragRequested_ = false;
    QSize dragTiles_{1, 1};
    QPoint dragGrabbed_;
    bool dropRefused_ = false;
};

// Shows one tile buffer of the workspace (a "Tile preview" box).
class BufferPreview : public QWidget {
    Q_OBJECT

public:
    BufferPreview(Workspace &workspace, int buffer, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Workspace &workspace_;
    int buffer_;
};

} // namespace vexlo
