#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class Database;

// A whole book copied between any two engines: a book file to a server database, a server
// book to a new file, or file to file and server to server. The same code is to serve backing
// up a server book into a checked book file and restoring a book file into a server book.
namespace BookTransfer {

// The book's tables a copy carries, in the order it copies them: every table of the book but
// the server's format table (the version travels as each engine keeps it), the cashbook totals
// last (the triggers count them while the transactions are copied; the source's own follow).
QStringList tables(const Database& db);

// One table as a copy is checked: its row count, the sum of every whole-number field, the sum
// of every rate taken to six places, and the total length of every text field, in the order
// of the table's fields (fields compared by name on both engines).
QStringList tally(const Database& db, const QString& table);

// Each table's tally by the table's name.
using Tallies = QMap<QString, QStringList>;

// Copies the book open on `from` (of the current format) into the empty target open on `to`
// (opened for creation; `shownTarget` names it in messages): the current format's tables in
// the target's engine, every row, the version; then compares every table's tally on both
// sides. All of it in one transaction on the target, which is committed only when every
// tally agrees. Throws Failure of kind BookRefused when the target holds tables already (left
// as it is) or a tally differs (nothing kept), and Failure on any other error (nothing kept).
// Returns the number of rows copied; `sourceTallies`, when given, gets the source's tallies as
// they were compared (read in the copy's one state of the source), for checking the copy again
// once it is kept.
qint64 copy(const Database& from, const Database& to, const QString& shownTarget,
            Tallies* sourceTallies = nullptr);

// Replaces every row of the book open on `to` (of the current format) by the rows of the book
// open on `from` (of the current format too), in one transaction on the target, committed only
// when every table's tally agrees: a restore of a checked book file into a server book. Throws
// Failure of kind BookRefused when the two books' tables or fields differ or a tally differs,
// and Failure on any other error; the target keeps every row it had. Returns the number of
// rows copied.
qint64 replaceRows(const Database& from, const Database& to, const QString& shownTarget);

} // namespace BookTransfer
