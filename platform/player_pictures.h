#pragma once
// The player's own pictures: a folder of the game's copies of files the player chose. The
// folder is listed, never its pictures read, so that a thousand of them cost the menu nothing.

#include <QString>
#include <QStringList>

namespace platform
{

class PlayerPictures
{
public:
    explicit PlayerPictures(QString folder); // empty: the player has no folder
    const QString &folder() const { return m_folder; }

    // The file names of the folder's pictures, in the order a file manager shows them:
    // regular, not hidden, with a picture format's suffix.
    QStringList list() const;
    QString path(const QString &name) const { return m_folder + u'/' + name; }

    // Copies the player's file into the folder, under its own name or, when that is taken,
    // "name (2).jpg" and so on; the player's file is only read. The name of the copy, or
    // the problem for the player, naming the file.
    struct Added {
        QString name;
        QString problem;
    };
    Added add(const QString &source) const;

    // Removes the game's copy. The problem, naming the file; empty once it is gone.
    QString remove(const QString &name) const;

private:
    QString m_folder;
};

} // namespace platform
