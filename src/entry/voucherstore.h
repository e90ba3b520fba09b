#pragma once

#include "entry/cashbookstore.h"

#include <QString>
#include <QtGlobal>
#include <optional>

class Database;
struct VoucherFields;
struct VoucherKind;

// The voucher window's reads and writes on the book: the kind's counter, the code look-ups
// of the field checks, and the save of a row together with its counter.
class VoucherStore {
public:
    VoucherStore(const Database& db, const VoucherKind& kind)
        : m_db(db), m_cashbook(db), m_kind(kind) {}

    // The kind's counter (NextCheque, NextReceipt) of the first row of tblBankDetails.
    // Throws Failure when there is no row, the value is null, or it does not fit 32 bits.
    qint32 readCounter() const;

    bool partyExists(const QString& code) const;
    bool accountExists(const QString& code) const { return m_cashbook.accountExists(code); }
    // Whether any transaction of the book, of whatever type, has this number.
    bool transIdExists(const QString& transId) const { return m_cashbook.transIdExists(transId); }

    // Writes the row and, when counterValue is given, sets the counter to it, in one
    // transaction: both happen or neither. A new row when originalKey is empty, otherwise
    // the stored row with that key (which may get a new key). A duplicate number throws
    // the Failure of a duplicate key.
    void save(const VoucherFields& fields, const QString& originalKey,
              std::optional<qint32> counterValue) const;

private:
    const Database& m_db;
    CashbookStore m_cashbook;
    const VoucherKind& m_kind;
};
