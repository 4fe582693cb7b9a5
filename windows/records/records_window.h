#pragma once
// The records and about window, the last window of every run: the two records of each level
// as the file held them when it opened, who made the game, and "Close", which ends the run.

#include "platform/window_shape.h"
#include "records/records_file.h"

#include <QPixmap>
#include <QWidget>

namespace platform
{
class Label;
}

namespace windows
{

// The about text, lines separated by CR LF.
QString aboutText();

class RecordsWindow : public QWidget
{
    Q_OBJECT
public:
    // place: where this run's records are kept, told on a line of its own when that is not
    // where this kind of copy keeps them.
    explicit RecordsWindow(const records::RecordsTable &records,
                           const records::RecordsPlace &place = {});

    // Why the window cannot be shown as it should (a broken skin); empty when it can.
    const QString &problem() const { return m_problem; }

Q_SIGNALS:
    void closeRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    // The window manager's close (Alt+F4) means what "Close" means.
    void closeEvent(QCloseEvent *event) override;
    // Enter and Escape mean "Close".
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showPlace(const records::RecordsPlace &place);
    platform::Label *field(const QString &name, float left, float top, float width,
                           const QString &caption, const QColor &color, bool centred);

    QString m_problem;
    platform::WindowShape m_shape{this};
    QPixmap m_skin; // painted on every expose: held, not fetched again
};

} // namespace windows
