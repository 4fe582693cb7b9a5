#include "records/records_file.h"

#include "core/numeric_text.h"
#include "records/profile_text.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace records
{

QString ReadSetting(const QString &file, const QString &section, const QString &key)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = f.readAll();
    return profile::valueIn(text, section.toUtf8(), key.toUtf8())
        .value_or(QString())
        .left(kMaxValueLength);
}

bool WriteSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value)
{
    QByteArray old;
    {
        QFile f(file);
        if (f.exists()) {
            // A file that is there but cannot be read must not be replaced by one that
            // holds only this value.
            if (!f.open(QIODevice::ReadOnly))
                return false;
            old = f.readAll();
            if (f.error() != QFileDevice::NoError)
                return false;
        }
    }
    const QByteArray text = profile::withValue(old, section.toUtf8(), key.toUtf8(), value.toUtf8());
    if (text == old && QFile::exists(file))
        return true;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(text) != text.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QString FormatSeconds(long long seconds)
{
    return QString::fromStdString(core::minutesSeconds(seconds));
}

QString formatStoredTime(const QString &stored)
{
    // nearbyint rounds halves to the even neighbour in the default rounding mode. Hand-edited
    // values far beyond any game clock are held at the limits instead of overflowing.
    const double rounded = std::nearbyint(core::numericValue(stored.toStdString()));
    constexpr double limit = static_cast<double>(std::numeric_limits<int>::max());
    const double held = std::isnan(rounded) ? 0.0 : std::clamp(rounded, -limit, limit);
    return FormatSeconds(static_cast<long long>(held));
}

QString sanitizedName(const QString &typed)
{
    QString name;
    name.reserve(typed.size());
    for (const QChar c : typed) {
        const auto category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            continue;
        name.append(c);
    }
    // Never cut a character in half.
    if (name.size() > kMaxNameLength) {
        qsizetype cut = kMaxNameLength;
        if (name.at(cut - 1).isHighSurrogate())
            --cut;
        name.truncate(cut);
    }
    return name;
}

} // namespace records
