#include "records/player_name.h"

#include <QTextBoundaryFinder>

namespace records
{

namespace
{

bool isHidden(char32_t c)
{
    if ((c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
        return true; // embeddings, overrides and isolates
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

} // namespace

QString withoutHiddenCharacters(const QString &typed)
{
    QString name;
    name.reserve(typed.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed.at(i);
        if (c.isHighSurrogate() && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, typed.at(i + 1));
            if (!isHidden(code)) {
                name.append(c);
                name.append(typed.at(i + 1));
            }
            ++i;
        } else if (!c.isSurrogate() && !isHidden(c.unicode())) {
            name.append(c);
        }
    }
    return name;
}

qsizetype characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

QString leadingCharacters(const QString &text, qsizetype characters, qsizetype units)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (qsizetype n = 0; n < characters; ++n) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0 || next > units)
            break;
        end = next;
    }
    return text.left(end);
}

QString sanitizedName(const QString &typed)
{
    return leadingCharacters(withoutHiddenCharacters(typed), kMaxNameLength, kMaxValueLength);
}

} // namespace records
