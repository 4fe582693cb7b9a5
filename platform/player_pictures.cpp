#include "platform/player_pictures.h"

#include "platform/pictures.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace platform
{

PlayerPictures::PlayerPictures(QString folder) : m_folder(std::move(folder)) {}

QStringList PlayerPictures::list() const
{
    if (m_folder.isEmpty())
        return {};
    QStringList filters;
    for (const QString &suffix : pictureSuffixes())
        filters << QStringLiteral("*.") + suffix;
    // Files alone: no folders, and without QDir::System no links to nowhere, FIFOs or
    // devices, whose reading could hang the menu. Hidden files stay hidden.
    QStringList names;
    for (QDirIterator it(m_folder, filters, QDir::Files); it.hasNext();)
        names << it.nextFileInfo().fileName();
    // The C locale sorts by character codes, numbers and all: English rules stand in for it.
    const QLocale locale =
        QLocale().language() == QLocale::C ? QLocale(QLocale::English) : QLocale();
    QCollator collator(locale);
    collator.setNumericMode(true); // "2.jpg" before "10.jpg", as file managers sort
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(),
              [&collator](const QString &a, const QString &b) { return collator(a, b); });
    return names;
}

PlayerPictures::Added PlayerPictures::add(const QString &source) const
{
    const QFileInfo from(source);
    const auto refused = [&source](const QString &why) {
        return Added{{},
                     QStringLiteral("The picture \"%1\" could not be added (%2).")
                         .arg(QDir::toNativeSeparators(source), why)};
    };
    if (m_folder.isEmpty())
        return refused(QStringLiteral("the game finds no folder of yours to keep it in"));
    if (!from.isFile())
        return refused(QStringLiteral("it is not a file"));
    if (!hasPictureSuffix(from.fileName()))
        return refused(QStringLiteral("the game reads pictures named *.%1")
                           .arg(pictureSuffixes().join(QStringLiteral(", *."))));
    // Refused now rather than told each time the menu shows it.
    if (const LoadedPictures header = loadPictures(source, [](QSize) { return QList<Frame>{}; });
        !header.ok())
        return {{}, header.problem};
    if (!QDir().mkpath(m_folder))
        return refused(QStringLiteral("the folder \"%1\" cannot be made").arg(m_folder));
    // A copy shown in the list, even of a file whose name begins with a dot.
    QString base = from.completeBaseName();
    while (base.startsWith(u'.'))
        base.remove(0, 1);
    if (base.isEmpty())
        base = QStringLiteral("picture");
    const QString suffix = from.suffix();
    for (int n = 1; n < 10000; ++n) {
        const QString name =
            (n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n)) + u'.' + suffix;
        const QString to = path(name);
        if (QFileInfo::exists(to) || QFileInfo(to).isSymLink())
            continue;
        QFile file(source);
        // Qt writes the copy under a temporary name and renames it when it is whole, so a
        // copy cut short never shows in the list.
        if (file.copy(to)) {
            QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadOther);
            return {name, {}};
        }
        if (QFileInfo::exists(to)) // another copy of the game took the name meanwhile
            continue;
        return refused(file.errorString());
    }
    return refused(QStringLiteral("too many pictures of that name"));
}

QString PlayerPictures::remove(const QString &name) const
{
    QFile file(path(name));
    if (file.remove() || !QFileInfo(file.fileName()).exists())
        return {};
    return QStringLiteral("The picture file \"%1\" could not be removed (%2).")
        .arg(file.fileName(), file.errorString());
}

} // namespace platform
