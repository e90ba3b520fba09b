#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// The text of the master files: one line per record of double-quoted values separated
// by commas, every line ending in CR LF.
namespace MasterFileText {

// The text without the blanks at its start and end; tabs and other white space belong to the
// value and stay.
QString trimmedOfSpaces(const QString& text);
// One value as written: its text without leading and trailing spaces, in double quotes.
// Null and spaces-only values give two double quotes; inner quotes and commas are kept.
QString exportValue(const QVariant& value);
// A whole line, CR LF included.
QString exportLine(const QVariantList& values);

// A file's bytes as text: UTF-8 when the bytes are valid UTF-8 (a leading byte-order
// mark is dropped), otherwise Windows-1252.
QString decode(const QByteArray& bytes);
bool isValidUtf8(const QByteArray& bytes);
QString fromWindows1252(const QByteArray& bytes);

// The lines of a text, split at CR LF, LF or CR. The terminator after the last line
// does not make an empty line of its own.
QStringList splitLines(const QString& text);

// Cuts a line into exactly `count` values, from the left. A value that starts with a
// double quote runs to the first quote that is followed by a comma, so a comma inside
// quotes stays in the value; any other value runs to the next comma. The last value
// keeps the rest of the line, further commas included. Each value then loses its
// enclosing quotes (see stripQuotes). Nothing when the line holds fewer values.
std::optional<QStringList> splitLine(const QString& line, int count);

// A piece whose first and last characters are two distinct double quotes loses them;
// anything else, a lone double quote included, is kept as it is.
QString stripQuotes(const QString& piece);

} // namespace MasterFileText
