#include "voucherfields.h"

#include "data/failure.h"
#include "data/money.h"
#include "entrycolumns.h"
#include "voucherkind.h"
#include "voucherrules.h"

#include <QSqlRecord>

using EntryColumns::money;
using EntryColumns::moneyValue;
using EntryColumns::text;
using EntryColumns::textValue;

VoucherFields VoucherFields::fromRecord(const QSqlRecord& record, const VoucherKind& kind) {
    VoucherFields f;
    f.party = text(record, kind.partyColumn);
    f.partyName = text(record, kind.partyNameColumn);
    f.address1 = text(record, QStringLiteral("Address1"));
    f.address2 = text(record, QStringLiteral("Address2"));
    f.address3 = text(record, QStringLiteral("Address3"));
    f.address4 = text(record, QStringLiteral("Address4"));
    f.postalCode = text(record, QStringLiteral("PostalCode"));
    f.transType = text(record, QStringLiteral("TransType"));
    f.transId = text(record, QStringLiteral("TransID"));
    f.transDate = text(record, QStringLiteral("TransDate"));
    f.transDesc = text(record, QStringLiteral("TransDesc"));
    f.transDescMemo = text(record, QStringLiteral("TransDescMemo"));
    f.accountCode = text(record, QStringLiteral("OffsetGLAccountCode"));
    f.deptCode = text(record, QStringLiteral("OffsetGLDeptCode"));
    f.accountDesc = text(record, QStringLiteral("OffsetGLAccountDesc"));
    f.baseAmount = money(record, QStringLiteral("OffsetAmount"), Money::Format::Entry);
    f.taxCode = text(record, QStringLiteral("OffsetGSTTaxCode"));
    const QVariant rate = record.value(QStringLiteral("OffsetGSTTaxRate"));
    f.taxRate = rate.isNull() ? QString() : VoucherRules::rateShown(rate.toDouble());
    f.taxAccount = text(record, QStringLiteral("OffsetGSTGLAccountCode"));
    f.taxDept = text(record, QStringLiteral("OffsetGSTGLDeptCode"));
    f.taxAmount = money(record, QStringLiteral("OffsetGSTAmount"), Money::Format::Entry);
    f.total = money(record, QStringLiteral("BankAccountAmount"), Money::Format::Entry);
    f.status = text(record, QStringLiteral("TransStatus"));
    f.doubleEntryBank = money(record, QStringLiteral("DoubleEntryBank"), Money::Format::Report);
    f.doubleEntryOffset = money(record, QStringLiteral("DoubleEntryOffset"), Money::Format::Report);
    f.doubleEntryGst = money(record, QStringLiteral("DoubleEntryGST"), Money::Format::Report);
    f.bankAccount = text(record, QStringLiteral("BankAccountGLAccountCode"));
    f.bankDept = text(record, QStringLiteral("BankAccountGLDeptCode"));
    return f;
}

QVariantMap VoucherFields::toColumns(const VoucherKind& kind) const {
    using VoucherRules::amount;
    QVariantMap c;
    c.insert(kind.partyColumn, textValue(party));
    c.insert(kind.partyNameColumn, textValue(partyName));
    c.insert(QStringLiteral("Address1"), textValue(address1));
    c.insert(QStringLiteral("Address2"), textValue(address2));
    c.insert(QStringLiteral("Address3"), textValue(address3));
    c.insert(QStringLiteral("Address4"), textValue(address4));
    c.insert(QStringLiteral("PostalCode"), textValue(postalCode));
    c.insert(QStringLiteral("TransType"), textValue(transType));
    c.insert(QStringLiteral("TransID"), textValue(transId));
    c.insert(QStringLiteral("TransDate"), textValue(transDate));
    c.insert(QStringLiteral("TransDesc"), textValue(transDesc));
    c.insert(QStringLiteral("TransDescMemo"), textValue(transDescMemo));
    c.insert(QStringLiteral("OffsetGLAccountCode"), textValue(accountCode));
    c.insert(QStringLiteral("OffsetGLDeptCode"), textValue(deptCode));
    c.insert(QStringLiteral("OffsetGLAccountDesc"), textValue(accountDesc));
    const std::optional<Money> base = amount(baseAmount);
    const std::optional<Money> tax = amount(taxAmount);
    c.insert(QStringLiteral("OffsetAmount"), moneyValue(base));
    c.insert(QStringLiteral("OffsetGSTTaxCode"), textValue(taxCode));
    const std::optional<double> rate = VoucherRules::rateToStore(taxRate);
    c.insert(QStringLiteral("OffsetGSTTaxRate"),
             rate ? QVariant(*rate) : QVariant(QMetaType(QMetaType::Double)));
    c.insert(QStringLiteral("OffsetGSTGLAccountCode"), textValue(taxAccount));
    c.insert(QStringLiteral("OffsetGSTGLDeptCode"), textValue(taxDept));
    c.insert(QStringLiteral("OffsetGSTAmount"), moneyValue(tax));
    // The total field shows cents; the stored total is the exact sum of what is stored as
    // base and tax, so that it always agrees with them and with the bank side.
    std::optional<Money> totalValue = amount(total);
    if (totalValue && base)
        totalValue = *base + tax.value_or(Money());
    c.insert(QStringLiteral("BankAccountAmount"), moneyValue(totalValue));
    c.insert(QStringLiteral("BankAccountGLAccountCode"), textValue(bankAccount));
    c.insert(QStringLiteral("BankAccountGLDeptCode"), textValue(bankDept));
    c.insert(QStringLiteral("DoubleEntryBank"), moneyValue(amount(doubleEntryBank)));
    c.insert(QStringLiteral("DoubleEntryOffset"), moneyValue(amount(doubleEntryOffset)));
    c.insert(QStringLiteral("DoubleEntryGST"), moneyValue(amount(doubleEntryGst)));
    c.insert(QStringLiteral("TransStatus"), textValue(status));
    return c;
}
