#include "settings.h"

#include "data/codes.h"
#include "data/database.h"

namespace Settings {

QString lookupQuery(int key, int subKey) {
    auto account = [subKey](const char* table, const char* code, const char* dept,
                            const char* desc) {
        const char* field = subKey == 0 ? code : subKey == 1 ? dept : desc;
        return QStringLiteral(R"(SELECT "%1" FROM "%2";)")
            .arg(QLatin1String(field), QLatin1String(table));
    };
    auto single = [](const char* table, const char* field) {
        return QStringLiteral(R"(SELECT "%1" FROM "%2";)")
            .arg(QLatin1String(field), QLatin1String(table));
    };
    switch (key) {
    case 0:
        return account("tblAccpacSettings", "GLAPClearing", "GLAPClearingDept", "GLAPClearingDesc");
    case 1:
        return account("tblAccpacSettings", "GLAPControl", "GLAPControlDept", "GLAPControlDesc");
    case 2:
        return single("tblAccpacSettings", "IntegrateWithAP");
    case 3:
        return account("tblAccpacSettings", "GLARClearing", "GLARClearingDept", "GLARClearingDesc");
    case 4:
        return account("tblAccpacSettings", "GLARControl", "GLARControlDept", "GLARControlDesc");
    case 5:
        return single("tblAccpacSettings", "IntegrateWithAR");
    case 6:
        return single("tblAccpacSettings", "GLSingleMultiCurrency");
    case 7:
        return single("tblAccpacSettings", "GLSourceCode");
    case 8:
        return single("tblAccpacSettings", "GLHomeCurrency");
    case 9:
        return single("tblAccpacSettings", "GLRateType");
    case 10:
        return account("tblSystemSetup", "GLBankAccountCode", "BankAccountDept", "BankAccountDesc");
    case 11:
        return single("tblBankDetails", "CurrentMonth");
    case 12:
        return single("tblBankDetails", "CurrentYear");
    default:
        return {};
    }
}

QVariant read(const Database& db, int key, int subKey) {
    const QString sql = lookupQuery(key, subKey);
    if (sql.isEmpty())
        throw Failure(ErrorNumber::UnknownSetting,
                      QStringLiteral("There is no setting with the key %1.").arg(key));
    QSqlQuery query = db.exec(sql);
    if (!query.next())
        throw Failure::noCurrentRecord();
    QVariant value = query.value(0);
    if (value.isNull())
        value = QString();
    if (subKey == MonthName)
        return Codes::monthName(value.toString());
    return value;
}

bool isTrue(const QVariant& value) {
    const QString text = value.toString().trimmed();
    return text == QLatin1String("1") ||
           text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
           text == QLatin1String("-1");
}

} // namespace Settings
