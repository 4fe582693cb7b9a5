#pragma once
// How the game's elements read to a screen reader. The buttons of the game are pictures and
// its links are labels without text, so by themselves a reader would find nothing to say or
// press: each clickable element is given a role, a name, and a press action that clicks it.

#include <QAccessible>
#include <QString>

class QWidget;

namespace platform
{

// A picture or label that reads as `role` (a push button, a link, a graphic) under `name`,
// with `description` (the status line's hint, where the window has one). Buttons and links
// can be pressed through the reader: the press is the element's click.
void describe(QWidget *element, QAccessible::Role role, const QString &name,
              const QString &description = {});

// An action a reader can do on an element besides pressing it (removing the picture a frame
// shows); it reaches the element's actionRequested(action) signal. Empty: none any more.
void offerAction(QWidget *element, const QString &action);

// A new name for an element described before (a tile that moved, a counter that changed).
void rename(QWidget *element, const QString &name);

} // namespace platform
