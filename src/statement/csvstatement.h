#pragma once

#include "statement/statement.h"

#include <QByteArray>
#include <QStringList>

// A statement as a bank exports it to a comma-delimited file, read through a mapping of its
// columns that the user chooses once per bank account.
struct CsvMapping {
    int headerLines = 1; // lines skipped before the first transaction
    QChar delimiter = QLatin1Char(',');
    QString dateFormat = QStringLiteral("dd/MM/yyyy"); // as QDate::fromString reads it
    QChar decimalSeparator = QLatin1Char('.');
    // Columns from 0; -1 when the file has none. Either one signed amount column, or a
    // debit (money out) and a credit (money in) column.
    int dateColumn = 0;
    int amountColumn = 1;
    int debitColumn = -1;
    int creditColumn = -1;
    int referenceColumn = -1;
    int textColumn = 2;

    // The mapping as one line of text, kept in the book per bank account, and back.
    QString toText() const;
    static std::optional<CsvMapping> fromText(const QString& text);
    bool operator==(const CsvMapping&) const = default;
};

namespace CsvStatement {

// The fields of each line of the file (quotes as CSV writes them), for the preview.
QList<QStringList> rows(const QByteArray& data, QChar delimiter, int maxRows = -1);

// Reads every line after the header lines; an empty line is skipped. Throws StatementError
// naming the line and column at fault.
Statement read(const QByteArray& data, const CsvMapping& mapping);

} // namespace CsvStatement
