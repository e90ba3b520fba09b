#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>
#include <QtGlobal>
#include <optional>

class Database;

// The reads and writes every entry window makes on tblCashbook: the code look-ups of the
// field checks, the number counters of tblBankDetails, and the save of one row together
// with its counter.
class CashbookStore {
public:
    explicit CashbookStore(const Database& db) : m_db(db) {}

    // A counter of tblBankDetails set to a new value in the same transaction as a row.
    struct Counter {
        QString column; // NextCheque, NextReceipt
        qint32 value = 0;
    };

    // The counter column of the first row of tblBankDetails. Throws Failure when there is no
    // row, the value is null, or it does not fit 32 bits.
    qint32 readCounter(const QString& column) const;
    // The number to offer from a counter: its value, or the first number after it that no
    // transaction of the book holds, so that an offer never clashes with a saved row.
    qint32 nextUnusedNumber(const QString& column) const;

    // The chart's rows of an account code, one for each of its departments, in department
    // order: what a typed account code fills the window from.
    struct Account {
        QString code;
        QString dept;
        QString description;
    };
    QList<Account> accountRows(const QString& code) const;
    // Whether any transaction of the book, of whatever type, has this number.
    bool transIdExists(const QString& transId) const;

    // Writes these columns of one row and, when a counter is given, sets the counter, in one
    // transaction: both happen or neither. In the same transaction every counter whose value
    // a transaction now holds moves on to the next unused number. A new row when originalKey is
    // empty, otherwise the stored row with that key (which may get a new key). A duplicate number
    // throws the Failure of a duplicate key.
    void write(const QVariantMap& columns, const QString& originalKey,
               const std::optional<Counter>& counter) const;

private:
    // The first number from `from` on that no transaction holds. Throws Failure (Overflow)
    // past the 32-bit range.
    qint32 firstUnused(qint64 from) const;
    // A counter of the first row of tblBankDetails: no value when there is no row.
    QVariant counterValue(const QString& column) const;
    // Sets a counter of the first row; Failure (no current record) when there is no row.
    void setCounter(const QString& column, qint64 value) const;
    void moveCountersPastUsedNumbers() const;

    const Database& m_db;
};
