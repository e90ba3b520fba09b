#pragma once

#include "statement/statement.h"

#include <QByteArray>

// Reads an ISO 20022 bank-to-customer statement (camt.053): each entry (Ntry) with its
// booking date, amount and credit/debit indicator, its references (the account servicer's
// reference as the identifier; a cheque number, end-to-end or entry reference as the
// reference), the other party's name and the remittance text; the closing booked balance
// (CLBD). Throws StatementError naming the line and element at fault.
namespace CamtReader {
Statement read(const QByteArray& data);
bool looksLike(const QByteArray& data);
} // namespace CamtReader
