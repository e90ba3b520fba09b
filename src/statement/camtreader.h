#pragma once

#include "statement/statement.h"

#include <QByteArray>

// Reads an ISO 20022 bank-to-customer statement (camt.053), account report (camt.052) or
// debit/credit notification (camt.054), any version: one statement per Stmt, Rpt or Ntfctn
// with its account (IBAN or other identifier) and currency. Each booked entry (Ntry) with
// its booking date, amount and credit/debit indicator, its references (the account
// servicer's reference as the identifier; a cheque number, end-to-end identification,
// structured creditor reference or entry reference as the reference), the other party
// (the debtor of money in, the creditor of money out) and the remittance text; an entry
// whose transaction details each carry an amount is a line per transaction. Entries not
// booked yet are left out and counted. The closing booked balance (CLBD). The file is read
// as a stream, in memory linear in its size. Throws StatementError naming the line and
// element at fault, or the kind of an XML file that holds no bank statement.
namespace CamtReader {
QList<Statement> read(const QByteArray& data);
// Whether the data is XML (and not OFX, which is asked first): a camt file, or another
// XML file that read() refuses with its kind.
bool looksLike(const QByteArray& data);
} // namespace CamtReader
