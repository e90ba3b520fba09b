#include "bankentryfields.h"

#include "data/money.h"
#include "entry/entrycolumns.h"
#include "entry/entryrules.h"

#include <QSqlRecord>

using EntryColumns::money;
using EntryColumns::moneyValue;
using EntryColumns::text;
using EntryColumns::textValue;

BankEntryFields BankEntryFields::fromRecord(const QSqlRecord& record) {
    BankEntryFields f;
    f.transType = text(record, QStringLiteral("TransType"));
    f.transId = text(record, QStringLiteral("TransID"));
    f.transDate = text(record, QStringLiteral("TransDate"));
    f.transDesc = text(record, QStringLiteral("TransDesc"));
    f.amount = money(record, QStringLiteral("OffsetAmount"), Money::Format::Entry);
    f.total = money(record, QStringLiteral("BankAccountAmount"), Money::Format::Entry);
    f.accountCode = text(record, QStringLiteral("OffsetGLAccountCode"));
    f.deptCode = text(record, QStringLiteral("OffsetGLDeptCode"));
    f.accountDesc = text(record, QStringLiteral("OffsetGLAccountDesc"));
    f.status = text(record, QStringLiteral("TransStatus"));
    f.doubleEntryBank = money(record, QStringLiteral("DoubleEntryBank"), Money::Format::Report);
    f.doubleEntryOffset = money(record, QStringLiteral("DoubleEntryOffset"), Money::Format::Report);
    f.bankAccount = text(record, QStringLiteral("BankAccountGLAccountCode"));
    f.bankDept = text(record, QStringLiteral("BankAccountGLDeptCode"));
    return f;
}

QVariantMap BankEntryFields::toColumns() const {
    const std::optional<Money> a = EntryRules::amount(amount);
    const Money sides = a.value_or(Money());
    QVariantMap c;
    c.insert(QStringLiteral("TransType"), textValue(transType));
    c.insert(QStringLiteral("TransID"), textValue(transId));
    c.insert(QStringLiteral("TransDate"), textValue(transDate));
    c.insert(QStringLiteral("TransDesc"), textValue(transDesc));
    c.insert(QStringLiteral("OffsetAmount"), moneyValue(a));
    c.insert(QStringLiteral("BankAccountAmount"), sides.units());
    c.insert(QStringLiteral("DoubleEntryOffset"), sides.units());
    c.insert(QStringLiteral("DoubleEntryBank"), (-sides).units());
    c.insert(QStringLiteral("DoubleEntryGST"), qint64(0));
    c.insert(QStringLiteral("OffsetGLAccountCode"), textValue(accountCode));
    c.insert(QStringLiteral("OffsetGLDeptCode"), textValue(deptCode));
    c.insert(QStringLiteral("OffsetGLAccountDesc"), textValue(accountDesc));
    c.insert(QStringLiteral("BankAccountGLAccountCode"), textValue(bankAccount));
    c.insert(QStringLiteral("BankAccountGLDeptCode"), textValue(bankDept));
    c.insert(QStringLiteral("TransStatus"), textValue(status));
    return c;
}
