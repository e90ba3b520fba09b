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

    // The longest text kept of each field; a longer one is cut (StatementText::cap).
    static constexpr qsizetype kMaxIdLength = 255;
    static constexpr qsizetype kMaxReferenceLength = 35;
    static constexpr qsizetype kMaxNameLength = 140;
    static constexpr qsizetype kMaxMemoLength = 500;
};

// One account's statement. An OFX or camt file may hold several (one per account, or one
// per day); a comma-delimited file is one statement without an account identifier.
struct Statement {
    QString accountId; // the bank's identifier of the account (account number, IBAN); may be empty
    QString currency;  // the ISO 4217 code the file states; empty when it states none
    QList<StatementLine> lines;
    std::optional<Money> closingBalance;
    QDate closingDate;
    int pendingLeftOut = 0; // entries the bank has not booked yet, left out of the lines
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

// The largest statement file read; a bank's statement of a month is a small part of it.
constexpr qint64 kMaxFileBytes = 50 * 1024 * 1024;

// Throws StatementError when a file of this many bytes is larger than kMaxFileBytes.
void checkSize(qint64 bytes);

// The line with each text cut to the length kept of its field.
void cap(StatementLine& line);

} // namespace StatementText

namespace StatementAccounts {

// Whether a statement's account identifier names the book's bank account number. Only
// digits and letters count (spaces, dashes and masking stars do not); when one side is
// masked or shorter, its trailing digits must end the other (at least four of them).
bool matches(const QString& statementAccount, const QString& bookAccount);

// An account identifier as it is compared: its digits and letters only, in capitals, so one
// account is one however its identifier is spaced, punctuated or cased.
QString significant(const QString& text);

// The statements of one account (several days, or several pieces) as one: the lines in
// date order, and the closing balance of the latest.
Statement join(const QList<Statement>& statements);

} // namespace StatementAccounts
