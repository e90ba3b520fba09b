#include "accpacsettingsrow.h"

#include "data/database.h"
#include "data/settings.h"

#include <QSqlQuery>

namespace {

const char* const kFields =
    R"("GLSourceCode", "GLSingleMultiCurrency", "GLHomeCurrency", "GLRateType", )"
    R"("IntegrateWithAR", "GLARControl", "GLARControlDept", "GLARControlDesc", "GLARClearing", )"
    R"("GLARClearingDept", "GLARClearingDesc", "ARControlAccountSet", "IntegrateWithAP", )"
    R"("GLAPControl", "GLAPControlDept", "GLAPControlDesc", "GLAPClearing", "GLAPClearingDept", )"
    R"("GLAPClearingDesc", "APBankCode")";

} // namespace

std::optional<AccpacSettingsRow> AccpacSettingsRow::load(const Database& db) {
    QSqlQuery query =
        db.exec(QStringLiteral(R"(SELECT %1 FROM "tblAccpacSettings" ORDER BY %2 LIMIT 1)")
                    .arg(QLatin1String(kFields), db.dialect().settingsRowKey()));
    if (!query.next())
        return std::nullopt;
    int i = 0;
    auto text = [&query, &i] { return query.value(i++).toString(); };
    auto account = [&text] {
        Account a;
        a.code = text();
        a.dept = text();
        a.description = text();
        return a;
    };
    AccpacSettingsRow row;
    row.glSourceCode = text();
    row.singleMultiCurrency = text();
    row.homeCurrency = text();
    row.rateType = text();
    row.integrateWithAR = Settings::isTrue(query.value(i++));
    row.arControl = account();
    row.arClearing = account();
    row.arControlAccountSet = text();
    row.integrateWithAP = Settings::isTrue(query.value(i++));
    row.apControl = account();
    row.apClearing = account();
    row.apBankCode = text();
    return row;
}

bool AccpacSettingsRow::save(const Database& db) const {
    return db.execute(
               QStringLiteral(
                   R"(UPDATE "tblAccpacSettings" SET "GLSourceCode" = ?, "GLSingleMultiCurrency" )"
                   R"(= ?, "GLHomeCurrency" = ?, "GLRateType" = ?, "IntegrateWithAR" = ?, )"
                   R"("GLARControl" = ?, "GLARControlDept" = ?, "GLARControlDesc" = ?, )"
                   R"("GLARClearing" = ?, "GLARClearingDept" = ?, "GLARClearingDesc" = ?, )"
                   R"("ARControlAccountSet" = ?, "IntegrateWithAP" = ?, "GLAPControl" = ?, )"
                   R"("GLAPControlDept" = ?, "GLAPControlDesc" = ?, "GLAPClearing" = ?, )"
                   R"("GLAPClearingDept" = ?, "GLAPClearingDesc" = ?, "APBankCode" = ? )"
                   R"(WHERE %1 = (SELECT min(%1) FROM "tblAccpacSettings"))")
                   .arg(db.dialect().settingsRowKey()),
               {glSourceCode,
                singleMultiCurrency,
                homeCurrency,
                rateType,
                integrateWithAR ? 1 : 0,
                arControl.code,
                arControl.dept,
                arControl.description,
                arClearing.code,
                arClearing.dept,
                arClearing.description,
                arControlAccountSet,
                integrateWithAP ? 1 : 0,
                apControl.code,
                apControl.dept,
                apControl.description,
                apClearing.code,
                apClearing.dept,
                apClearing.description,
                apBankCode}) > 0;
}
