#include "companydetailsrow.h"

#include "data/database.h"

#include <QSqlQuery>

std::optional<CompanyDetailsRow> CompanyDetailsRow::load(const Database& db) {
    QSqlQuery query =
        db.exec(QStringLiteral(R"(SELECT "CompanyName", "Address1", "Address2", "Address3" )"
                               R"(FROM "tblSystemSetup" ORDER BY %1 LIMIT 1)")
                    .arg(db.dialect().settingsRowKey()));
    if (!query.next())
        return std::nullopt;
    return CompanyDetailsRow{query.value(0).toString(), query.value(1).toString(),
                             query.value(2).toString(), query.value(3).toString()};
}

bool CompanyDetailsRow::save(const Database& db) const {
    return db.execute(
               QStringLiteral(R"(UPDATE "tblSystemSetup" SET "CompanyName" = ?, "Address1" = ?, )"
                              R"("Address2" = ?, "Address3" = ? )"
                              R"(WHERE %1 = (SELECT min(%1) FROM "tblSystemSetup"))")
                   .arg(db.dialect().settingsRowKey()),
               {companyName, address1, address2, address3}) > 0;
}
