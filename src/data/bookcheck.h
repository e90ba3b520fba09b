#pragma once

#include <QString>

// The engine's quick check of a book's pages, run on a connection of its own so it can run
// on another thread while the program works on the shared connection.
namespace BookCheck {

// The problems the quick check finds in the book at path, one a line (at most ten); empty
// when the book is sound. A file that cannot be read at all is a problem too.
QString problems(const QString& path);

} // namespace BookCheck
