#pragma once

#include "statement/statement.h"

#include <QByteArray>
#include <QStringList>

// A statement as a bank exports it to a comma-delimited file, read through a mapping of its
// columns that the user chooses once per bank account.
struct CsvMapping {
    int headerLines = 1; // lines skipped before the first transaction
    QChar delimiter = QLatin1Char(',');
    // As QDate::fromString reads it, or QDateTime::fromString when it names a time too; a
    // time after the date is ignored when the format has none. A two-digit year ("yy") is
    // read within 80 years before and 20 after today.
    QString dateFormat = QStringLiteral("dd/MM/yyyy");
    QChar decimalSeparator = QLatin1Char('.');
    // Columns from 0; -1 when the file has none. Either one amount column, or a debit
    // (money out) and a credit (money in) column. The one amount column is signed, or its
    // sign comes from an indicator column holding debitValue (money out) or creditValue
    // (money in), compared without case.
    int dateColumn = 0;
    int amountColumn = 1;
    int debitColumn = -1;
    int creditColumn = -1;
    int referenceColumn = -1;
    int textColumn = 2;
    int indicatorColumn = -1;
    QString debitValue;
    QString creditValue;
    // The signed amount column counts money out as positive (card statements list charges
    // so): every amount read from it changes sign.
    bool invertSign = false;

    // The mapping as one line of text, kept in the book per bank account, and back.
    QString toText() const;
    static std::optional<CsvMapping> fromText(const QString& text);
    bool operator==(const CsvMapping&) const = default;
};

namespace CsvStatement {

// The fields of each line of the file (quotes as CSV writes them), for the preview.
QList<QStringList> rows(const QByteArray& data, QChar delimiter, int maxRows = -1);

// Reads every line after the header lines; an empty line is skipped. An amount may carry a
// currency sign or code ("$20.00", "-€1.234,56", "USD 20.00"). `today` places two-digit
// years. Throws StatementError naming the line and column at fault.
Statement read(const QByteArray& data, const CsvMapping& mapping, const QDate& today);

} // namespace CsvStatement
