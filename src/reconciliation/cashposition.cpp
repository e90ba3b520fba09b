#include "cashposition.h"

#include "data/codes.h"
#include "data/database.h"
#include "reconciliation/balances.h"

namespace {

// Per day of the period: the change of the cashbook balance, of the reconciled balance, the
// money in and the money out. The statuses are those the balances count.
const char* const kDays =
    R"(SELECT "TransDate", %1, %2, %3, %4 FROM "tblCashbook" WHERE "TransDate" >= ? AND )"
    R"("TransDate" <= ? AND "TransStatus" IN ('%5', '%6') GROUP BY "TransDate" ORDER BY )"
    R"("TransDate")";

Money amount(const QVariant& value) {
    return Money::fromUnits(value.toLongLong());
}

} // namespace

CashPosition CashPosition::read(const Database& db, const QDate& first, const QDate& last) {
    CashPosition position;
    position.first = first;
    position.last = last;
    Money cashbook = Balances::balanceBefore(db, Balances::CurrentBalance, first);
    Money reconciled = Balances::balanceBefore(db, Balances::StatementBalance, first);
    if (last < first)
        return position;

    const SqlDialect& dialect = db.dialect();
    const QString bank = QStringLiteral(R"("DoubleEntryBank")");
    const QString sql =
        QString::fromLatin1(kDays)
            .arg(dialect.wholeSum(bank),
                 dialect.wholeSum(QStringLiteral(R"(CASE WHEN "TransStatus" = '%1' THEN %2 )"
                                                 "ELSE 0 END")
                                      .arg(Codes::Reconciled, bank)),
                 dialect.wholeSum(QStringLiteral("CASE WHEN %1 > 0 THEN %1 ELSE 0 END").arg(bank)),
                 dialect.wholeSum(QStringLiteral("CASE WHEN %1 < 0 THEN %1 ELSE 0 END").arg(bank)))
            .arg(Codes::Outstanding, Codes::Reconciled);
    QSqlQuery days = db.exec(sql, {Codes::dateToStored(first), Codes::dateToStored(last)});
    bool more = days.next();
    const qint64 count = first.daysTo(last) + 1;
    position.cashbook.reserve(count);
    position.reconciled.reserve(count);
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (position.months.isEmpty() || day.day() == 1)
            position.months << Month{day, {}, {}};
        // A day without transactions carries the balance of the day before; a stored date
        // that is no day of the calendar is passed over.
        const QString stored = Codes::dateToStored(day);
        while (more && days.value(0).toString() < stored)
            more = days.next();
        if (more && days.value(0).toString() == stored) {
            cashbook += amount(days.value(1));
            reconciled += amount(days.value(2));
            position.months.last().in += amount(days.value(3));
            position.months.last().out += amount(days.value(4));
            more = days.next();
        }
        position.cashbook << cashbook;
        position.reconciled << reconciled;
    }
    return position;
}

QDate CashPosition::periodStart(const Database& db, const QDate& today, int months) {
    if (months > 0)
        return today.addMonths(-months).addDays(1);
    const QDate earliest = Codes::dateFromStored(
        db.scalar(QStringLiteral(R"(SELECT MIN("TransDate") FROM "tblCashbook" WHERE )"
                                 R"("TransDate" IS NOT NULL AND "TransDate" <> '')"))
            .toString());
    return earliest.isValid() && earliest < today ? earliest : today;
}
