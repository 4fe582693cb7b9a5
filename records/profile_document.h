#pragma once
// A records file as it is stored, in whichever encoding its writer chose: UTF-8 or a Windows
// code page as plain bytes, or UTF-16 (either byte order) behind a byte-order mark, as the
// classic profile functions read and write it. A UTF-16 file is edited through its UTF-8
// form and written back in UTF-16 with its own mark.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace records::profile
{

class Document
{
public:
    explicit Document(const QByteArray &fileBytes = {});

    // As valueIn (profile_text.h), whole.
    std::optional<QString> value(QByteArrayView section, QByteArrayView key) const;
    // As withValue (profile_text.h).
    void setValue(QByteArrayView section, QByteArrayView key, const QString &value);

    // The file's bytes with the values set so far; every byte a set did not touch as it was.
    QByteArray fileBytes() const;
    // bytes (an even number for UTF-16) of blanks in the file's encoding: what a rewrite in
    // place pads a shorter text with until it cuts the file, and every reader passes over.
    QByteArray blanks(qsizetype bytes) const;
    // False when the file cannot be written back byte for byte: UTF-16 with an odd byte or
    // half a character, which the UTF-8 form has no way to carry.
    bool keepsEveryByte() const { return m_exact; }

private:
    enum class Encoding { Bytes, Utf16Le, Utf16Be };
    Encoding m_encoding = Encoding::Bytes;
    QByteArray m_text; // what the profile functions edit: the bytes, or UTF-16 as UTF-8
    bool m_exact = true;
};

} // namespace records::profile
