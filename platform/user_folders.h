#pragma once
// The player's own folders, by the XDG base-directory rules: where the records go when the
// program folder may not be written, where the one setting is kept and where the player's
// pictures live. One resolver for all three, so they never disagree.

#include <QString>

#include <functional>

namespace platform
{

struct UserFolders {
    // Each empty when it could not be found (no usable home, no absolute XDG_* value).
    QString home;       // $HOME, or the home of the password database when that is unset or empty
    QString dataHome;   // $XDG_DATA_HOME when absolute, else home/.local/share
    QString configHome; // $XDG_CONFIG_HOME when absolute, else home/.config

    QString gameData() const;   // dataHome/zantho-puzzle: the player's records and pictures
    QString gameConfig() const; // configHome/zantho-puzzle: the player's setting
    QString pictures() const;   // gameData()/Pictures

    // What the environment says; `variable` reads one variable (empty: unset),
    // `passwordHome` asks the password database for this user's home (only when needed).
    static UserFolders from(const std::function<QString(const char *)> &variable,
                            const std::function<QString()> &passwordHome);
    static UserFolders fromEnvironment();
};

} // namespace platform
