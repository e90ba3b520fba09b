#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The Windows Western European code page, in which the outside ledgers and older programs
// read and write their text files.
namespace Windows1252 {

// Every byte has a meaning: the five bytes the code page leaves undefined keep their
// Latin-1 (control character) meaning.
QString decode(const QByteArray& bytes);
// The bytes of text; nothing when a character of it has no byte in the code page.
std::optional<QByteArray> encode(const QString& text);
// Whether every character of text has a byte in the code page.
bool canEncode(const QString& text);

} // namespace Windows1252
