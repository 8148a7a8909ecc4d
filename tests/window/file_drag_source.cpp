// A file manager's part in the drop check: a window that, pressed, drags the
// files named on its command line as a text/uri-list.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

class DragSource : public QWidget {
protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        for (const QString &file : QApplication::arguments().mid(1))
            data->setUrls(data->urls() << QUrl::fromLocalFile(file));
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DragSource source;
    source.setWindowTitle(QStringLiteral("File drag source"));
    source.setGeometry(900, 40, 120, 120); // clear of the centred main window
    source.show();
    return app.exec();
}
