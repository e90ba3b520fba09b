#pragma once

#include <QString>
#include <optional>

class Database;

// Changing a transaction's reconciliation status, the one write of the reconciliation screen.
namespace StatusWrite {

// The status to store for what was typed into the status cell: "1" to "4" as they are
// (leading zeros and blanks dropped), an empty cell or a whole number above 4 as "1"
// (Outstanding). Zero, negative numbers, fractions and any other text have no status:
// nothing, and the stored status is kept.
std::optional<QString> storedStatus(const QString& typed);

// Writes the status of the transaction transId in one transaction. Throws Failure when it
// cannot be written (the transaction gone, a database failure); the book, the totals and
// so every balance are then as they were.
void write(const Database& db, const QString& transId, const QString& status);

} // namespace StatusWrite
