#pragma once

#include <QString>

// What the program may do with a book's file, asked before anything writes to it.
namespace BookAccess {

// The file a path reaches once symbolic links are followed; the absolute path itself when it
// reaches no file. A book that is a link is read and rewritten at its real file.
QString realPath(const QString& path);

// Whether the book at path may be changed: its real file written and a journal created and
// renamed in its folder. A file or folder that carries no write permission at all counts as
// read-only even for a user allowed to override permissions: its owner marked it so.
bool mayChange(const QString& path);

} // namespace BookAccess
