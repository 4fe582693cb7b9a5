#include "platform/user_folders.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace platform
{

namespace
{

// A relative value is to be ignored, as if it were unset.
QString absoluteOrEmpty(const QString &path)
{
    return QDir::isAbsolutePath(path) ? QDir::cleanPath(path) : QString();
}

QString below(const QString &folder, const QString &relative)
{
    return folder.isEmpty() ? QString() : folder + u'/' + relative;
}

QString homeOfPasswordDatabase()
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
    passwd entry{};
    passwd *found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir)
        return {};
    return QFile::decodeName(found->pw_dir);
}

} // namespace

QString UserFolders::gameData() const
{
    return below(dataHome, QStringLiteral("zantho-puzzle"));
}

QString UserFolders::gameConfig() const
{
    return below(configHome, QStringLiteral("zantho-puzzle"));
}

QString UserFolders::pictures() const
{
    return below(gameData(), QStringLiteral("Pictures"));
}

UserFolders UserFolders::from(const std::function<QString(const char *)> &variable,
                              const std::function<QString()> &passwordHome)
{
    UserFolders folders;
    folders.home = absoluteOrEmpty(variable("HOME"));
    if (folders.home.isEmpty())
        folders.home = absoluteOrEmpty(passwordHome());
    folders.dataHome = absoluteOrEmpty(variable("XDG_DATA_HOME"));
    if (folders.dataHome.isEmpty())
        folders.dataHome = below(folders.home, QStringLiteral(".local/share"));
    folders.configHome = absoluteOrEmpty(variable("XDG_CONFIG_HOME"));
    if (folders.configHome.isEmpty())
        folders.configHome = below(folders.home, QStringLiteral(".config"));
    return folders;
}

UserFolders UserFolders::fromEnvironment()
{
    return from([](const char *name) { return qEnvironmentVariable(name); },
                homeOfPasswordDatabase);
}

} // namespace platform
