// A stand-in for a file manager in the real-window checks: a small window
// that, pressed, drags the files named on its command line as a file
// manager does (a text/uri-list).
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> files) : files_(std::move(files))
    {
        setWindowTitle(QStringLiteral("File drag source"));
        resize(120, 120);
    }

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        data->setUrls(files_);
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> files_;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QList<QUrl> files;
    for (const QString &file : QApplication::arguments().mid(1))
        files << QUrl::fromLocalFile(file);
    DragSource source(files);
    source.move(900, 40); // clear of the centred main window
    source.show();
    return app.exec();
}
