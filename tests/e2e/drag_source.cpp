// A file manager's part in a drop, for the end-to-end run: a window that, pressed with the
// left button, drags the given file as a file manager does (text/uri-list), while xdotool
// moves the pointer onto the game. Prints "dropped" or "not dropped" when the drag ends.
//   drag_source <file>
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace
{
class Source : public QWidget
{
public:
    explicit Source(QString file) : m_file(std::move(file)) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(m_file)});
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction done = drag->exec(Qt::CopyAction);
        std::printf(done == Qt::CopyAction ? "dropped\n" : "not dropped\n");
        std::fflush(stdout);
    }

private:
    QString m_file;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    Source source(QString::fromLocal8Bit(argv[1]));
    source.setWindowTitle(QStringLiteral("drag source"));
    source.setGeometry(900, 700, 120, 120);
    source.show();
    return app.exec();
}
