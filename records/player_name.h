#pragma once
// A record holder's name as the records file keeps it: what the player typed, less what a name
// never means to hold, and no longer than the records window's name field.

#include <QString>

namespace records
{

// The classic profile reader hands out at most this many characters of a value.
inline constexpr int kMaxValueLength = 254;
// A name longer than this many characters (as the player sees them) does not fit the records
// window's name field.
inline constexpr int kMaxNameLength = 13;

// typed without control characters (a pasted line break would start new lines in the file),
// line and paragraph separators, the characters that reorder text (U+202A..U+202E,
// U+2066..U+2069, which would turn the records window's text around) and halves of a
// character. Joiners and variation selectors stay: they are part of what the player sees.
QString withoutHiddenCharacters(const QString &typed);

// The characters of text as the player sees them (grapheme clusters: a letter with its
// accents, an emoji with its joiners and modifiers).
qsizetype characterCount(const QString &text);

// The first whole characters of text: at most `characters` of them in at most `units` UTF-16
// code units.
QString leadingCharacters(const QString &text, qsizetype characters, qsizetype units);

// The name as it goes into the file: withoutHiddenCharacters, then at most kMaxNameLength
// characters within kMaxValueLength code units. Never a character the player did not type.
QString sanitizedName(const QString &typed);

} // namespace records
