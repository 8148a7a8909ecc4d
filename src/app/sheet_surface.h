#pragma once

#include <QWidget>

namespace vexlo {

class Workspace;

// Shows one pane's sheet from the workspace at its natural size. The widget
// keeps no pixels of its own: the workspace's image is the sheet, and this
// surface follows its size.
class SheetSurface : public QWidget {
    Q_OBJECT

public:
    SheetSurface(Workspace &workspace, int pane, QWidget *parent);

    int pane() const { return pane_; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void followSheet();

    Workspace &workspace_;
    int pane_;
};

// Shows one tile buffer of the workspace (a "Tile preview" box).
class ChipPreview : public QWidget {
    Q_OBJECT

public:
    ChipPreview(Workspace &workspace, int buffer, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Workspace &workspace_;
    int buffer_;
};

} // namespace vexlo
