#pragma once

#include "statement/statement.h"

#include <QByteArray>

// Reads an OFX statement: OFX 1.x (SGML, leaf elements without end tags) and OFX 2.x
// (XML), which includes QFX. Every statement transaction (STMTTRN) with its FITID, date,
// amount, cheque or reference number, name and memo; the ledger balance and its date.
// Throws StatementError naming the line at fault.
namespace OfxReader {
Statement read(const QByteArray& data);
// Whether the data looks like OFX (its header or root element).
bool looksLike(const QByteArray& data);
} // namespace OfxReader
