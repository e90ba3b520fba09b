#pragma once

#include "bookformat.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// Whether a book holds exactly what the program makes for its format version: the same
// tables with the same fields declared the same way, the program's own indexes and triggers,
// and nothing else (no view, trigger, index, table or field of anyone else's). A trigger or
// view brought in with a file would run inside every later save and be copied into every
// backup, so a book that differs is refused before anything is written to it.
//
// What a version holds is not listed by hand: it is made, in memory, by the same calls that
// make the template book's tables and then the upgrade steps up to that version, so the check
// follows the format as it changes. A step must therefore always make what it made when its
// version was released; a later change is a new step.
namespace BookSchemaCheck {

// The differences between the book open on db and a book of `version` as the upgrade
// `steps` make it, each a phrase of Messages (schemaExtra, schemaMissing, schemaChanged);
// empty when there is none. Reads the book's schema only, never a row.
QStringList differences(const Database& db, int version, const QList<BookFormat::Step>& steps);

// Throws Failure of kind BookRefused naming the book at `shownPath` and the differences
// when there are any.
void check(const Database& db, const QString& shownPath, int version,
           const QList<BookFormat::Step>& steps);

} // namespace BookSchemaCheck
