#pragma once

#include "data/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <exception>
#include <optional>

// One transaction as the bank's statement reports it. The amount is the bank account's
// movement: money in is positive, money out negative, as the book's DoubleEntryBank.
struct StatementLine {
    QString bankId; // the bank's identifier (FITID, entry reference) or a hash of the line
    QDate date;
    Money amount;
    QString reference; // cheque or reference number
    QString name;
    QString memo;
    int sourceLine = 0; // where the line starts in its file (1-based), for messages
};

// What a statement file holds.
struct Statement {
    QList<StatementLine> lines;
    std::optional<Money> closingBalance;
    QDate closingDate;
};

// A statement file that cannot be read: what is wrong and where (a line or an element).
class StatementError : public std::exception {
public:
    explicit StatementError(QString message)
        : m_message(std::move(message)), m_what(m_message.toStdString()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    QString m_message;
    std::string m_what;
};

namespace StatementText {

// A statement file's text: UTF-16 or UTF-32 when a byte-order mark says so, else UTF-8, or
// Windows-1252 (the 8-bit set banks use) when the bytes are not valid UTF-8.
QString decode(const QByteArray& data);

// An amount as a statement writes it, read exactly: digits with an optional sign (or
// trailing minus), the given decimal separator, and the other of '.' and ',' or a space
// as thousands separators. Nothing when it is not an amount.
std::optional<Money> amount(const QString& text, QChar decimalSeparator);

// The identifier of a line whose file gives none: a hash of its date, amount and text,
// numbered by how often the same line came before in the file, so two equal charges on
// one day stay two lines.
QString lineHash(const StatementLine& line, int occurrence);

// Gives every line without a bank identifier its hash.
void fillMissingIds(QList<StatementLine>& lines);

} // namespace StatementText
