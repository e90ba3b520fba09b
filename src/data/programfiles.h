#pragma once

#include <QString>

// Where the files the program ships with (its help pages and the template book) are found,
// from the folder of its executable. Installed, the program is bin/quillan and its files are
// in share/quillan/ beside bin/ (so any install prefix works, and a package can be unpacked
// anywhere); in a build folder they are beside the executable. The installed place is looked
// at first: an installed program's own folder (/usr/bin) holds nothing of Quillan's.
namespace ProgramFiles {

// The folder that holds the help pages and the template book.
QString dataFolder(const QString& programDir);

// The folder of the help pages (index.html and one page per window).
QString helpFolder(const QString& programDir);

// The template book: a new, empty book of the current format that new books are copied from.
QString templateBook(const QString& programDir);

} // namespace ProgramFiles
