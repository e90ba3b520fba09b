#pragma once

#include <QString>

// Whether target names the book at bookPath or one of the files the database engine keeps
// beside it while the book is open (its -journal, -wal and -shm files). Writing any of them
// would damage the open book, so every export refuses such a target.
//
// The comparison is by the file itself: symbolic links are followed, an existing target is
// compared by identity (a hard link or another spelling of the path is still the book), and a
// target that does not exist yet by its folder and file name, with the letter case compared
// as the book's file system compares it.
bool isBookFile(const QString& target, const QString& bookPath);
