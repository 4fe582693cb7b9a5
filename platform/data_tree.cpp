#include "platform/data_tree.h"

#include "platform/file_lookup.h"

namespace platform
{

DataTree::DataTree(QString programDir) : m_programDir(std::move(programDir)) {}

QString levelWord(core::Level level)
{
    return level == core::Level::Normal ? QStringLiteral("Easy") : QStringLiteral("Hard");
}

QString DataTree::path(const QString &relative) const
{
    return resolveProgramPath(m_programDir, relative);
}

namespace
{
QString pictureRule(int picture, const QString &kind)
{
    return QStringLiteral("\\Data\\Images\\All\\Level\\") +
           levelWord(core::levelOfPicture(picture)) + QStringLiteral("\\Pic\\") + kind +
           QLatin1Char('\\') + QString::number(picture) + QStringLiteral(".pic");
}
} // namespace

QString DataTree::menuPreview(int picture) const
{
    return path(pictureRule(picture, QStringLiteral("Prevw")));
}
QString DataTree::gamePreview(int picture) const
{
    return path(pictureRule(picture, QStringLiteral("Shw")));
}
QString DataTree::bigPicture(int picture) const
{
    return path(pictureRule(picture, QStringLiteral("Big")));
}
QString DataTree::menuMusic() const
{
    return path(QStringLiteral("\\Data\\Music\\ZnIntro.mus"));
}
QString DataTree::gameMusic() const
{
    return path(QStringLiteral("\\Data\\Music\\ZnGame.mus"));
}
QString DataTree::helpPage() const
{
    // The one path that spells its first folder in lower case; the lookup finds "Data".
    return path(QStringLiteral("\\") + QStringLiteral("data\\html\\help.html"));
}

} // namespace platform
