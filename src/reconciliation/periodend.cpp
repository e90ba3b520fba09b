#include "periodend.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/settings.h"

namespace PeriodEnd {

namespace {

int whole(const Database& db, Settings::Key key, const char* what, int low, int high) {
    const QString text = Settings::read(db, key, Settings::Plain).toString().trimmed();
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < low || number > high)
        throw Failure(
            ErrorNumber::TypeMismatch,
            QStringLiteral("The current %1 \"%2\" cannot be read.").arg(QLatin1String(what), text));
    return number;
}

} // namespace

FiscalPeriod current(const Database& db) {
    const QString month = Settings::read(db, Settings::CurrentMonth, Settings::Plain).toString();
    const int number = Codes::monthNumber(month);
    if (number == 0)
        throw Failure(
            ErrorNumber::TypeMismatch,
            QStringLiteral("The current month \"%1\" cannot be read.").arg(month.trimmed()));
    return {number, whole(db, Settings::CurrentYear, "year", 1, 9998)};
}

FiscalPeriod next(FiscalPeriod period) {
    if (period.month == 12)
        return {1, period.year + 1};
    return {period.month + 1, period.year};
}

FiscalPeriod advance(const Database& db) {
    Transaction transaction(db);
    const FiscalPeriod moved = next(current(db));
    // The settings table has exactly one row; the first is the one every reader takes.
    const int written = db.execute(
        QStringLiteral(R"(UPDATE "tblBankDetails" SET "CurrentMonth" = ?, "CurrentYear" = ? WHERE )"
                       R"(%1 = (SELECT %1 FROM "tblBankDetails" LIMIT 1))")
            .arg(db.dialect().settingsRowKey()),
        {QString::number(moved.month), QString::number(moved.year)});
    if (written != 1)
        throw Failure::noCurrentRecord();
    transaction.commit();
    return moved;
}

} // namespace PeriodEnd
