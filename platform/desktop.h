#pragma once
// What the windows ask of the desktop: the platform's message boxes and the user's web
// browser. The game is handed the real one at start; a test hands it a double that answers
// by itself and remembers what it was asked.

#include <QString>
#include <QStringList>

class QWidget;

namespace platform
{

class Desktop
{
public:
    virtual ~Desktop() = default;
    // The message box with OK and Cancel, no icon; true for OK.
    virtual bool askOkCancel(QWidget *owner, const QString &text, const QString &title) = 0;
    // A message the game goes on after (a record that could not be saved).
    virtual void tell(QWidget *owner, const QString &text, const QString &title) = 0;
    // A report that the run cannot go on after (a picture that cannot be read); returns once
    // the player has seen it.
    virtual void reportFatal(const QString &message) = 0;
    // Hands the address to the user's web browser; nothing visible happens when that fails.
    virtual void openUrl(QWidget *owner, const QString &url) = 0;
    // The desktop's file dialog for picture files (through its portal where it has one):
    // the files the player chose, none when the dialog was cancelled.
    virtual QStringList choosePictures(QWidget *owner) = 0;
};

class SystemDesktop final : public Desktop
{
public:
    bool askOkCancel(QWidget *owner, const QString &text, const QString &title) override;
    void tell(QWidget *owner, const QString &text, const QString &title) override;
    void reportFatal(const QString &message) override;
    void openUrl(QWidget *owner, const QString &url) override;
    QStringList choosePictures(QWidget *owner) override;
};

// "MS Sans Serif" and "Times New Roman" are the designs' faces; map them to their metric twins.
void installFontSubstitutions();

} // namespace platform
