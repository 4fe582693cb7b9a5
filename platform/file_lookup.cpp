#include "platform/file_lookup.h"

#include <QDir>
#include <QFileInfo>

namespace platform
{

QString resolveProgramPath(const QString &programDir, const QString &relative)
{
    QString path = programDir;
    const QStringList parts = relative.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    bool found = true;
    for (const QString &part : parts) {
        QString next = path + QLatin1Char('/') + part;
        if (found && !QFileInfo::exists(next)) {
            found = false;
            const QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot);
            for (const QString &name : names) {
                if (name.compare(part, Qt::CaseInsensitive) == 0) {
                    next = path + QLatin1Char('/') + name;
                    found = true;
                    break;
                }
            }
        }
        path = next;
    }
    return path;
}

} // namespace platform
