#pragma once
// The records file is an INI text that other programs and older versions share, so it is
// edited the way the classic profile functions edit it: one value at a time, every other
// byte left as it stands. These functions work on the file's bytes; records_file.h adds the
// disk.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace records::profile
{

// The value of key in section (both matched without regard to ASCII case, first match wins),
// with the blanks around it and one pair of enclosing quotes dropped; nullopt when the
// section or the key is not there. Tolerates anything a hand edit leaves: a UTF-8 byte-order
// mark, junk lines, keys before any section, no final line end, lines ended by LF, CR LF,
// CR or CR CR LF. A line that is not UTF-8 is read as Windows-1252, as the file's older
// writers stored it.
std::optional<QString> valueIn(QByteArrayView text, QByteArrayView section, QByteArrayView key);

// text with key in section set to value. An existing key keeps its line, spelling and line
// end and only the part after "=" changes; a new key goes after the last line of its
// section; a missing section is added at the end of the text. New lines take the line end
// of the text's first line (CR LF for a text without one). Control characters in value are dropped:
// a value can never start a line of its own.
QByteArray withValue(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                     QByteArrayView value);

} // namespace records::profile
