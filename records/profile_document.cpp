#include "records/profile_document.h"

#include "records/profile_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace records::profile
{

namespace
{

constexpr QByteArrayView kUtf16LeMark("\xFF\xFE");
constexpr QByteArrayView kUtf16BeMark("\xFE\xFF");

QStringConverter::Encoding converterOf(bool littleEndian)
{
    return littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

// The mark is the document's own; a second one in the text is content and stays.
QByteArray utf16(const QString &text, bool littleEndian)
{
    QStringEncoder encoder(converterOf(littleEndian), QStringConverter::Flag::ConvertInitialBom);
    return encoder(text);
}

} // namespace

Document::Document(const QByteArray &fileBytes)
{
    const bool le = fileBytes.startsWith(kUtf16LeMark);
    if (!le && !fileBytes.startsWith(kUtf16BeMark)) {
        m_text = fileBytes;
        return;
    }
    m_encoding = le ? Encoding::Utf16Le : Encoding::Utf16Be;
    const QByteArrayView body = QByteArrayView(fileBytes).sliced(kUtf16LeMark.size());
    QStringDecoder decoder(converterOf(le), QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder(body);
    m_text = text.toUtf8();
    m_exact = !decoder.hasError() && utf16(QString::fromUtf8(m_text), le) == body;
}

std::optional<QString> Document::value(QByteArrayView section, QByteArrayView key) const
{
    return valueIn(m_text, section, key);
}

void Document::setValue(QByteArrayView section, QByteArrayView key, const QString &value)
{
    m_text = withValue(m_text, section, key, value.toUtf8());
}

QByteArray Document::fileBytes() const
{
    switch (m_encoding) {
    case Encoding::Bytes:
        break;
    case Encoding::Utf16Le:
        return kUtf16LeMark.toByteArray() + utf16(QString::fromUtf8(m_text), true);
    case Encoding::Utf16Be:
        return kUtf16BeMark.toByteArray() + utf16(QString::fromUtf8(m_text), false);
    }
    return m_text;
}

QByteArray Document::blanks(qsizetype bytes) const
{
    switch (m_encoding) {
    case Encoding::Bytes:
        break;
    case Encoding::Utf16Le:
        return QByteArrayView(" \0", 2).toByteArray().repeated(bytes / 2);
    case Encoding::Utf16Be:
        return QByteArrayView("\0 ", 2).toByteArray().repeated(bytes / 2);
    }
    return QByteArray(bytes, ' ');
}

} // namespace records::profile
