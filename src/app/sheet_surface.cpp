#include "app/sheet_surface.h"

#include "model/workspace.h"
#include "widgets/sharp_pixels.h"
#include "tiles/drag_image.h"

#include <QDrag>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace vexlo {
namespace {

// Only Vexlo's own panes understand this, so other programs refuse the drop.
const QString kTileMimeType = QStringLiteral("application/x-vexlo-tile");

// The picture file a drop from another program brings, empty for anything
// else (text, a web address, a folder). The name decides, so nothing is read
// (a FIFO would block): the load dialog reads and judges it.
QString DroppedPicture(const QMimeData &data)
{
    if (!data.hasUrls())
        return {};
    const QUrl url = data.urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    if (!type.name().startsWith(QLatin1String("image/")) || QFileInfo(path).isDir())
        return {};
    return path;
}

} // namespace

SheetSurface::SheetSurface(Workspace &workspace, PaneIndex pane, QWidget *parent)
    : QWidget(parent), workspace_(workspace), pane_(pane)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAcceptDrops(true);
    followSheet();
    connect(&workspace_, &Workspace::sheetChanged, this, [this](int changed) {
        if (changed == pane_)
            followSheet();
    });
}

void SheetSurface::followSheet()
{
    const QSize size = workspace_.sheet(pane_).size();
    update();
    if (this->size() != size) {
        resize(size);
        emit resizedToSheet();
    }
}

void SheetSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DrawSharp(painter, workspace_.sheet(pane_));
}

void SheetSurface::mousePressEvent(QMouseEvent *event)
{
    dragRequested_ = false;
    emit mousePressed(event->button(), event->modifiers(), PixelAt(*this, *event));
    if (std::exchange(dragRequested_, false))
        runDrag();
}

void SheetSurface::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->buttons(), event->modifiers(), PixelAt(*this, *event));
}

void SheetSurface::runDrag()
{
    auto *data = new QMimeData;
    data->setData(kTileMimeType, QByteArray::number(pane_));
    auto *drag = new QDrag(this); // Qt disposes of it when the drag is over
    drag->setMimeData(data);
    drag->setPixmap(QPixmap::fromImage(TileDragImage()));
    drag->setHotSpot(QPoint(Workspace::kTileSize / 2, Workspace::kTileSize / 2));
    drag->exec(Qt::CopyAction);
    emit dragEnded();
}

void SheetSurface::dragEnterEvent(QDragEnterEvent *event)
{
    auto *source = qobject_cast<SheetSurface *>(event->source());
    if (!source && !event->source() && !DroppedPicture(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    if (!source || !event->mimeData()->hasFormat(kTileMimeType))
        return; // not a tile of ours: refused
    event->acceptProposedAction();
    emit dragMoved(source, PixelAt(*this, *event), true);
}

void SheetSurface::dragMoveEvent(QDragMoveEvent *event)
{
    if (auto *source = qobject_cast<SheetSurface *>(event->source())) {
        event->acceptProposedAction();
        emit dragMoved(source, PixelAt(*this, *event), false);
    } else if (!event->source() && !DroppedPicture(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void SheetSurface::dropEvent(QDropEvent *event)
{
    if (auto *source = qobject_cast<SheetSurface *>(event->source())) {
        event->acceptProposedAction();
        emit dropped(source, PixelAt(*this, *event));
        return;
    }
    if (const QString path = DroppedPicture(*event->mimeData()); !event->source() && !path.isEmpty()) {
        event->acceptProposedAction();
        // The dialog waits for the user; the program that dragged must not.
        QMetaObject::invokeMethod(this, [this, path] { emit fileDropped(path); }, Qt::QueuedConnection);
    }
}

void SheetSurface::wheelEvent(QWheelEvent *event)
{
    emit wheelTurned(event);
    event->accept(); // the window around it has nothing to scroll
}

BufferPreview::BufferPreview(Workspace &workspace, int buffer, QWidget *parent)
    : QWidget(parent), workspace_(workspace), buffer_(buffer)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&workspace_, &Workspace::bufferChanged, this, [this](int changed) {
        if (changed == buffer_)
            update();
    });
}

void BufferPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DrawSharp(painter, workspace_.buffer(buffer_));
}

} // namespace vexlo
