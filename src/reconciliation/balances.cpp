#include "balances.h"

#include "data/cashbooktotals.h"
#include "data/codes.h"
#include "data/database.h"
#include "data/settings.h"
#include "data/sqlnames.h"

#include <QMetaType>

#include <limits>

namespace Balances {

namespace {

Money startingBalance(const Database& db) {
    const QVariant value = db.scalar(QStringLiteral(R"(SELECT "StartingBankBalance" FROM )"
                                                    R"("tblBankDetails" LIMIT 1)"));
    if (!value.isValid())
        throw Failure::noCurrentRecord();
    bool ok = false;
    const qint64 units = value.toLongLong(&ok);
    if (value.isNull() || !ok || value.typeId() == QMetaType::Double ||
        value.typeId() == QMetaType::QString)
        throw Failure(ErrorNumber::InvalidUseOfNull,
                      QStringLiteral("The starting bank balance is not an amount."));
    return Money::fromUnits(units);
}

int wholeSetting(const Database& db, Settings::Key key, const char* what) {
    const QString text = Settings::read(db, key, Settings::Plain).toString().trimmed();
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok)
        throw Failure(ErrorNumber::TypeMismatch,
                      QStringLiteral("The current %1 \"%2\" is not a whole number.")
                          .arg(QLatin1String(what), text));
    return number;
}

Money wholeMoney(const QVariant& sum);

// The sum of the totals matching the condition.
Money totalOf(const Database& db, const QString& condition, const QVariantList& values) {
    return wholeMoney(db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                    .arg(db.dialect().wholeSum(QStringLiteral(R"("Amount")")),
                                         SqlNames::quoted(CashbookTotals::kTable), condition),
                                values));
}

// A sum read from the book as an amount; SQLite turns a sum that leaves 64 bits into a
// floating-point number, which is refused rather than rounded (the server refuses it itself).
Money wholeMoney(const QVariant& sum) {
    if (sum.isNull() || !sum.isValid())
        return {};
    // The server's driver hands a bigint that is not negative over as an unsigned number.
    const bool unsignedWhole = sum.typeId() == QMetaType::ULongLong &&
                               sum.toULongLong() <= quint64(std::numeric_limits<qint64>::max());
    if (sum.typeId() != QMetaType::LongLong && sum.typeId() != QMetaType::Int && !unsignedWhole)
        throw Failure::overflow();
    return Money::fromUnits(sum.toLongLong());
}

// The condition on the statuses each balance counts.
QString countedStatuses() {
    return QStringLiteral(R"("TransStatus" IN ('%1', '%2'))")
        .arg(Codes::Outstanding, Codes::Reconciled);
}

QString reconciledStatus() {
    return QStringLiteral(R"("TransStatus" = '%1')").arg(Codes::Reconciled);
}

} // namespace

Money balanceBefore(const Database& db, int mode, const QDate& day) {
    if (mode != CurrentBalance && mode != StatementBalance)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("There is no balance of mode %1 before a day.").arg(mode));
    const QString statuses = mode == CurrentBalance ? countedStatuses() : reconciledStatus();
    const Money months =
        totalOf(db, statuses + QStringLiteral(R"( AND "Period" >= 0 AND "Period" < ?)"),
                {CashbookTotals::periodOf(day.year(), day.month())});
    // The days of the month before `day`: a range of the date index, a month at most.
    const QVariant days = db.scalar(
        QStringLiteral(R"(SELECT %1 FROM "tblCashbook" WHERE "TransDate" >= ? AND )"
                       R"("TransDate" < ? AND %2)")
            .arg(db.dialect().wholeSum(QStringLiteral(R"("DoubleEntryBank")")), statuses),
        {Codes::dateToStored(QDate(day.year(), day.month(), 1)), Codes::dateToStored(day)});
    return startingBalance(db) + months + wholeMoney(days);
}

Money calcCurrentBalance(const Database& db, int mode) {
    const QString counted = countedStatuses();
    Money sum;
    switch (mode) {
    case CurrentBalance:
        sum = totalOf(db, counted, {});
        break;
    case OpeningBalance: {
        const QString monthText =
            Settings::read(db, Settings::CurrentMonth, Settings::Plain).toString().trimmed();
        const int month = Codes::monthNumber(monthText);
        if (month == 0)
            throw Failure(ErrorNumber::TypeMismatch,
                          QStringLiteral("The current month \"%1\" is no month from 1 to 12.")
                              .arg(monthText));
        const int year = wholeSetting(db, Settings::CurrentYear, "year");
        // Undated transactions are kept under a period below every month.
        sum = totalOf(db, counted + QStringLiteral(R"( AND "Period" >= 0 AND "Period" < ?)"),
                      {CashbookTotals::periodOf(year, month)});
        break;
    }
    case StatementBalance:
        sum = totalOf(db, reconciledStatus(), {});
        break;
    default:
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("There is no balance of mode %1.").arg(mode));
    }
    return startingBalance(db) + sum;
}

} // namespace Balances
