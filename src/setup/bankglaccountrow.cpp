#include "bankglaccountrow.h"

#include "data/database.h"

#include <QSqlQuery>

std::optional<BankGlAccountRow> BankGlAccountRow::load(const Database& db) {
    QSqlQuery query = db.exec(QStringLiteral(R"(SELECT "GLBankAccountCode", "BankAccountDept", )"
                                             R"("BankAccountDesc" FROM "tblSystemSetup" )"
                                             "ORDER BY %1 LIMIT 1")
                                  .arg(db.dialect().settingsRowKey()));
    if (!query.next())
        return std::nullopt;
    return BankGlAccountRow{query.value(0).toString(), query.value(1).toString(),
                            query.value(2).toString()};
}

bool BankGlAccountRow::save(const Database& db) const {
    return db.execute(QStringLiteral(R"(UPDATE "tblSystemSetup" SET "GLBankAccountCode" = ?, )"
                                     R"("BankAccountDept" = ?, "BankAccountDesc" = ? )"
                                     R"(WHERE %1 = (SELECT min(%1) FROM "tblSystemSetup"))")
                          .arg(db.dialect().settingsRowKey()),
                      {accountCode, deptCode, description}) > 0;
}
