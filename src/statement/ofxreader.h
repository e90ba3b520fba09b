#pragma once

#include "statement/statement.h"

#include <QByteArray>

// Reads an OFX statement file: OFX 1.x (SGML, leaf elements without end tags) and OFX 2.x
// (XML), which includes QFX. One statement per bank or credit card statement (STMTRS,
// CCSTMTRS) with its account (ACCTID) and currency (CURDEF); every transaction (STMTTRN)
// with its FITID, date, amount, cheque or reference number, name and memo; the ledger
// balance and its date. The tags are read one at a time, so memory stays linear in the
// file. Throws StatementError naming the line at fault, and refuses an investment
// statement, a response in which the bank reports an error, and a file with no statement.
namespace OfxReader {
QList<Statement> read(const QByteArray& data);
// Whether the data looks like OFX (its header or root element).
bool looksLike(const QByteArray& data);
} // namespace OfxReader
