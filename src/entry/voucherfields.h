#pragma once

#include <QString>
#include <QVariantMap>

class QSqlRecord;
struct VoucherKind;

// The texts of a voucher's bound fields: the row as the window shows and edits it.
// Amounts are field texts ("$1,234.50", "(5.00)"), the date is stored text (YYYY-MM-DD),
// the rate is either a fraction ("0.07") or the percentage a stored row shows ("7.00%").
struct VoucherFields {
    QString party; // txtVendorID / txtCustomerID
    QString partyName;
    QString address1, address2, address3, address4, postalCode;
    QString transType;
    QString transId;
    QString transDate;
    QString transDesc;
    QString transDescMemo;
    QString accountCode; // cboGLOffsetAccountCode
    QString deptCode;
    QString accountDesc;
    QString baseAmount; // txtOffsetAmount
    QString taxCode;    // cboGSTCode
    QString taxRate;
    QString taxAccount;
    QString taxDept;
    QString taxAmount; // txtGSTAmount
    QString total;     // txtTotal
    QString status;    // txtReconciliationStatus
    QString doubleEntryBank, doubleEntryOffset, doubleEntryGst;
    QString bankAccount, bankDept;

    // A stored row as the window shows it: money as "$#,##0.00" with negatives in
    // parentheses (the hidden double-entry fields without them), the rate as "0.00%",
    // nulls as empty texts.
    static VoucherFields fromRecord(const QSqlRecord& record, const VoucherKind& kind);

    // The columns a save writes, with the values to store: empty texts become nulls,
    // amounts ten-thousandths, the rate a fraction. Throws Failure for an amount or rate
    // text that cannot be read.
    QVariantMap toColumns(const VoucherKind& kind) const;

    bool operator==(const VoucherFields&) const = default;
};
