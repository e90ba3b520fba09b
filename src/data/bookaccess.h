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

// How a connection that only reads names the book to the engine, and its options. A book in
// write-ahead mode is read through a shared-memory file beside it, which the engine makes on
// opening; where the folder may not be written and that file is not there, the book is opened
// as a file nothing changes, which needs none (nobody can write the book's log in such a
// folder either). Throws Failure when such a book still has changes in its log (they could
// not be read, and the book would look older than it is) or when anyone may write in its
// folder (the book could change under a connection that trusts it not to).
struct ReadingConnection {
    QString databaseName;
    QString options;
};
ReadingConnection readingConnection(const QString& path);

// Removes a journal beside the book's real file that the engine no longer needs (empty or
// with its header zeroed). Throws Failure when the journal has its header, for opening the
// book would play it back, or cannot be removed. Call with the book closed.
void clearStaleJournal(const QString& bookFile);

// Puts the file at `from` in the place of the book's real file: the new file takes the
// book's permissions (and owner where the process may set it), is written to the disk, and
// replaces the book by one atomic rename. Throws Failure when the rename did not happen; the
// book is then the old file.
void replaceFile(const QString& from, const QString& bookFile);

// Writes the file at `from` to the disk and gives it the name `to` by one atomic rename (the
// folder written too). Throws Failure when the rename did not happen.
void moveIntoPlace(const QString& from, const QString& to);

} // namespace BookAccess
