#include "cashbooktotals.h"

#include "database.h"

namespace CashbookTotals {

namespace {

// The month and status of a row seen by a trigger as NEW or OLD.
QString periodOfRow(const QString& row) {
    return QStringLiteral("CASE WHEN %1.TransDate IS NULL THEN %2 ELSE "
                          "CAST(substr(%1.TransDate, 1, 4) AS INTEGER) * 100 + "
                          "CAST(substr(%1.TransDate, 6, 2) AS INTEGER) END")
        .arg(row)
        .arg(kNoPeriod);
}

QString statusOfRow(const QString& row) {
    return QStringLiteral("IFNULL(%1.TransStatus, '')").arg(row);
}

// Adds a row's amount to its total (sign "+"), or takes it off (sign "-"); a total that
// no longer counts a transaction goes, so the table holds exactly the months in use.
QString change(const QString& row, const QChar sign) {
    const QString status = statusOfRow(row);
    const QString period = periodOfRow(row);
    const QString key = QStringLiteral("TransStatus = %1 AND Period = %2").arg(status, period);
    QString sql;
    if (sign == QLatin1Char('+'))
        sql += QStringLiteral("INSERT OR IGNORE INTO %1 (TransStatus, Period, Amount, "
                              "Transactions) VALUES (%2, %3, 0, 0); ")
                   .arg(kTable, status, period);
    sql += QStringLiteral("UPDATE %1 SET Amount = Amount %2 IFNULL(%3.DoubleEntryBank, 0), "
                          "Transactions = Transactions %2 1 WHERE %4; ")
               .arg(kTable, sign, row, key);
    if (sign == QLatin1Char('-'))
        sql += QStringLiteral("DELETE FROM %1 WHERE %2 AND Transactions = 0; ").arg(kTable, key);
    return sql;
}

} // namespace

void create(const Database& db) {
    db.exec(
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (TransStatus TEXT COLLATE NOCASE NOT NULL, "
                       "Period INTEGER NOT NULL, Amount INTEGER NOT NULL, "
                       "Transactions INTEGER NOT NULL, PRIMARY KEY (TransStatus, Period)) "
                       "WITHOUT ROWID")
            .arg(kTable));
    const QString newRow = QStringLiteral("NEW");
    const QString oldRow = QStringLiteral("OLD");
    db.exec(QStringLiteral(
                "CREATE TRIGGER IF NOT EXISTS trgCashbookTotalsInsert AFTER INSERT ON tblCashbook "
                "BEGIN %1END")
                .arg(change(newRow, QLatin1Char('+'))));
    db.exec(QStringLiteral(
                "CREATE TRIGGER IF NOT EXISTS trgCashbookTotalsDelete AFTER DELETE ON tblCashbook "
                "BEGIN %1END")
                .arg(change(oldRow, QLatin1Char('-'))));
    db.exec(QStringLiteral(
                "CREATE TRIGGER IF NOT EXISTS trgCashbookTotalsUpdate AFTER UPDATE OF TransStatus, "
                "TransDate, DoubleEntryBank ON tblCashbook BEGIN %1%2END")
                .arg(change(oldRow, QLatin1Char('-')), change(newRow, QLatin1Char('+'))));
    // The reconciliation list reads the outstanding transactions in date order by this.
    db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS idxCashbookStatusDateID ON tblCashbook "
                           "(TransStatus, TransDate, TransID)"));
    // Run again, it counts the book afresh.
    db.exec(QStringLiteral("DELETE FROM %1").arg(kTable));
    db.exec(QStringLiteral("INSERT INTO %1 (TransStatus, Period, Amount, Transactions) "
                           "SELECT %2 COLLATE NOCASE, %3, SUM(IFNULL(DoubleEntryBank, 0)), "
                           "COUNT(*) FROM tblCashbook AS c GROUP BY 1, 2")
                .arg(kTable, statusOfRow(QStringLiteral("c")), periodOfRow(QStringLiteral("c"))));
}

} // namespace CashbookTotals
