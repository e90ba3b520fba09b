#pragma once

#include <QString>

// Who may read the copies of a book. Every copy the program makes of the book (a backup, the
// copy before a format upgrade, the compaction's copy) is as private as the book: a book only
// its owner may read must not leave copies that everyone may read.
namespace BookPermissions {

// The permission bits of a copy of the book whose real file is bookFile: the book's read and
// write bits, and always reading and writing for the owner, who writes the copy.
unsigned copyMode(const QString& bookFile);

// Makes a new, empty file at path with copyMode(bookFile), whatever the process's default
// permissions: the engine then writes the copy into it (VACUUM INTO takes an empty file), so
// the copy is never more open than the book, not even while it is written. Throws Failure
// when the file exists or cannot be made.
void createCopyFile(const QString& bookFile, const QString& path);

// Makes the folder that keeps the book's backups, if it is not there, and takes from it every
// permission that neither the book's folder nor the book itself gives: a private book's
// backups are in a folder only its owner may enter. The owner keeps every permission. Throws
// Failure when the folder cannot be made or stays more open than that.
void makeBackupFolder(const QString& bookFile, const QString& folder);

} // namespace BookPermissions
