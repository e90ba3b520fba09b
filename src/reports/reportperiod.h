#pragma once

#include <QDate>
#include <QString>

// The dates a month-based report covers: the current fiscal month (the report as it has always
// been, from the current month's work), or a look back at an earlier month or a range of days.
struct ReportPeriod {
    enum class Kind { CurrentMonth, Month, Range };

    Kind kind = Kind::CurrentMonth;
    QDate first;
    QDate last;

    static ReportPeriod currentMonth(const QDate& first, const QDate& last) {
        return {Kind::CurrentMonth, first, last};
    }
    // The calendar month of `day`.
    static ReportPeriod month(const QDate& day);
    static ReportPeriod range(const QDate& first, const QDate& last) {
        return {Kind::Range, first, last};
    }

    bool isLookBack() const { return kind != Kind::CurrentMonth; }
    // What a report's heading calls the period: "March 2024", or "1 March 2024 to 15 April
    // 2024".
    QString name() const;
    // A day as the headings name it: "15 April 2024".
    static QString dayName(const QDate& day);
};
