#include "cashbooktotals.h"

#include "database.h"

namespace CashbookTotals {

namespace {

// The month and status of a row seen by a trigger as NEW or OLD, or of a row of a query.
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

QString amountOfRow(const QString& row) {
    return QStringLiteral("IFNULL(%1.DoubleEntryBank, 0)").arg(row);
}

// The triggers the totals were first kept by (format version 2), kept exactly as they were
// made so that a book of that version holds what its version made. Their INSERT OR IGNORE
// takes on the conflict clause of the outer statement; renew() replaces them.
QString firstChange(const QString& row, const QChar sign) {
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

// The totals counted from the transactions: status, period, amount, transactions.
QString countedTotals() {
    const QString c = QStringLiteral("c");
    return QStringLiteral("SELECT %1 COLLATE NOCASE AS TransStatus, %2 AS Period, SUM(%3) AS "
                          "Amount, COUNT(*) AS Transactions FROM tblCashbook AS c GROUP BY 1, 2")
        .arg(statusOfRow(c), periodOfRow(c), amountOfRow(c));
}

// Adds a row's amount to its total: an existing total is updated, a missing one inserted.
// Neither statement can meet a conflict, whatever clause the outer statement carries.
QString add(const QString& row) {
    const QString key =
        QStringLiteral("TransStatus = %1 AND Period = %2").arg(statusOfRow(row), periodOfRow(row));
    return QStringLiteral("UPDATE %1 SET Amount = Amount + %2, Transactions = Transactions + 1 "
                          "WHERE %3; "
                          "INSERT INTO %1 (TransStatus, Period, Amount, Transactions) SELECT %4, "
                          "%5, %2, 1 WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE %3); ")
        .arg(kTable, amountOfRow(row), key, statusOfRow(row), periodOfRow(row));
}

// Takes a row's amount off its total; a total that no longer counts a transaction goes, so
// the table holds exactly the months in use.
QString takeOff(const QString& row) {
    const QString key =
        QStringLiteral("TransStatus = %1 AND Period = %2").arg(statusOfRow(row), periodOfRow(row));
    return QStringLiteral("UPDATE %1 SET Amount = Amount - %2, Transactions = Transactions - 1 "
                          "WHERE %3; "
                          "DELETE FROM %1 WHERE %3 AND Transactions = 0; ")
        .arg(kTable, amountOfRow(row), key);
}

// Before a write that may displace rows: notes the rows of tblCashbook that `which` names
// (a REPLACE would remove them to make way).
QString noteDisplaceable(const QString& which) {
    const QString c = QStringLiteral("c");
    return QStringLiteral("DELETE FROM %1; "
                          "INSERT INTO %1 (RowKey, TransStatus, Period, Amount) SELECT c.rowid, "
                          "%2, %3, %4 FROM tblCashbook AS c WHERE %5; ")
        .arg(kDisplacedTable, statusOfRow(c), periodOfRow(c), amountOfRow(c), which);
}

// After that write: the noted rows that are gone (or whose place the written row took) were
// displaced, and come off their totals.
QString takeOffDisplaced() {
    // The tables written are qualified by their own names, not by aliases.
    return QStringLiteral(
               "DELETE FROM %1 WHERE RowKey <> NEW.rowid AND EXISTS (SELECT 1 FROM tblCashbook "
               "AS c WHERE c.rowid = %1.RowKey); "
               "UPDATE %2 SET Amount = Amount - (SELECT SUM(p.Amount) FROM %1 AS p WHERE "
               "p.TransStatus = %2.TransStatus AND p.Period = %2.Period), Transactions = "
               "Transactions - (SELECT COUNT(*) FROM %1 AS p WHERE p.TransStatus = "
               "%2.TransStatus AND p.Period = %2.Period) WHERE (TransStatus, Period) IN (SELECT "
               "TransStatus, Period FROM %1); "
               "DELETE FROM %2 WHERE Transactions = 0 AND (TransStatus, Period) IN (SELECT "
               "TransStatus, Period FROM %1); "
               "DELETE FROM %1; ")
        .arg(kDisplacedTable, kTable);
}

// The same on the server: its CAST refuses a text that is not a number, where SQLite's takes
// the digits it starts with; the leading digits are taken here, so both count a month alike.
QString serverPeriodOfRow(const QString& row) {
    const auto digits = [&](int from, int count) {
        return QStringLiteral("CAST(COALESCE(NULLIF(substring(substr(%1.\"TransDate\", %2, %3) "
                              "FROM '^[0-9]+'), ''), '0') AS integer)")
            .arg(row)
            .arg(from)
            .arg(count);
    };
    return QStringLiteral("CASE WHEN %1.\"TransDate\" IS NULL THEN %2 ELSE %3 * 100 + %4 END")
        .arg(row)
        .arg(kNoPeriod)
        .arg(digits(1, 4), digits(6, 2));
}

QString serverCountedTotals() {
    return QStringLiteral("SELECT COALESCE(c.\"TransStatus\", '') AS \"TransStatus\", %1 AS "
                          "\"Period\", SUM(COALESCE(c.\"DoubleEntryBank\", 0)) AS \"Amount\", "
                          "COUNT(*) AS \"Transactions\" FROM \"tblCashbook\" AS c GROUP BY 1, 2")
        .arg(serverPeriodOfRow(QStringLiteral("c")));
}

// An update that changes the key or the row id is the only one that can displace a row.
const char* const kKeyChanged = "NEW.TransID IS NOT OLD.TransID OR NEW.rowid IS NOT OLD.rowid";

const char* const kTriggers[] = {
    "trgCashbookTotalsBeforeInsert", "trgCashbookTotalsInsert",    "trgCashbookTotalsDelete",
    "trgCashbookTotalsUpdate",       "trgCashbookTotalsBeforeKey", "trgCashbookTotalsKey",
};

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
                .arg(firstChange(newRow, QLatin1Char('+'))));
    db.exec(QStringLiteral(
                "CREATE TRIGGER IF NOT EXISTS trgCashbookTotalsDelete AFTER DELETE ON tblCashbook "
                "BEGIN %1END")
                .arg(firstChange(oldRow, QLatin1Char('-'))));
    db.exec(QStringLiteral(
                "CREATE TRIGGER IF NOT EXISTS trgCashbookTotalsUpdate AFTER UPDATE OF TransStatus, "
                "TransDate, DoubleEntryBank ON tblCashbook BEGIN %1%2END")
                .arg(firstChange(oldRow, QLatin1Char('-')), firstChange(newRow, QLatin1Char('+'))));
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

void renew(const Database& db) {
    // No key and no constraint: nothing written to it can conflict.
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (RowKey INTEGER, TransStatus TEXT "
                           "COLLATE NOCASE, Period INTEGER, Amount INTEGER)")
                .arg(kDisplacedTable));
    for (const char* name : kTriggers)
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS ") + QLatin1String(name));
    const QString newRow = QStringLiteral("NEW");
    const QString oldRow = QStringLiteral("OLD");
    db.exec(QStringLiteral("CREATE TRIGGER trgCashbookTotalsBeforeInsert BEFORE INSERT ON "
                           "tblCashbook BEGIN %1END")
                .arg(noteDisplaceable(
                    QStringLiteral("c.TransID = NEW.TransID OR c.rowid = NEW.rowid"))));
    db.exec(
        QStringLiteral("CREATE TRIGGER trgCashbookTotalsInsert AFTER INSERT ON tblCashbook BEGIN "
                       "%1%2END")
            .arg(takeOffDisplaced(), add(newRow)));
    // With recursive_triggers on, a REPLACE deletes through here: the row is not taken off
    // twice.
    db.exec(
        QStringLiteral("CREATE TRIGGER trgCashbookTotalsDelete AFTER DELETE ON tblCashbook BEGIN "
                       "%1DELETE FROM %2 WHERE RowKey = OLD.rowid; END")
            .arg(takeOff(oldRow), kDisplacedTable));
    db.exec(QStringLiteral("CREATE TRIGGER trgCashbookTotalsUpdate AFTER UPDATE OF TransStatus, "
                           "TransDate, DoubleEntryBank ON tblCashbook BEGIN %1%2END")
                .arg(takeOff(oldRow), add(newRow)));
    db.exec(QStringLiteral("CREATE TRIGGER trgCashbookTotalsBeforeKey BEFORE UPDATE ON "
                           "tblCashbook WHEN %1 BEGIN %2END")
                .arg(QLatin1String(kKeyChanged),
                     noteDisplaceable(QStringLiteral("(c.TransID = NEW.TransID OR c.rowid = "
                                                     "NEW.rowid) AND c.rowid <> OLD.rowid"))));
    db.exec(QStringLiteral("CREATE TRIGGER trgCashbookTotalsKey AFTER UPDATE ON tblCashbook WHEN "
                           "%1 BEGIN %2END")
                .arg(QLatin1String(kKeyChanged), takeOffDisplaced()));
    recount(db);
}

void createOnServer(const Database& db) {
    const QString table = SqlDialect::quoted(kTable);
    const auto change = [&](const QString& row, const QString& sign) {
        return QStringLiteral(
                   "INSERT INTO %1 (\"TransStatus\", \"Period\", \"Amount\", "
                   "\"Transactions\") VALUES (COALESCE(%2.\"TransStatus\", ''), %3, %4 "
                   "COALESCE(%2.\"DoubleEntryBank\", 0), %5) ON CONFLICT (\"TransStatus\", "
                   "\"Period\") DO UPDATE SET \"Amount\" = %1.\"Amount\" + "
                   "EXCLUDED.\"Amount\", \"Transactions\" = %1.\"Transactions\" + "
                   "EXCLUDED.\"Transactions\"; "
                   "DELETE FROM %1 WHERE \"TransStatus\" = COALESCE(%2.\"TransStatus\", '') "
                   "AND \"Period\" = %3 AND \"Transactions\" = 0; ")
            .arg(table, row, serverPeriodOfRow(row), sign, sign + QLatin1Char('1'));
    };
    db.exec(QStringLiteral("CREATE TABLE %1 (\"RowKey\" bigint, \"TransStatus\" citext, "
                           "\"Period\" bigint, \"Amount\" bigint)")
                .arg(SqlDialect::quoted(kDisplacedTable)));
    db.exec(QStringLiteral("CREATE FUNCTION \"fnCashbookTotals\"() RETURNS trigger LANGUAGE "
                           "plpgsql AS $body$ BEGIN "
                           "IF TG_OP <> 'INSERT' THEN %1END IF; "
                           "IF TG_OP <> 'DELETE' THEN %2END IF; "
                           "RETURN NULL; END $body$")
                .arg(change(QStringLiteral("OLD"), QStringLiteral("-")),
                     change(QStringLiteral("NEW"), QString())));
    const QString run = QStringLiteral(" ON \"tblCashbook\" FOR EACH ROW EXECUTE FUNCTION "
                                       "\"fnCashbookTotals\"()");
    db.exec(QStringLiteral("CREATE TRIGGER \"trgCashbookTotalsInsert\" AFTER INSERT") + run);
    db.exec(QStringLiteral("CREATE TRIGGER \"trgCashbookTotalsDelete\" AFTER DELETE") + run);
    db.exec(QStringLiteral("CREATE TRIGGER \"trgCashbookTotalsUpdate\" AFTER UPDATE OF "
                           "\"TransStatus\", \"TransDate\", \"DoubleEntryBank\"") +
            run);
    recount(db);
}

void recount(const Database& db) {
    if (db.dialect().isServer()) {
        db.exec(QStringLiteral("DELETE FROM ") + SqlDialect::quoted(kTable));
        db.exec(QStringLiteral("INSERT INTO %1 (\"TransStatus\", \"Period\", \"Amount\", "
                               "\"Transactions\") %2")
                    .arg(SqlDialect::quoted(kTable), serverCountedTotals()));
        return;
    }
    db.exec(QStringLiteral("DELETE FROM %1").arg(kDisplacedTable));
    db.exec(QStringLiteral("DELETE FROM %1").arg(kTable));
    db.exec(QStringLiteral("INSERT INTO %1 (TransStatus, Period, Amount, Transactions) %2")
                .arg(kTable, countedTotals()));
}

QString agreementQuery(const SqlDialect& dialect) {
    // The same number of totals, and each counted one kept with the same figures: the keys
    // are unique on both sides, so the two sets are then equal.
    if (dialect.isServer())
        return QStringLiteral(
                   "WITH counted AS MATERIALIZED (%1) SELECT (SELECT COUNT(*) FROM counted) = "
                   "(SELECT COUNT(*) FROM %2) AND NOT EXISTS (SELECT 1 FROM counted AS k LEFT "
                   "JOIN %2 AS t ON t.\"TransStatus\" = k.\"TransStatus\" AND t.\"Period\" = "
                   "k.\"Period\" WHERE t.\"Amount\" IS DISTINCT FROM k.\"Amount\" OR "
                   "t.\"Transactions\" IS DISTINCT FROM k.\"Transactions\")")
            .arg(serverCountedTotals(), SqlDialect::quoted(kTable));
    return QStringLiteral("WITH counted AS MATERIALIZED (%1) SELECT (SELECT COUNT(*) FROM counted) "
                          "= (SELECT COUNT(*) FROM %2) AND NOT EXISTS (SELECT 1 FROM counted AS k "
                          "LEFT JOIN %2 AS t ON t.TransStatus = k.TransStatus AND t.Period = "
                          "k.Period WHERE t.Amount IS NOT k.Amount OR t.Transactions IS NOT "
                          "k.Transactions)")
        .arg(countedTotals(), kTable);
}

} // namespace CashbookTotals
