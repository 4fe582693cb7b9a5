#include "windows/records/completion_dialog.h"

#include "core/numeric_text.h"
#include "platform/desktop.h"
#include "platform/elements.h"
#include "platform/window_place.h"
#include "records/records_file.h"
#include "resources/resources.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QThread>
#include <QValidator>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace windows
{

namespace
{

const QString kSansSerif = QStringLiteral("MS Sans Serif");

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

// The time as the game window showed it: "0" while no second had been counted.
QString shownTime(int seconds)
{
    return seconds == 0 ? QStringLiteral("0")
                        : QString::fromStdString(core::minutesSeconds(seconds));
}

// Keeps the name box to what the records file will hold: whole characters only, none of those
// a name drops (a pasted line break), and at most the name's number of characters as the
// player sees them; what does not fit of a typed or pasted text is left out, as a full box
// leaves it. While an input method composes, nothing is rewritten: the limit waits for the
// composed text.
class NameValidator : public QValidator
{
public:
    explicit NameValidator(QLineEdit *entry) : QValidator(entry)
    {
        entry->installEventFilter(this);
    }

    State validate(QString &input, int &pos) const override
    {
        if (m_composing)
            return Acceptable;
        // What stands after the cursor was there before; what the player added ends at it,
        // so what does not fit is cut from the end of the part before the cursor.
        const QString after = records::withoutHiddenCharacters(input.mid(pos));
        const QString before =
            records::leadingCharacters(records::withoutHiddenCharacters(input.left(pos)),
                                       records::kMaxNameLength - records::characterCount(after),
                                       records::kMaxValueLength - after.size());
        input = records::sanitizedName(before + after);
        pos = static_cast<int>(std::min(before.size(), input.size()));
        return Acceptable;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::InputMethod)
            m_composing = !static_cast<QInputMethodEvent *>(event)->preeditString().isEmpty();
        return false;
    }

private:
    bool m_composing = false;
};

QString holderOf(const records::StoredRecord &record)
{
    return record.name.isEmpty() ? QStringLiteral("a player with no name") : record.name;
}

// In the game's words, for the place of the name prompt.
QString notRecordedText(const records::NotRecorded &why)
{
    switch (why.reason) {
    case records::NotRecorded::Reason::TakenMeanwhile: {
        const QString clicks = holderOf(why.holders.fewestClicks);
        const QString time = holderOf(why.holders.shortestTime);
        if (why.records.clicks && why.records.time) {
            return clicks == time
                       ? QStringLiteral("Both records went to another game meanwhile: %1 "
                                        "holds them.")
                             .arg(clicks)
                       : QStringLiteral("Both records went to other games meanwhile: %1 holds "
                                        "the clicks, %2 the time.")
                             .arg(clicks, time);
        }
        return QStringLiteral("The %1 record went to another game meanwhile: %2 holds it.")
            .arg(why.records.clicks ? QStringLiteral("clicks") : QStringLiteral("time"),
                 why.records.clicks ? clicks : time);
    }
    case records::NotRecorded::Reason::HintUsed:
        if (why.records.clicks && why.records.time)
            return QStringLiteral("A hint was used, so this game sets no record; it would have "
                                  "beaten both records.");
        return QStringLiteral("A hint was used, so this game sets no record; it would have "
                              "beaten the %1 record.")
            .arg(why.records.clicks ? QStringLiteral("clicks") : QStringLiteral("time"));
    }
    return {};
}

} // namespace

CompletionDialog::CompletionDialog(const session::GameResult &result, records::RecordsFile &records,
                                   platform::Desktop &desktop, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      m_result(result), m_records(records), m_desktop(desktop)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Zantho Puzzle +1"));
    setWindowIcon(resources::pixmap(resources::name::windowIcon));
    // One line taller for the fewest clicks, when the solver has told them.
    const bool shortest = result.shortestClicks.has_value();
    setFixedSize(platform::twipsToPixels(5370), platform::twipsToPixels(shortest ? 1695 : 1335));
    setWindowModality(Qt::ApplicationModal);

    auto *background = new platform::Picture(this, QStringLiteral("Image1"), -480, 0, 7815, 1695);
    background->setPicture(resources::pixmap(shortest ? resources::name::completionBackgroundTall
                                                      : resources::name::completionBackground));

    const QColor yellow(255, 255, 0);
    makeLabel(this, QStringLiteral("Label1"), 120, 120, 4575, 255,
              QStringLiteral("Puzzle completed, congratulations!!!"), QColor(0, 255, 0), 9.75);
    makeLabel(this, QStringLiteral("Label5"), 135, 480, 600, 240, QStringLiteral("Time:"), yellow,
              9.75, Qt::AlignRight | Qt::AlignTop);
    makeLabel(this, QStringLiteral("LbCount"), 720, 480, 855, 255, shownTime(result.seconds),
              yellow, 9.75, Qt::AlignHCenter | Qt::AlignTop);
    makeLabel(this, QStringLiteral("Label4"), 1680, 480, 855, 255, QStringLiteral("Clicks:"),
              yellow, 9.75, Qt::AlignRight | Qt::AlignTop);
    makeLabel(this, QStringLiteral("LbClicks"), 2640, 480, 855, 255, QString::number(result.clicks),
              yellow, 9.75, Qt::AlignHCenter | Qt::AlignTop);
    if (shortest)
        showShortest(*result.shortestClicks);
    m_namePrompt = makeLabel(this, QStringLiteral("Label2"), 120, 960, 1455, 255,
                             QStringLiteral("Enter your name:"), Qt::white, 8.25);
    m_namePrompt->hide();

    m_nameEntry = new platform::TextBox(this, QStringLiteral("Text1"), 1680, 960, 1575, 285);
    m_nameEntry->setValidator(new NameValidator(m_nameEntry));
    m_nameEntry->setAccessibleName(QStringLiteral("Enter your name:"));
    QFont entryFont(kSansSerif);
    entryFont.setPointSizeF(8.25);
    entryFont.setBold(true);
    m_nameEntry->setFont(entryFont);
    m_nameEntry->setStyleSheet(
        QStringLiteral("QLineEdit { color: white; background: rgb(128, 0, 128);"
                       " border: 1px solid rgb(200, 120, 200); padding: 0 2px;"
                       " selection-background-color: rgb(200, 120, 200); }"));
    // Enter in the name box goes on to the dialog, where it is "Close" (keyPressEvent).
    m_nameEntry->hide();

    // Where the prompt stood, with room for a second line: what became of a promised record,
    // or that the save waits.
    m_note = makeLabel(this, QStringLiteral("LbNote"), 120, 870, 5130, 435, {}, Qt::white, 8.25,
                       Qt::AlignLeft | Qt::AlignVCenter);
    m_note->setWordWrap(true);
    m_note->hide();

    auto *close = platform::makeCloseLabel(this, QStringLiteral("Label3"), 3960, 360);
    connect(close, &platform::Label::clicked, this, &CompletionDialog::saveAndClose);

    checkRecords();
    platform::centreOnScreen(this);
}

CompletionDialog::~CompletionDialog()
{
    if (m_saver)
        m_saver->wait();
}

void CompletionDialog::showShortest(int clicks)
{
    // "Shortest possible:" under "Clicks:", its number under the player's, the word after it.
    const QColor yellow(255, 255, 0);
    const QString number = QString::number(clicks);
    makeLabel(this, QStringLiteral("Label6"), 120, 1320, 2415, 255,
              QStringLiteral("Shortest possible:"), yellow, 9.75, Qt::AlignRight | Qt::AlignTop);
    platform::Label *count = makeLabel(this, QStringLiteral("LbShortest"), 2640, 1320, 855, 255,
                                       number, yellow, 9.75, Qt::AlignHCenter | Qt::AlignTop);
    const QFontMetricsF metrics(count->font());
    const qreal after = (metrics.horizontalAdvance(number) / 2 + metrics.horizontalAdvance(u' ')) *
                        platform::kTwipsPerPixel;
    const float left = 2640 + 855 / 2.0f + static_cast<float>(std::round(after));
    makeLabel(this, QStringLiteral("Label7"), left, 1320, 5370 - 120 - left, 255,
              clicks == 1 ? QStringLiteral("click") : QStringLiteral("clicks"), yellow, 9.75);
}

void CompletionDialog::checkRecords()
{
    // The prompt is shown exactly when "Close" will write, unless another copy of the game
    // saves as good a result before. A game with a hint writes nothing: where it would have
    // set a record, the prompt's place says why it does not.
    m_promised = m_records.beats(m_result);
    if (!m_promised.any())
        return;
    if (m_result.hintUsed) {
        showNotRecorded({records::NotRecorded::Reason::HintUsed, m_promised, {}});
        return;
    }
    m_namePrompt->show();
    m_nameEntry->show();
    m_nameEntry->setFocus();
}

void CompletionDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        saveAndClose();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CompletionDialog::closeEvent(QCloseEvent *event)
{
    // Not the window manager's close but the desktop closing every window: the run ends.
    if (!event->spontaneous()) {
        saveAtEndOfRun();
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}

void CompletionDialog::saveAndClose()
{
    switch (m_stage) {
    case Stage::Open:
        break;
    case Stage::Saving:
    case Stage::Closed:
        return;
    case Stage::Told:
        m_stage = Stage::Closed;
        accept();
        return;
    }
    startSave();
    // A save is part of the click, as it always was, unless it waits for another copy of the
    // game: then the dialog lives on and says so until the save has ended.
    m_savedOrWaiting.acquire();
    if (!m_waitingForLock)
        saved();
}

void CompletionDialog::saveAtEndOfRun()
{
    if (m_stage == Stage::Open)
        startSave();
    // Nobody is left to read a message box: a record that could not be saved is told on
    // stderr.
    if (m_stage == Stage::Saving && m_saver->wait() && !m_outcome.saved) {
        std::fprintf(stderr, "%s\n", qPrintable(m_outcome.message));
        std::fflush(stderr);
    }
    m_stage = Stage::Closed;
    accept();
}

void CompletionDialog::startSave()
{
    m_stage = Stage::Saving;
    m_saver.reset(QThread::create([this, name = m_nameEntry->text()] {
        m_outcome = m_records.save(m_result, name, m_promised, [this] {
            m_waitingForLock = true;
            m_savedOrWaiting.release();
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_stage == Stage::Saving)
                        showNote(QStringLiteral("Waiting for another copy of the game to "
                                                "save its record..."));
                },
                Qt::QueuedConnection);
        });
        m_savedOrWaiting.release();
    }));
    connect(m_saver.get(), &QThread::finished, this, &CompletionDialog::saved);
    m_saver->start();
}

void CompletionDialog::saved()
{
    if (m_stage != Stage::Saving)
        return;
    m_saver->wait();
    if (!m_outcome.saved) {
        m_stage = Stage::Closed;
        m_desktop.tell(this, m_outcome.message, QStringLiteral("Zantho Puzzle +1"));
        accept();
        return;
    }
    if (m_outcome.notRecorded) {
        showNotRecorded(*m_outcome.notRecorded);
        return;
    }
    m_stage = Stage::Closed;
    accept();
}

void CompletionDialog::showNotRecorded(const records::NotRecorded &why)
{
    m_stage = Stage::Told;
    showNote(notRecordedText(why));
}

void CompletionDialog::showNote(const QString &text)
{
    m_namePrompt->hide();
    m_nameEntry->hide();
    m_note->setCaption(text);
    m_note->show();
    setFocus();
}

} // namespace windows
