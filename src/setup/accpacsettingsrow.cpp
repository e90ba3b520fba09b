#include "accpacsettingsrow.h"

#include "data/database.h"
#include "data/settings.h"

#include <QSqlQuery>

namespace {

const char* const kFields =
    "GLSourceCode, GLSingleMultiCurrency, GLHomeCurrency, GLRateType, "
    "IntegrateWithAR, GLARControl, GLARControlDept, GLARControlDesc, "
    "GLARClearing, GLARClearingDept, GLARClearingDesc, ARControlAccountSet, "
    "IntegrateWithAP, GLAPControl, GLAPControlDept, GLAPControlDesc, "
    "GLAPClearing, GLAPClearingDept, GLAPClearingDesc, APBankCode";

} // namespace

std::optional<AccpacSettingsRow> AccpacSettingsRow::load(const Database& db) {
    QSqlQuery query =
        db.exec(QStringLiteral("SELECT %1 FROM tblAccpacSettings ORDER BY rowid LIMIT 1")
                    .arg(QLatin1String(kFields)));
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
                   "UPDATE tblAccpacSettings SET GLSourceCode = ?, GLSingleMultiCurrency = ?, "
                   "GLHomeCurrency = ?, GLRateType = ?, IntegrateWithAR = ?, GLARControl = ?, "
                   "GLARControlDept = ?, GLARControlDesc = ?, GLARClearing = ?, "
                   "GLARClearingDept = ?, GLARClearingDesc = ?, ARControlAccountSet = ?, "
                   "IntegrateWithAP = ?, GLAPControl = ?, GLAPControlDept = ?, "
                   "GLAPControlDesc = ?, GLAPClearing = ?, GLAPClearingDept = ?, "
                   "GLAPClearingDesc = ?, APBankCode = ? "
                   "WHERE rowid = (SELECT min(rowid) FROM tblAccpacSettings)"),
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
