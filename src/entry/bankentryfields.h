#pragma once

#include <QString>
#include <QVariantMap>

class QSqlRecord;

// The texts of a bank entry's bound fields (a bank charge, bank interest or a miscellaneous
// entry): the row as the window shows and edits it. The amount is a field text ("12.50",
// "($3.10)"), the date stored text (YYYY-MM-DD).
struct BankEntryFields {
    QString transType;
    QString transId;
    QString transDate;
    QString transDesc;
    QString amount;      // txtOffsetAmount: positive paid out, negative received
    QString total;       // txtTotal (BankAccountAmount)
    QString accountCode; // cboGLOffsetAccountCode
    QString deptCode;
    QString accountDesc;
    QString status; // txtReconciliationStatus
    QString doubleEntryBank, doubleEntryOffset;
    QString bankAccount, bankDept;

    // A stored row as the window shows it: the amount and total as "$#,##0.00" with
    // negatives in parentheses, the hidden double-entry fields with a minus sign, nulls as
    // empty texts.
    static BankEntryFields fromRecord(const QSqlRecord& record);

    // The columns a save writes, with the values to store. The bank amount and the double
    // entry are worked out from the amount here, whatever the derived fields hold, so that a
    // stored row always balances: BankAccountAmount and DoubleEntryOffset are the amount,
    // DoubleEntryBank minus the amount, and DoubleEntryGST 0 (there is no tax side); all
    // 0 when there is no amount. Throws Failure for an amount that cannot be read.
    QVariantMap toColumns() const;

    bool operator==(const BankEntryFields&) const = default;
};
