#pragma once
// The records file: read and written one key at a time, never kept in memory, so that every
// window shows what the file holds at that moment.

#include <QString>

namespace records
{

// The classic profile reader hands out at most this many characters of a value.
inline constexpr int kMaxValueLength = 254;
// A name longer than this does not fit the records window's name field.
inline constexpr int kMaxNameLength = 13;

// The value of key in section; the empty text for a missing file, section or key.
QString ReadSetting(const QString &file, const QString &section, const QString &key);

// Sets one value and replaces the whole file atomically (written, synced, then renamed over
// the old one), so a crash at any moment leaves the old file or the new one. False when the
// file could not be written; the old file is then untouched. The Config folder is never
// created: a game that has none keeps no records.
bool WriteSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value);

// Whole seconds as minutes and seconds ("00:00", "01:01", "100:00", "600:00").
QString FormatSeconds(long long seconds);

// A stored time as the records window shows it: its numeric value rounded to whole
// seconds (halves to the even neighbour), then FormatSeconds.
QString formatStoredTime(const QString &stored);

// The name as it goes into the file: no control characters (a pasted line break would
// otherwise start new lines in the file), at most kMaxNameLength characters.
QString sanitizedName(const QString &typed);

} // namespace records
