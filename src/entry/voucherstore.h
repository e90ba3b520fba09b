#pragma once

#include "entry/cashbookstore.h"
#include "masters/choices.h"

#include <QString>
#include <QtGlobal>
#include <optional>

class Database;
struct VoucherKind;

// The voucher window's reads of the book: the number to offer from the kind's counter, and
// the payee (payer) and tax code records that a typed code fills the window from.
class VoucherStore {
public:
    VoucherStore(const Database& db, const VoucherKind& kind)
        : m_db(db), m_cashbook(db), m_kind(kind) {}

    // The kind's counter (NextCheque, NextReceipt), moved past any number a transaction
    // already holds. Throws Failure when there is no row, the value is null, or it does not
    // fit 32 bits.
    qint32 nextUnusedNumber() const;

    // A vendor's (customer's) record: the values its chooser hands back.
    std::optional<PartyChoice> party(const QString& code) const;

    // A tax code's record: the values its chooser hands back, the rate as a fraction.
    struct TaxCode {
        QString code;
        std::optional<double> rate;
        QString account;
        QString dept;
    };
    std::optional<TaxCode> taxCode(const QString& code) const;

private:
    const Database& m_db;
    CashbookStore m_cashbook;
    const VoucherKind& m_kind;
};
