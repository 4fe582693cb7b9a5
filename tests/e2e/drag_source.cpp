// A file manager's part in a drop, for the end-to-end run: pressed with the left button, its
// window drags the file as a file manager does (text/uri-list) while xdotool moves the pointer.
//   drag_source <file>
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

class Source : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(QApplication::arguments().value(1))});
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Source source;
    source.setWindowTitle(QStringLiteral("drag source"));
    source.setGeometry(900, 700, 120, 120);
    source.show();
    return app.exec();
}
