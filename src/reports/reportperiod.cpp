#include "reportperiod.h"

#include "data/codes.h"

ReportPeriod ReportPeriod::month(const QDate& day) {
    const QDate first(day.year(), day.month(), 1);
    return {Kind::Month, first, first.addMonths(1).addDays(-1)};
}

QString ReportPeriod::name() const {
    if (kind != Kind::Range)
        return QStringLiteral("%1 %2").arg(Codes::monthName(first.month())).arg(first.year());
    return QStringLiteral("%1 to %2").arg(dayName(first), dayName(last));
}

QString ReportPeriod::dayName(const QDate& day) {
    return QStringLiteral("%1 %2 %3")
        .arg(day.day())
        .arg(Codes::monthName(day.month()))
        .arg(day.year());
}
