#pragma once

#include "data/money.h"

#include <QDate>
#include <QList>

class Database;

// The figures of the cash position chart: the bank balance at the end of every day of a
// period (the cashbook balance, and the reconciled balance with the statuses as they are now),
// and the money in and out of every calendar month of it. Reversed and void transactions never
// count, as in every balance (Balances). The balance the period opens with comes from the
// maintained totals; the days come from one query grouped by day, so the program never reads
// the transactions one by one.
struct CashPosition {
    struct Month {
        QDate first; // the month's first day (the period's first day for its first month)
        Money in;    // the sum of the positive bank amounts
        Money out;   // the sum of the negative ones, negative
    };

    QDate first;
    QDate last;
    // One value a day from `first` to `last`: the balance at the end of that day.
    QList<Money> cashbook;
    QList<Money> reconciled;
    QList<Month> months;

    // The position from `first` to `last`. Throws Failure as the balances do.
    static CashPosition read(const Database& db, const QDate& first, const QDate& last);

    // The first day of the last `months` months up to `today` (the day after the same day
    // `months` months before); with 0 months, the first dated transaction's day (`today` in a
    // book without one): the whole of the book.
    static QDate periodStart(const Database& db, const QDate& today, int months);
};
