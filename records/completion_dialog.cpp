#include "records/completion_dialog.h"

#include "core/numeric_text.h"
#include "menu/data_tree.h"
#include "platform/elements.h"
#include "platform/music.h"
#include "platform/services.h"
#include "records/form5.h"
#include "records/records_file.h"
#include "resources/resources.h"

#include <QGuiApplication>
#include <QScreen>

namespace records
{

namespace
{

const QString kSansSerif = QStringLiteral("MS Sans Serif");

template <class T> T *gameElement(QWidget *game, const char *name)
{
    return game ? game->findChild<T *>(QLatin1String(name)) : nullptr;
}

QString captionOf(QWidget *game, const char *name)
{
    const auto *label = gameElement<platform::Label>(game, name);
    return label ? label->caption() : QString();
}

bool shown(QWidget *game, const char *name)
{
    const auto *picture = gameElement<platform::Picture>(game, name);
    return picture && !picture->isHidden();
}

void stopTimer(QWidget *game, const char *name)
{
    if (auto *timer = gameElement<platform::Timer>(game, name))
        timer->setInterval(0);
}

platform::Label *makeLabel(QWidget *parent, const QString &name, float l, float t, float w, float h,
                           const QString &caption, const QColor &color, qreal points,
                           Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = new platform::Label(parent, name, l, t, w, h, caption);
    label->setFontSpec(kSansSerif, points, true);
    label->setForeColor(color);
    label->setAlignment(alignment);
    return label;
}

} // namespace

Form5::Form5(QWidget *gameWindow)
    : QDialog(gameWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      m_game(gameWindow)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Zantho Puzzle +1"));
    setWindowIcon(resources::pixmap(resources::name::windowIcon));
    setFixedSize(platform::twipsToPixels(5370), platform::twipsToPixels(1335));
    // Shown while the background picture is not there.
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(24, 16, 64));
    setPalette(p);
    setAutoFillBackground(true);

    Image1 = new platform::Picture(this, QStringLiteral("Image1"), -480, 0, 7815, 1695);
    Image1->setPicture(resources::pixmap(resources::name::completionBackground));

    const QColor yellow(255, 255, 0);
    Label1 =
        makeLabel(this, QStringLiteral("Label1"), 120, 120, 4575, 255,
                  QStringLiteral("Puzzle completed, congratulations!!!"), QColor(0, 255, 0), 9.75);
    Label5 = makeLabel(this, QStringLiteral("Label5"), 135, 480, 600, 240, QStringLiteral("Time:"),
                       yellow, 9.75, Qt::AlignRight | Qt::AlignTop);
    LbCount = makeLabel(this, QStringLiteral("LbCount"), 720, 480, 855, 255, QStringLiteral("0"),
                        yellow, 9.75, Qt::AlignHCenter | Qt::AlignTop);
    Label4 = makeLabel(this, QStringLiteral("Label4"), 1680, 480, 855, 255,
                       QStringLiteral("Clicks:"), yellow, 9.75, Qt::AlignRight | Qt::AlignTop);
    LbClicks = makeLabel(this, QStringLiteral("LbClicks"), 2640, 480, 855, 255, QStringLiteral("0"),
                         yellow, 9.75, Qt::AlignHCenter | Qt::AlignTop);
    Label2 = makeLabel(this, QStringLiteral("Label2"), 120, 960, 1455, 255,
                       QStringLiteral("Enter your name:"), Qt::white, 8.25);
    Label2->hide();

    Text1 = new platform::TextBox(this, QStringLiteral("Text1"), 1680, 960, 1575, 285);
    Text1->setMaxLength(kMaxNameLength);
    QFont entryFont(kSansSerif);
    entryFont.setPointSizeF(8.25);
    entryFont.setBold(true);
    Text1->setFont(entryFont);
    Text1->setStyleSheet(QStringLiteral("QLineEdit { color: white; background: rgb(128, 0, 128);"
                                        " border: 1px solid rgb(200, 120, 200); padding: 0 2px;"
                                        " selection-background-color: rgb(200, 120, 200); }"));
    // A pasted line break or tab is dropped as it arrives, so the box shows what is stored.
    connect(Text1, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString clean = sanitizedName(text);
        if (clean != text) {
            const int cursor =
                Text1->cursorPosition() - static_cast<int>(text.size() - clean.size());
            Text1->setText(clean);
            Text1->setCursorPosition(std::max(0, cursor));
        }
    });
    Text1->hide();

    Label3 = platform::makeCloseLabel(this, QStringLiteral("Label3"), 3960, 360);
    connect(Label3, &platform::Label::clicked, this, &Form5::closeClicked);

    load();
}

void Form5::load()
{
    platform::music::stop();
    platform::music::close();
    stopTimer(m_game, "TimSmus");
    stopTimer(m_game, "TmHour");
}

std::optional<session::GameResult> Form5::gameResult() const
{
    const auto count = [this](const char *name) {
        return static_cast<int>(core::numericValue(captionOf(m_game, name).toStdString()));
    };
    if (!shown(m_game, "ImGPrev") && !shown(m_game, "ImEPrev"))
        return std::nullopt;
    return session::GameResult{shown(m_game, "ImGPrev") ? core::Level::Hard : core::Level::Normal,
                               count("LbSecs"), count("LbClicks")};
}

void Form5::CheckRecords()
{
    const std::optional<session::GameResult> game = gameResult();
    if (!game || !RecordsFile(data_tree::recordsFile()).beats(*game).any())
        return;
    Label2->show();
    Text1->show();
    Text1->setFocus();
}

void Form5::closeClicked()
{
    if (const std::optional<session::GameResult> game = gameResult()) {
        const SaveOutcome outcome =
            RecordsFile(data_tree::recordsFile()).save(*game, Text1->text());
        if (!outcome.saved)
            platform::services().tell(this, outcome.message, QStringLiteral("Zantho Puzzle +1"));
    }
    accept();
}

void showCompletionDialog(QWidget *gameWindow)
{
    Form5 dialog(gameWindow);
    dialog.LbCount->setCaption(captionOf(gameWindow, "LbCount"));
    dialog.LbClicks->setCaption(captionOf(gameWindow, "LbClicks"));
    dialog.CheckRecords();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
}

} // namespace records
