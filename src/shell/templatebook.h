#pragma once

#include <QString>

// Makes a new book at path from the template book the program ships with
// (ProgramFiles::templateBook, found from programDir): the template rows, the sample chart,
// the current format. Where no template is found (a program run from a partial copy) the
// same book is made by the program's own code. Refuses (Failure) an existing file and leaves
// nothing half made.
void makeBookFromTemplate(const QString& path, const QString& programDir);
