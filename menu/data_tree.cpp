#include "menu/data_tree.h"

#include "platform/file_lookup.h"
#include "platform/services.h"

namespace data_tree
{

QString programPath(const QString &relative)
{
    return platform::resolveProgramPath(platform::services().programDir, relative);
}

namespace
{
QString picture(bool normal, const QString &kind, const QString &n)
{
    return programPath(QStringLiteral("\\Data\\Images\\All\\Level\\") + levelWord(normal) +
                       QStringLiteral("\\Pic\\") + kind + QLatin1Char('\\') + n +
                       QStringLiteral(".pic"));
}
} // namespace

QString menuPreview(bool normal, const QString &n)
{
    return picture(normal, QStringLiteral("Prevw"), n);
}
QString gamePreview(bool normal, const QString &n)
{
    return picture(normal, QStringLiteral("Shw"), n);
}
QString bigPicture(bool normal, const QString &n)
{
    return picture(normal, QStringLiteral("Big"), n);
}
QString menuMusic()
{
    return programPath(QStringLiteral("\\Data\\Music\\ZnIntro.mus"));
}
QString gameMusic()
{
    return programPath(QStringLiteral("\\Data\\Music\\ZnGame.mus"));
}
QString helpPage()
{
    return programPath(QStringLiteral("\\") + QStringLiteral("data\\html\\help.html"));
}
QString recordsFile()
{
    return programPath(QStringLiteral("\\Config\\Kelset.dll"));
}

} // namespace data_tree
