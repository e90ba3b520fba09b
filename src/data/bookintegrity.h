#pragma once

#include <QString>

// The full check of a book file that did not come from the program's own page copy (a file
// chosen for a restore, a compacted copy whose indexes the engine wrote anew): every page and
// record (the engine's quick check), and every index's entries against its table's rows.
//
// The engine's own full check looks each row up in each of its table's indexes, about seven
// seconds for a million transactions. Here each index is read once from end to end and its
// entries (key fields and row number) are summed under a hash keyed afresh for every check,
// as are the same fields of the table's rows; a missing, extra or altered entry changes the
// sum. A unique index is also read for two entries with the same key. The table's rows are
// read on a second thread while the indexes are read, each on a connection of its own.
namespace BookIntegrity {

// The problems found in the book file at path, one a line (at most ten); empty when it is
// sound. A file that cannot be read is a problem too.
QString problems(const QString& path);

} // namespace BookIntegrity
