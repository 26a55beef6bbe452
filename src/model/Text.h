#pragma once

// Text helpers shared by the model, the assists and the screens.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace studio::text {

// User-perceived characters (grapheme clusters).
qsizetype graphemeCount(const QString& s);
QString graphemePrefix(const QString& s, qsizetype count);

// The part of a text that is shaped, measured, elided or painted: the whole
// text when it is short, else its start, cut at a character boundary near a
// few thousand characters. No line shows that much, and a production whose
// name is millions of characters long must not hang the screens that show it.
QString displayPrefix(const QString& s);

// Text from the user, a file or the network as it goes inside a message of
// ours: between FIRST STRONG ISOLATE (U+2068) and POP DIRECTIONAL ISOLATE
// (U+2069), so the direction marks it holds end with it and can't reorder
// the words of the message around it. A closing mark inside that has no
// opening one is dropped and isolates it leaves open are closed, so the text
// can end the isolate neither early nor late.
QString isolated(const QString& s);

// "Empty" means no characters at all. "Blank" means nothing but horizontal
// white space (spaces, tabs and other Unicode space separators); a line break
// is not blank.
bool isBlank(const QString& s);
// Blank once line breaks are counted as white space too.
bool isBlankOrNewlines(const QString& s);

// Trims horizontal white space only (line breaks stay).
QString trimmedWhitespace(const QString& s);
// Trims white space and line breaks from both ends.
QString trimmed(const QString& s);

// First letter of every word upper case, its other letters lower case. A word
// is a run of cased letters, held together by apostrophes, full stops and
// combining marks: "INT. O'HARE (GATE 2) — NIGHT" gives
// "Int. O'hare (Gate 2) — Night".
QString capitalizedWords(const QString& s);

// Full Unicode upper-casing, independent of the user's locale.
QString upper(const QString& s);

// double -> integer conversions that never overflow: non-finite values give 0,
// values beyond the range give the nearest bound. Fractions are truncated.
std::int64_t saturatingInt64(double value);
int saturatingInt(double value);

// printf-style formatting of one number ("%.1f", "%.0f", "%d"). Ties round to
// even the way the C library does (4.5 with "%.0f" gives "4").
QString format(const char* pattern, double value);
QString format(const char* pattern, long long value);

} // namespace studio::text
