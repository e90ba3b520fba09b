#include "reportletterhead.h"

#include "data/database.h"
#include "reports/reportlayout.h"

#include <QSqlQuery>

namespace ReportLetterhead {

namespace {

// The first row of a single-row settings table into the labels, field by field.
void fill(const Database& db, const QString& select, const QStringList& labels,
          ReportLayout& layout) {
    QSqlQuery query = db.exec(select);
    if (!query.next())
        return;
    for (qsizetype i = 0; i < labels.size(); ++i)
        layout.setLabel(labels.at(i), query.value(int(i)).toString().trimmed());
}

} // namespace

void addIssuer(const Database& db, ReportLayout& layout) {
    fill(db,
         QStringLiteral(
             R"(SELECT "CompanyName", "Address1", "Address2", "Address3" FROM "tblSystemSetup")"),
         {QStringLiteral("lblCompanyName"), QStringLiteral("lblCompanyAddress1"),
          QStringLiteral("lblCompanyAddress2"), QStringLiteral("lblCompanyAddress3")},
         layout);
}

void addBank(const Database& db, ReportLayout& layout) {
    fill(db, QStringLiteral(R"(SELECT "BankName", "BankAccountNumber" FROM "tblBankDetails")"),
         {QStringLiteral("lblBankName"), QStringLiteral("lblBankAccountNumber")}, layout);
}

} // namespace ReportLetterhead
