#include "voucherstore.h"

#include "data/database.h"
#include "data/sqlnames.h"
#include "voucherkind.h"

qint32 VoucherStore::nextUnusedNumber() const {
    return m_cashbook.nextUnusedNumber(m_kind.counterColumn);
}

std::optional<PartyChoice> VoucherStore::party(const QString& code) const {
    QSqlQuery query = m_db.exec(
        QStringLiteral(
            R"(SELECT %1, %2, "Address1", "Address2", "Address3", "Address4", "PostalCode" )"
            "FROM %3 WHERE %1 = ? LIMIT 1")
            .arg(SqlNames::quoted(m_kind.partyKeyColumn),
                 SqlNames::quoted(m_kind.partyMasterNameColumn),
                 SqlNames::quoted(m_kind.partyTable)),
        {code});
    if (!query.next())
        return std::nullopt;
    PartyChoice p;
    p.code = query.value(0).toString();
    p.name = query.value(1).toString();
    for (int i = 0; i < 4; ++i)
        p.address[i] = query.value(2 + i).toString();
    p.postalCode = query.value(6).toString();
    return p;
}

std::optional<VoucherStore::TaxCode> VoucherStore::taxCode(const QString& code) const {
    QSqlQuery query =
        m_db.exec(QStringLiteral(R"(SELECT "TaxCode", "TaxRate", "GLAccountCode", )"
                                 R"("GLAccountDept" FROM "tblTaxTable" WHERE "TaxCode" = ?)"),
                  {code});
    if (!query.next())
        return std::nullopt;
    TaxCode t;
    t.code = query.value(0).toString();
    if (!query.value(1).isNull())
        t.rate = query.value(1).toDouble();
    t.account = query.value(2).toString();
    t.dept = query.value(3).toString();
    return t;
}
