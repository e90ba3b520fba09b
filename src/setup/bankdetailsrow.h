#pragma once

#include "data/money.h"

#include <QString>
#include <QtGlobal>
#include <optional>

class Database;

// The single row of tblBankDetails: the fiscal period, the bank and the next automatic
// voucher and receipt numbers.
struct BankDetailsRow {
    QString currentYear;
    QString currentMonth;
    QString bankName;
    QString bankAccountNumber;
    // Null in the book reads as nothing.
    std::optional<Money> startingBankBalance;
    std::optional<qint32> nextCheque;
    std::optional<qint32> nextReceipt;

    // The first row of the table; nothing when the table has none.
    static std::optional<BankDetailsRow> load(const Database& db);
    // Writes the first row of the table; false when the table has no row.
    bool save(const Database& db) const;

    // An automatic number as typed: empty, or a whole number that fits the 32-bit field.
    static bool isNumberingText(const QString& text);
    // The number of such a text; nothing for an empty one.
    static std::optional<qint32> numberFromText(const QString& text);
    // The stored number as the field shows it.
    static QString numberText(const std::optional<qint32>& number);
};
