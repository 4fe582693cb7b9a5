#include "windows/records/records_window.h"

#include "platform/elements.h"
#include "platform/web_link.h"
#include "platform/window_place.h"
#include "platform/window_shape.h"
#include "resources/resources.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QUrl>

namespace windows
{

namespace
{

const QString kCrLf = QStringLiteral("\r\n");

QString withoutScheme(const QString &url)
{
    const QUrl u(url);
    QString path = u.path();
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return u.host() + path;
}

} // namespace

QString aboutText()
{
    const QString secondHost = QUrl(platform::kSecondFanSite).host();
    QString text = kCrLf + kCrLf + QStringLiteral("-Created by Zantho Games\u00AE for:") + kCrLf;
    text += withoutScheme(platform::kFirstFanSite) + kCrLf;
    text += withoutScheme(platform::kSecondFanSite) + kCrLf;
    text += QStringLiteral("webmaster@") + secondHost + kCrLf + kCrLf;
    text += QStringLiteral("www.zantho-games.example.com") + kCrLf;
    text += QStringLiteral("info@zantho-games.example.com");
    return text;
}

RecordsWindow::RecordsWindow(const records::RecordsTable &records,
                             const records::RecordsPlace &place)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Zantho Puzzle +1"));
    setWindowIcon(resources::pixmap(resources::name::windowIcon));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(platform::twipsToPixels(6015), platform::twipsToPixels(4545));

    auto *background = new platform::Picture(this, QStringLiteral("Image1"), -30, -15, 6060, 4590);
    background->setPicture(resources::pixmap(resources::name::recordsBackground));

    const QColor yellow(255, 255, 0), green(0, 255, 0), darkGreen(0, 192, 0), blue(16, 64, 200),
        teal(0, 192, 192), cyan(0, 255, 255);

    field(QStringLiteral("Label2"), 720, 240, 4575, aboutText(), QColor(255, 255, 192), true)
        ->setTwips(720, 240, 4575, 1935);

    if (!place.reason.isEmpty())
        showPlace(place);

    field(QStringLiteral("Label3"), 960, 2280, 735, QStringLiteral("Records:"), yellow, false);
    field(QStringLiteral("Label4"), 2227, 2400, 615, QStringLiteral("Name:"), green, false);
    field(QStringLiteral("Label5"), 4027, 2400, 615, QStringLiteral("Clicks:"), green, false);
    field(QStringLiteral("Label6"), 4867, 2400, 495, QStringLiteral("Time:"), green, false);

    // One row: name, clicks and time of one record game.
    const auto row = [this](const QString &prefix, int n, float top,
                            const records::StoredRecord &record, const QColor &colour) {
        const QString k = QString::number(n);
        field(prefix + QStringLiteral("Name") + k, 2227, top, 1695, record.name, colour, false);
        field(prefix + QStringLiteral("Clicks") + k, 4027, top, 615,
              records::shownClicks(record.clicks), colour, true);
        field(prefix + QStringLiteral("Time") + k, 4747, top, 615,
              records::formatStoredTime(record.seconds), colour, true);
    };

    field(QStringLiteral("Label23"), 480, 2775, 735, QStringLiteral("Normal:"), blue, false);
    field(QStringLiteral("Label7"), 1200, 2640, 585, QStringLiteral("Clicks:"), darkGreen, false)
        ->setTwips(1200, 2640, 585, 195);
    field(QStringLiteral("Label8"), 1320, 2880, 480, QStringLiteral("Time:"), darkGreen, false)
        ->setTwips(1320, 2880, 480, 195);
    row(QStringLiteral("E"), 1, 2640, records.normal.fewestClicks, teal);
    row(QStringLiteral("E"), 2, 2880, records.normal.shortestTime, teal);

    field(QStringLiteral("Label24"), 480, 3360, 495, QStringLiteral("Hard:"), blue, false);
    field(QStringLiteral("Label22"), 1200, 3240, 585, QStringLiteral("Clicks:"), green, false)
        ->setTwips(1200, 3240, 585, 195);
    field(QStringLiteral("Label21"), 1320, 3480, 480, QStringLiteral("Time:"), green, false)
        ->setTwips(1320, 3480, 480, 195);
    row(QStringLiteral("H"), 1, 3240, records.hard.fewestClicks, cyan);
    row(QStringLiteral("H"), 2, 3480, records.hard.shortestTime, cyan);

    auto *close = platform::makeCloseLabel(this, QStringLiteral("Label1"), 2520, 3600);
    connect(close, &platform::Label::clicked, this, &RecordsWindow::closeRequested);

    const QImage skin = resources::image(resources::name::recordsSkin);
    m_problem = platform::skinProblem(skin, resources::name::recordsSkin);
    m_shape.apply(skin);
    m_skin = platform::SkinPixmap(resources::name::recordsSkin);
    platform::centreOnScreen(this);
}

void RecordsWindow::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous()) {
        event->ignore();
        Q_EMIT closeRequested();
        return;
    }
    event->accept();
}

void RecordsWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        Q_EMIT closeRequested();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void RecordsWindow::showPlace(const records::RecordsPlace &place)
{
    // In the about text's two empty first lines, between the panel's corner ornaments, so
    // that no element moves: why, and where, the path cut in its middle when it is too long.
    auto *line =
        field(QStringLiteral("LbRecordsPlace"), 1110, 255, 3795, {}, QColor(255, 255, 192), true);
    line->setTwips(1110, 255, 3795, 390);
    line->setFontSpec(QStringLiteral("MS Sans Serif"), 7.5, false);
    const QFontMetrics metrics(line->font());
    const int width = line->width() - 4;
    const QString second = place.file.isEmpty() ? place.reason : place.file;
    line->setCaption((place.file.isEmpty()
                          ? QStringLiteral("The records of this run cannot be saved:")
                          : QStringLiteral("The records of this run (%1):").arg(place.reason)) +
                     u'\n' + metrics.elidedText(second, Qt::ElideMiddle, width));
}

platform::Label *RecordsWindow::field(const QString &name, float left, float top, float width,
                                      const QString &caption, const QColor &color, bool centred)
{
    auto *label = new platform::Label(this, name, left, top, width, 255, caption);
    label->setFontSpec(QStringLiteral("MS Sans Serif"), 8.25, true);
    label->setForeColor(color);
    if (centred)
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

void RecordsWindow::paintEvent(QPaintEvent *)
{
    // The skin is the window's own picture, under every element.
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_skin);
}

} // namespace windows
