#include "records/profile_text.h"

#include <QStringDecoder>

namespace records::profile
{

namespace
{

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && isBlank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && isBlank(v.back()))
        v.chop(1);
    return v;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return qstrnicmp(a.data(), a.size(), b.data(), b.size()) == 0;
}

struct Line {
    qsizetype begin = 0;
    qsizetype contentEnd = 0; // where the line end starts (or the end of the text)
    qsizetype end = 0;        // after the line end
    bool hasEnd() const { return end != contentEnd; }
};

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    QByteArrayView name;
    qsizetype valueBegin = 0; // in the text, just after "="
};

// Walks the lines of a text without copying it; a 10 MB file is read as it stands. A line
// ends at LF, CR LF or CR, as files from every platform have them; the stray CRs of a
// CR CR LF end (a CR LF file that went through a converter twice) belong to the line end,
// so no value keeps a CR.
class Lines
{
public:
    explicit Lines(QByteArrayView text) : m_text(text) {}
    bool next(Line &line)
    {
        if (m_pos >= m_text.size())
            return false;
        const qsizetype size = m_text.size();
        qsizetype i = m_pos;
        while (i < size && m_text[i] != '\n' && m_text[i] != '\r')
            ++i;
        line.begin = m_pos;
        line.contentEnd = i;
        line.end = i == size ? size : i + 1;
        if (i < size && m_text[i] == '\r') {
            qsizetype j = i;
            while (j < size && m_text[j] == '\r')
                ++j;
            if (j < size && m_text[j] == '\n')
                line.end = j + 1;
        }
        m_pos = line.end;
        return true;
    }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

QByteArrayView contentOf(QByteArrayView text, const Line &line, qsizetype *offset = nullptr)
{
    qsizetype begin = line.begin;
    if (begin == 0 && text.startsWith(kByteOrderMark))
        begin = std::min<qsizetype>(kByteOrderMark.size(), line.contentEnd);
    if (offset)
        *offset = begin;
    return text.sliced(begin, line.contentEnd - begin);
}

Parsed parse(QByteArrayView text, const Line &line)
{
    qsizetype offset = 0;
    const QByteArrayView content = contentOf(text, line, &offset);
    const QByteArrayView t = trimmed(content);
    Parsed p;
    if (t.startsWith('[')) {
        const qsizetype close = t.indexOf(']');
        if (close < 0)
            return p; // a broken header opens no section
        p.kind = Kind::Section;
        p.name = trimmed(t.sliced(1, close - 1));
        return p;
    }
    if (t.startsWith(';'))
        return p; // a comment
    const qsizetype eq = content.indexOf('=');
    if (eq < 0)
        return p;
    p.name = trimmed(content.first(eq));
    if (p.name.isEmpty())
        return p;
    p.kind = Kind::Key;
    p.valueBegin = offset + eq + 1;
    return p;
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return !utf8.hasError();
}

// A line that is not UTF-8 was written by an older version or another program in the
// Windows code page of its day: "\x80" is the euro sign there, not a control character.
QString decoded(QByteArrayView line, QByteArrayView value)
{
    if (isUtf8(line))
        return QString::fromUtf8(value);
    QStringDecoder windows1252("windows-1252");
    if (!windows1252.isValid())
        return QString::fromLatin1(value);
    return windows1252(value);
}

// The line end of the text's first line that has one; CR LF for a text without any.
QByteArray lineEndOf(QByteArrayView text)
{
    Lines lines(text);
    Line line;
    while (lines.next(line)) {
        if (line.hasEnd())
            return text.sliced(line.contentEnd, line.end - line.contentEnd).toByteArray();
    }
    return QByteArrayLiteral("\r\n"); // what the file has always had
}

} // namespace

std::optional<QString> valueIn(QByteArrayView text, QByteArrayView section, QByteArrayView key)
{
    Lines lines(text);
    Line line;
    bool inSection = false;
    while (lines.next(line)) {
        const Parsed p = parse(text, line);
        if (p.kind == Kind::Section) {
            if (inSection)
                return std::nullopt; // only the first section of that name counts
            inSection = sameName(p.name, section);
        } else if (p.kind == Kind::Key && inSection && sameName(p.name, key)) {
            QByteArrayView v = trimmed(text.sliced(p.valueBegin, line.contentEnd - p.valueBegin));
            if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
                v = v.sliced(1, v.size() - 2);
            return decoded(contentOf(text, line), v);
        }
    }
    return std::nullopt;
}

QByteArray withValue(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                     QByteArrayView value)
{
    QByteArray clean;
    clean.reserve(value.size());
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7F)
            clean.append(c);
    }
    const QByteArray eol = lineEndOf(text);
    const QByteArray newLine = key.toByteArray() + '=' + clean + eol;

    Lines lines(text);
    Line line;
    bool inSection = false;
    bool found = false;
    Line last;                // the section's last line that is not blank
    bool finalIsBlank = true; // the text's last line, while no section is found
    while (lines.next(line)) {
        finalIsBlank = trimmed(contentOf(text, line)).isEmpty();
        const Parsed p = parse(text, line);
        if (p.kind == Kind::Section) {
            if (inSection)
                break;
            if (!found && sameName(p.name, section)) {
                inSection = found = true;
                last = line;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (p.kind == Kind::Key && sameName(p.name, key)) {
            QByteArray out = text.first(p.valueBegin).toByteArray();
            out += clean;
            out += text.sliced(line.contentEnd);
            return out;
        }
        if (!trimmed(contentOf(text, line)).isEmpty())
            last = line;
    }

    if (found) {
        QByteArray out = text.first(last.end).toByteArray();
        if (!last.hasEnd())
            out += eol;
        out += newLine;
        out += text.sliced(last.end);
        return out;
    }

    QByteArray out = text.toByteArray();
    if (!out.isEmpty()) {
        if (!line.hasEnd())
            out += eol;
        if (!finalIsBlank)
            out += eol; // a blank line between sections, for whoever reads the file
    }
    out += '[' + section.toByteArray() + ']' + eol + newLine;
    return out;
}

} // namespace records::profile
