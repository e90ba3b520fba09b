#pragma once

#include <QString>
#include <QStringList>

// Table and column names as SQL text. The book's names are mixed case; written in double
// quotes they keep their case on every engine (PostgreSQL folds a bare name to lower case,
// SQLite ignores case either way), so one statement serves a book on either.
namespace SqlNames {

// A bare name ("TransID") double-quoted; anything else (a name already quoted, an expression
// such as COALESCE("DeptCode", '')) as it is, since it was written as SQL already.
QString quoted(const QString& name);
QStringList quoted(const QStringList& names);

} // namespace SqlNames
