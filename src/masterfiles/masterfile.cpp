#include "masterfile.h"

#include "data/sqlnames.h"

const MasterFile& MasterFile::accounts() {
    static const MasterFile file{
        Kind::Accounts,
        QStringLiteral("tblChartOfAccounts"),
        QStringLiteral(
            R"(Select "AccountCode", "DeptCode", "AccountDescription" from "tblChartOfAccounts")"),
        {QStringLiteral("AccountCode"), QStringLiteral("DeptCode"),
         QStringLiteral("AccountDescription")}};
    return file;
}

const MasterFile& MasterFile::customers() {
    static const MasterFile file{
        Kind::Customers,
        QStringLiteral("tblCustomers"),
        QStringLiteral(R"(Select "CustID", )"
                       R"("CustName","Address1","Address2","Address3","Address4","PostalCode" )"
                       R"(from "tblCustomers")"),
        {QStringLiteral("CustID"), QStringLiteral("CustName"), QStringLiteral("Address1"),
         QStringLiteral("Address2"), QStringLiteral("Address3"), QStringLiteral("Address4"),
         QStringLiteral("PostalCode")}};
    return file;
}

const MasterFile& MasterFile::vendors() {
    static const MasterFile file{
        Kind::Vendors,
        QStringLiteral("tblVendors"),
        QStringLiteral(R"(Select "VendorID", )"
                       R"("VendorName","Address1","Address2","Address3","Address4","PostalCode" )"
                       R"(from "tblVendors")"),
        {QStringLiteral("VendorID"), QStringLiteral("VendorName"), QStringLiteral("Address1"),
         QStringLiteral("Address2"), QStringLiteral("Address3"), QStringLiteral("Address4"),
         QStringLiteral("PostalCode")}};
    return file;
}

const MasterFile& MasterFile::of(Kind kind) {
    switch (kind) {
    case Kind::Accounts:
        return accounts();
    case Kind::Customers:
        return customers();
    case Kind::Vendors:
        break;
    }
    return vendors();
}

QString MasterFile::insertStatement() const {
    QStringList columns = fields;
    if (kind == Kind::Accounts)
        columns << QStringLiteral("AcctDept");
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO ") + SqlNames::quoted(table) + QStringLiteral(" (") +
           SqlNames::quoted(columns).join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           marks.join(QStringLiteral(", ")) + QStringLiteral(")");
}

QVariantList MasterFile::insertValues(const QStringList& values) const {
    QVariantList bound;
    bound.reserve(values.size() + 1);
    // An empty value is stored as empty text, never Null (the department of an account
    // without one is an empty text).
    auto text = [](const QString& value) {
        return value.isNull() ? QString::fromLatin1("", 0) : value;
    };
    for (const QString& value : values)
        bound << text(value);
    if (kind == Kind::Accounts)
        bound << values.value(0) + QLatin1Char(',') + values.value(1);
    return bound;
}
