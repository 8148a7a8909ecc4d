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

#include <algorithm>

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
    connect(&workspace_, &Workspace::selectionChanged, this, qOverload<>(&QWidget::update));
    connect(&workspace_, &Workspace::markedTilesChanged, this, [this](int changed) {
        if (changed == pane_)
            update();
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

void SheetSurface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    DrawSharp(painter, workspace_.sheet(pane_));
    // Tiles with near-key pixels: a frame in two colours, seen on any art.
    const int columns = Workspace::kSheetWidth / Workspace::kTileSize;
    for (const int tile : workspace_.markedTiles(pane_)) {
        const QRect box((tile % columns) * Workspace::kTileSize, (tile / columns) * Workspace::kTileSize,
                        Workspace::kTileSize, Workspace::kTileSize);
        if (!box.intersects(event->rect()))
            continue;
        painter.setPen(QPen(Qt::yellow, 1));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
        painter.drawRect(box.adjusted(1, 1, -2, -2));
    }
    paintSelection(painter);
}

void SheetSurface::paintSelection(QPainter &painter)
{
    const TileSelection &selection = workspace_.selection();
    if (selection.isEmpty() || selection.pane != pane_)
        return;
    const QRect tiles = selection.tiles;
    const QRect outline(tiles.x() * Workspace::kTileSize, tiles.y() * Workspace::kTileSize,
                        tiles.width() * Workspace::kTileSize, tiles.height() * Workspace::kTileSize);
    // Yellow and black dashes, two pixels wide inside the block's edge: unlike
    // the blue locator on any sheet.
    const QRectF line = QRectF(outline).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(line);
    QPen dashes(Qt::yellow, 2, Qt::CustomDashLine);
    dashes.setDashPattern({3, 3});
    painter.setPen(dashes);
    painter.drawRect(line);
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

void SheetSurface::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseReleased(event->button(), event->modifiers(), PixelAt(*this, *event));
}

void SheetSurface::runDrag()
{
    auto *data = new QMimeData;
    data->setData(kTileMimeType, QByteArray::number(pane_));
    auto *drag = new QDrag(this); // Qt disposes of it when the drag is over
    drag->setMimeData(data);
    constexpr int kTile = Workspace::kTileSize;
    if (dragTiles_ == QSize(1, 1)) {
        drag->setPixmap(QPixmap::fromImage(TileDragImage()));
        drag->setHotSpot(QPoint(kTile / 2, kTile / 2));
    } else {
        // A tall block shows the rows around the grabbed tile, as a pane would.
        constexpr int kShownRows = 16;
        const int firstRow = std::clamp(dragGrabbed_.y() - kShownRows / 2, 0,
                                        std::max(0, dragTiles_.height() - kShownRows));
        drag->setPixmap(QPixmap::fromImage(BlockDragImage(dragTiles_, kShownRows)));
        drag->setHotSpot(QPoint(dragGrabbed_.x() * kTile + kTile / 2, (dragGrabbed_.y() - firstRow) * kTile + kTile / 2));
    }
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
    // Accepted whatever the place, so the moves that follow are seen.
    event->acceptProposedAction();
    emit dragMoved(source, PixelAt(*this, *event), true);
}

void SheetSurface::dragMoveEvent(QDragMoveEvent *event)
{
    if (auto *source = qobject_cast<SheetSurface *>(event->source())) {
        dropRefused_ = false;
        emit dragMoved(source, PixelAt(*this, *event), false);
        if (dropRefused_)
            event->ignore();
        else
            event->acceptProposedAction();
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
