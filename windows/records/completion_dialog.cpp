#include "windows/records/completion_dialog.h"

#include "core/numeric_text.h"
#include "platform/desktop.h"
#include "platform/elements.h"
#include "platform/window_place.h"
#include "records/records_file.h"
#include "resources/resources.h"

#include <QKeyEvent>

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

} // namespace

CompletionDialog::CompletionDialog(const session::GameResult &result, records::RecordsFile &records,
                                   platform::Desktop &desktop, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint),
      m_result(result), m_records(records), m_desktop(desktop)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Zantho Puzzle +1"));
    setWindowIcon(resources::pixmap(resources::name::windowIcon));
    setFixedSize(platform::twipsToPixels(5370), platform::twipsToPixels(1335));
    setWindowModality(Qt::ApplicationModal);

    auto *background = new platform::Picture(this, QStringLiteral("Image1"), -480, 0, 7815, 1695);
    background->setPicture(resources::pixmap(resources::name::completionBackground));

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
    m_namePrompt = makeLabel(this, QStringLiteral("Label2"), 120, 960, 1455, 255,
                             QStringLiteral("Enter your name:"), Qt::white, 8.25);
    m_namePrompt->hide();

    m_nameEntry = new platform::TextBox(this, QStringLiteral("Text1"), 1680, 960, 1575, 285);
    m_nameEntry->setMaxLength(records::kMaxNameLength);
    m_nameEntry->setAccessibleName(QStringLiteral("Enter your name:"));
    QFont entryFont(kSansSerif);
    entryFont.setPointSizeF(8.25);
    entryFont.setBold(true);
    m_nameEntry->setFont(entryFont);
    m_nameEntry->setStyleSheet(
        QStringLiteral("QLineEdit { color: white; background: rgb(128, 0, 128);"
                       " border: 1px solid rgb(200, 120, 200); padding: 0 2px;"
                       " selection-background-color: rgb(200, 120, 200); }"));
    // A pasted line break or tab is dropped as it arrives, so the box shows what is stored.
    connect(m_nameEntry, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString clean = records::sanitizedName(text);
        if (clean != text) {
            const int cursor =
                m_nameEntry->cursorPosition() - static_cast<int>(text.size() - clean.size());
            m_nameEntry->setText(clean);
            m_nameEntry->setCursorPosition(std::max(0, cursor));
        }
    });
    // Enter in the name box is "Close", with the name as typed.
    connect(m_nameEntry, &QLineEdit::returnPressed, this, &CompletionDialog::saveAndClose);
    m_nameEntry->hide();

    auto *close = platform::makeCloseLabel(this, QStringLiteral("Label3"), 3960, 360);
    connect(close, &platform::Label::clicked, this, &CompletionDialog::saveAndClose);

    checkRecords();
    platform::centreOnScreen(this);
}

void CompletionDialog::checkRecords()
{
    // The prompt is shown exactly when "Close" will write.
    if (!m_records.beats(m_result).any())
        return;
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

void CompletionDialog::saveAndClose()
{
    if (m_saved)
        return;
    m_saved = true;
    const records::SaveOutcome outcome = m_records.save(m_result, m_nameEntry->text());
    if (!outcome.saved)
        m_desktop.tell(this, outcome.message, QStringLiteral("Zantho Puzzle +1"));
    accept();
}

} // namespace windows
