#pragma once
// The one way the records file changes on disk: under a lock, read again, edited, written in
// a single replacement. A record is saved whole or not at all, and two copies of the game
// never lose each other's record.

#include "records/profile_document.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace records::store
{

struct Place {
    QString path;            // the records file
    QString startFrom;       // read instead while path does not exist; may be empty
    bool makeFolder = false; // path's folder is the game's own: created when missing
};

struct Result {
    bool ok = false;
    QString reason; // why not, for the player; the caller names the file
};

// Told, on the thread that saves, that another copy holds the lock and this one waits for it.
using Waiting = std::function<void()>;

enum class Reading {
    Unlocked,           // at once: a replaced file is whole; a write in place may be under way
    AfterWritesInPlace, // after another copy's write in place, unless it takes long
};

// What the file holds (startFrom's bytes while it does not exist; nothing when neither
// can be read).
QByteArray readBytes(const Place &place, Reading reading);

// Locks the file against the other copies, reads it again and lets edit change it. When edit
// returns true the result replaces the file in one rename (its mode and, where the process
// may, its owner kept); when only the file and not its folder may be written, it is
// rewritten in place, as the classic profile functions do. edit returning false writes
// nothing and counts as done. On failure the file is as it was.
Result edit(const Place &place, const std::function<bool(profile::Document &)> &edit,
            const Waiting &waiting = {});

} // namespace records::store
