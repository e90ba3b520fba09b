#pragma once

#include <QString>

class Database;

// Period-end processing: the book moves from its current fiscal month to the next.
namespace PeriodEnd {

struct FiscalPeriod {
    int month = 0; // 1 to 12
    int year = 0;
    bool operator==(const FiscalPeriod&) const = default;
};

// The current fiscal month and year of tblBankDetails. Throws Failure when the month is no
// whole number from 1 to 12 or the year no whole number.
FiscalPeriod current(const Database& db);

// The month after: December rolls over to January of the next year.
FiscalPeriod next(FiscalPeriod period);

// The period-end step itself: writes the month after the current one, month and year
// together in one transaction, and returns it. Whatever must be done to the book before it
// moves on is done by the caller just before this call (PeriodEndCommand). Throws Failure;
// the settings are then as they were.
FiscalPeriod advance(const Database& db);

} // namespace PeriodEnd
