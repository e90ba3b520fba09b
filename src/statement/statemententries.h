#pragma once

#include "entry/bankentryfields.h"
#include "entry/entryrules.h"
#include "statement/statement.h"

class Database;

// A statement line with no transaction in the book (a bank charge, interest) turned into
// the bank's own entry, under the rules and through the store of the bank entry window.
// The entry is on the bank's statement, so it is written Reconciled and its line is linked
// to it.
namespace StatementEntries {

// Bank charge ("5") for money out, bank interest ("6") for money in.
QString typeFor(const StatementLine& line);
// An unused number for the entry: "BC", "INT" or "MISC" with the line's date (yymmdd),
// then "-2", "-3" ... while the book holds it.
QString proposedId(const Database& db, const StatementLine& line, const QString& type);

// What the user confirmed for the entry.
struct Choice {
    QString type;
    QString transId;
    QString description;
    QString accountCode;
    QString deptCode;
};
// The entry's fields as the bank entry window would hold them: the line's date, the amount
// with the window's sign (positive paid out), the choice.
BankEntryFields fieldsFor(const StatementLine& line, const Choice& choice);

// Checks the entry as the window's Save does (its record check and the rules of writing,
// and a number no transaction holds); writes it, Reconciled, and links the line, as the
// bank account keeps it, to it. The refusal when it is not written.
std::optional<EntryRules::Refusal> create(const Database& db, const EntryRules::Settings& settings,
                                          const QDate& today, const QString& bankAccount,
                                          const StatementLine& line, const Choice& choice);

} // namespace StatementEntries
