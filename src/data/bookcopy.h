#pragma once

#include <QString>

class Database;

// A copy of the book written by the engine from the open connection, and its check. Used
// before anything rewrites the book (compaction, upgrade), so a good book always exists.
namespace BookCopy {

// Writes a compact copy of the book open on db to copyPath (which must not exist), with the
// book's permissions from the start (BookPermissions::createCopyFile).
void write(const Database& db, const QString& copyPath);
// Checks a copy against the book open on db: integrity, the same tables, and in each the
// same number of rows and the same sum of every whole-number field (the amounts). Attached for the
// check and detached after. Throws Failure.
void verify(const Database& db, const QString& copyPath);
// A table's row count and the sum of each of its whole-number fields (the amounts, stored as
// whole ten-thousandths, and the flags), as text: "12 rows, sums 0 5 -120000". `schema` names
// an attached database.
QString tally(const Database& db, const QString& table,
              const QString& schema = QStringLiteral("main"));
// Removes a copy and its journal; never throws.
void discard(const QString& copyPath) noexcept;

} // namespace BookCopy
