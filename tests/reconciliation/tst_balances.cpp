// The balances and the totals they are read from, without windows.
#include "data/bookformat.h"
#include "data/cashbooktotals.h"
#include "data/messages.h"
#include "reconciliation/balances.h"
#include "reconciliation/cashposition.h"
#include "reconciliation/currentbalance.h"
#include "statement/statementstore.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// A transaction with only what the balances read: date (YYYY-MM-DD or none), status and the
// bank side in cents (or none).
void addTransaction(const Database& db, const QString& id, const QVariant& date,
                    const QVariant& status, const QVariant& cents) {
    db.exec(QStringLiteral(R"(INSERT INTO "tblCashbook" ("TransID", "TransDate", "TransStatus", )"
                           R"("DoubleEntryBank") VALUES (?, ?, ?, ?))"),
            {id, date, status, cents.isNull() ? cents : QVariant(cents.toLongLong() * 100)});
}

void setPeriod(const Database& db, int month, int year) {
    db.exec(QStringLiteral(R"(UPDATE "tblBankDetails" SET "CurrentMonth" = ?, "CurrentYear" = ?)"),
            {QString::number(month), QString::number(year)});
}

// The balance of a mode summed over the transactions themselves, as the figures are defined.
Money fullSum(const Database& db, int mode) {
    QString sql =
        QStringLiteral(R"(SELECT (SELECT "StartingBankBalance" FROM "tblBankDetails") )"
                       R"(+ COALESCE(SUM("DoubleEntryBank"), 0) FROM "tblCashbook" WHERE )");
    QVariantList values;
    if (mode == Balances::StatementBalance) {
        sql += QStringLiteral(R"("TransStatus" = '2')");
    } else {
        sql += QStringLiteral(R"("TransStatus" IN ('1', '2'))");
        if (mode == Balances::OpeningBalance) {
            const QDate first(db.scalar(R"(SELECT "CurrentYear" FROM "tblBankDetails")").toInt(),
                              db.scalar(R"(SELECT "CurrentMonth" FROM "tblBankDetails")").toInt(),
                              1);
            sql += QStringLiteral(R"( AND "TransDate" < ?)");
            values << first.toString(Qt::ISODate);
        }
    }
    return Money::fromUnits(db.scalar(sql, values).toLongLong());
}

void compareWithFullSums(const Database& db) {
    for (const int mode : {0, 1, 2})
        QCOMPARE(Balances::calcCurrentBalance(db, mode).units(), fullSum(db, mode).units());
    QCOMPARE(db.scalar(R"(SELECT SUM("Transactions") FROM )" +
                       SqlDialect::quoted(CashbookTotals::kTable))
                 .toLongLong(),
             db.scalar(R"(SELECT COUNT(*) FROM "tblCashbook")").toLongLong());
    QCOMPARE(db.scalar(CashbookTotals::agreementQuery(db.dialect())).toInt(), 1);
}

} // namespace

class TestBalances : public QObject {
    Q_OBJECT

private slots:
    void balances_data();
    void balances();
    void unreadableStartingBalance();
    void totalsFollowEveryWrite();
    void upgradeFillsTotals();
    void positionByDay_data();
    void positionByDay();
};

void TestBalances::balances_data() {
    // rows: id|date|status|cents; writes: then, as another tool ("!": the book refuses it);
    // cents: modes 0, 1, 2, starting balance 1000.00
    columns<QStringList, int, int, QList<qint64>, QStringList>("rows", "month", "year", "cents",
                                                               "writes");
    const auto row = [](const char* name, const QStringList& rows, int month, int year,
                        const QList<qint64>& cents, const QStringList& writes = {}) {
        addRow(name, rows, month, year, cents, writes);
    };
    row("empty book", {}, 3, 2024, {100000, 100000, 100000});
    row("only reversed and void", {"1|2024-01-05|3|500", "2|2024-01-06|4|-70", "3|2023-01-06|4|9"},
        3, 2024, {100000, 100000, 100000});
    row("reconciled, outstanding and void",
        {"R|2024-03-01|2|20000", "P|2024-03-02|1|-5000", "V|2024-03-03|4|-99900"}, 3, 2024,
        {115000, 100000, 120000});
    row("opening balance of March 2024",
        {"a|2023-12-31|1|1", "b|2023-04-01|2|2", "c|2024-02-29|1|4", "d|2024-03-01|1|8",
         "e|2025-01-01|2|16", "f||1|32"},
        3, 2024, {100063, 100007, 100018});
    row("opening balance of January 2024", {"a|2023-12-31|2|1", "b|2024-01-01|1|2"}, 1, 2024,
        {100003, 100001, 100001});
    row("status text kept as typed", {"a|2024-01-01| 2|5", "b|2024-01-01||7", "c|2024-01-01|01|9"},
        1, 2024, {100000, 100000, 100000});

    // Another tool writing with a conflict clause, which the statements inside the totals'
    // triggers take on; an amount of 100 is one cent.
    const QStringList book = {"R|2024-02-10|2|20000", "P|2024-01-15|1|-5000"};
    const QString insert = QStringLiteral(R"(INSERT %1 INTO "tblCashbook" ("TransID", )"
                                          R"("TransDate", "TransStatus", "DoubleEntryBank") )"
                                          R"(VALUES %2)");
    const QString r2 = QStringLiteral("('R2', '2024-02-11', '2', 100)");
    const QList<qint64> withR2 = {115001, 115001, 120001};
    row("insert or replace of a new ID", book, 3, 2024, withR2, {insert.arg("OR REPLACE", r2)});
    row("insert or fail", book, 3, 2024, withR2, {insert.arg("OR FAIL", r2)});
    row("insert or abort", book, 3, 2024, withR2, {insert.arg("OR ABORT", r2)});
    row("insert or rollback", book, 3, 2024, withR2, {insert.arg("OR ROLLBACK", r2)});
    row("upsert moving an existing ID to another total", book, 3, 2024, {95001, 95001, 100000},
        {insert.arg("", "('R', '2024-01-20', '1', 100)") +
         R"( ON CONFLICT ("TransID") DO UPDATE SET "TransDate" = excluded."TransDate", )"
         R"("TransStatus" = excluded."TransStatus", "DoubleEntryBank" = )"
         R"(excluded."DoubleEntryBank")"});
    const QString overP = insert.arg("OR REPLACE", "('p', '2024-02-11', '2', 100)");
    row("replace over an existing ID", book, 3, 2024, {120001, 120001, 120001}, {overP});
    row("replace over an existing ID, recursive triggers", book, 3, 2024, {120001, 120001, 120001},
        {"PRAGMA recursive_triggers = ON", overP});
    row("replace over an existing row id", book, 3, 2024, {95001, 95001, 100000},
        {"INSERT OR REPLACE INTO tblCashbook (rowid, TransID, TransDate, TransStatus, "
         "DoubleEntryBank) SELECT rowid, 'Z', '2024-02-11', '1', 100 FROM tblCashbook WHERE "
         "TransID = 'R'"});
    row("update or replace onto another's ID", book, 3, 2024, {95000, 95000, 100000},
        {"UPDATE OR REPLACE tblCashbook SET TransID = 'R' WHERE TransID = 'P'"});
    row("insert or fail stopped on its second row", book, 3, 2024, withR2,
        {"!" + insert.arg("OR FAIL", r2 + ", ('r', '2024-03-01', '1', 100)")});
    row("insert or ignore over an existing ID, then a new row", book, 3, 2024,
        {115002, 115002, 120000},
        {insert.arg("OR IGNORE", "('P', '2024-02-11', '2', 100)"),
         insert.arg("", "('Q', '2024-02-11', '1', 200)")});
}

void TestBalances::balances() {
    const auto [rows, month, year, cents, writes] =
        fetch<QStringList, int, int, QList<qint64>, QStringList>("rows", "month", "year", "cents",
                                                                 "writes");
    TestBook book;
    static const QRegularExpression sqliteOnly(QStringLiteral("\\bOR [A-Z]+ |PRAGMA|rowid"));
    if (book.db.dialect().isServer() && !writes.filter(sqliteOnly).isEmpty())
        QSKIP("Conflict clauses, PRAGMA and rowid are SQLite's alone.");
    book.sql(R"(UPDATE "tblBankDetails" SET "StartingBankBalance" = 10000000)");
    setPeriod(book.db, month, year);
    for (const QString& row : std::as_const(rows)) {
        const QStringList f = row.split(QLatin1Char('|'));
        addTransaction(book.db, f[0], f[1].isEmpty() ? QVariant() : f[1], f[2], f[3].toLongLong());
    }
    for (QString write : std::as_const(writes)) {
        if (write.startsWith(QLatin1Char('!')))
            QVERIFY_THROWS_EXCEPTION(Failure, book.sql(write.mid(1)));
        else
            book.sql(write);
    }
    for (int mode = 0; mode < 3; ++mode)
        QCOMPARE(calcCurrentBalance(book.services, mode), Money::fromCents(cents.at(mode)));
    compareWithFullSums(book.db);
}

// An empty starting balance is reported and counts as a balance of 0.
void TestBalances::unreadableStartingBalance() {
    TestBook book;
    addTransaction(book.db, "1", "2024-01-01", "1", 5);
    book.sql(R"(UPDATE "tblBankDetails" SET "StartingBankBalance" = NULL)");
    book.prompts.expectMatch(QRegularExpression::escape(
        Messages::errorReport(ErrorNumber::InvalidUseOfNull,
                              QStringLiteral("The starting bank balance is not an amount."), {},
                              QStringLiteral("calcCurrentBalance"))));
    QCOMPARE(calcCurrentBalance(book.services, Balances::CurrentBalance), Money());
    QVERIFY(book.prompts.verifyAllShown());
}

// Inserts, updates (of status, date, amount and key) and deletes in a random order, some in a
// transaction that is rolled back, and statement matches accepted (every other time refused,
// for a transaction no longer outstanding): the totals always give the full sums.
void TestBalances::totalsFollowEveryWrite() {
    TestBook book;
    const Database& db = book.db;
    book.sql(R"(UPDATE "tblBankDetails" SET "StartingBankBalance" = 1234)");
    setPeriod(db, 6, 2024);
    QRandomGenerator random(20240601);
    const QVariantList statuses = {"1", "2", "3", "4", "", QVariant(), "9"};
    const auto anyStatus = [&] { return statuses.at(random.bounded(int(statuses.size()))); };
    // One date and one amount in twenty is Null.
    const auto anyDate = [&] {
        return random.bounded(20) == 0
                   ? QVariant()
                   : QDate(2023, 1, 1).addDays(random.bounded(730)).toString(Qt::ISODate);
    };
    const auto anyAmount = [&] {
        return random.bounded(20) == 0 ? QVariant() : QVariant(random.bounded(2000000) - 1000000);
    };
    int next = 0;
    const auto anyId = [&] {
        return db.scalar(R"(SELECT "TransID" FROM "tblCashbook" ORDER BY random() LIMIT 1)")
            .toString();
    };
    const auto step = [&] {
        const int what = random.bounded(11);
        const QString id = anyId();
        if (what < 4 || id.isEmpty())
            addTransaction(db, QString::number(++next), anyDate(), anyStatus(), anyAmount());
        else if (what == 4)
            db.exec(R"(UPDATE "tblCashbook" SET "TransStatus" = ? WHERE "TransID" = ?)",
                    {anyStatus(), id});
        else if (what == 5)
            db.exec(R"(UPDATE "tblCashbook" SET "DoubleEntryBank" = ? WHERE "TransID" = ?)",
                    {anyAmount(), id});
        else if (what == 6)
            db.exec(R"(UPDATE "tblCashbook" SET "TransDate" = ? WHERE "TransID" = ?)",
                    {anyDate(), id});
        else if (what == 7)
            db.exec(R"(UPDATE "tblCashbook" SET "TransID" = ? WHERE "TransID" = ?)",
                    {QString::number(++next), id});
        else if (what == 8)
            db.exec(R"(UPDATE "tblCashbook" SET "TransStatus" = '2' WHERE "TransDate" < ?)",
                    {anyDate()});
        else
            db.exec(R"(DELETE FROM "tblCashbook" WHERE "TransID" = ?)", {id});
    };
    // Statement matches accepted for up to 25 outstanding transactions; with one reconciled
    // among them, the whole is refused and nothing changes.
    const StatementStore store(db);
    const auto acceptMatches = [&](bool withReconciled) {
        QList<StatementStore::Accepted> accepted;
        QSqlQuery chosen = db.exec(
            QStringLiteral("SELECT TransID FROM tblCashbook WHERE TransStatus = '1' ORDER BY "
                           "random() LIMIT 25"));
        QStringList ids;
        while (chosen.next())
            ids << chosen.value(0).toString();
        const QString reconciled =
            db.scalar("SELECT TransID FROM tblCashbook WHERE TransStatus = '2' LIMIT 1").toString();
        const bool refused = withReconciled && !reconciled.isEmpty();
        if (refused)
            ids.insert(random.bounded(int(ids.size()) + 1), reconciled);
        for (const QString& id : ids) {
            StatementLine line;
            line.bankId = id;
            line.date = QDate(2024, 6, 1);
            accepted.append({line, id});
        }
        const QVariant before = db.scalar("SELECT group_concat(TransStatus) FROM tblCashbook");
        try {
            QCOMPARE(store.accept(QStringLiteral("1000"), accepted, QDate(2024, 6, 30)),
                     int(ids.size()));
            QVERIFY(!refused);
        } catch (const Failure&) {
            QVERIFY(refused);
            QCOMPARE(db.scalar("SELECT group_concat(TransStatus) FROM tblCashbook"), before);
        }
    };
    for (int round = 0; round < 6; ++round) {
        {
            Transaction committed(db);
            for (int i = 0; i < 80; ++i)
                step();
            committed.commit();
        }
        compareWithFullSums(db);
        // Accepting statement matches is written in SQLite's SQL alone so far.
        if (!db.dialect().isServer()) {
            acceptMatches(round % 2 == 1);
            compareWithFullSums(db);
        }
        QList<Money> before;
        for (int mode = 0; mode < 3; ++mode)
            before << Balances::calcCurrentBalance(db, mode);
        {
            Transaction rolledBack(db);
            for (int i = 0; i < 40; ++i)
                step();
        }
        for (int mode = 0; mode < 3; ++mode)
            QCOMPARE(Balances::calcCurrentBalance(db, mode), before.at(mode));
        compareWithFullSums(db);
    }
}

// A book of the format before the totals: upgraded with its totals filled, which then follow
// every write; the template book is made with the same tables, triggers and index.
void TestBalances::upgradeFillsTotals() {
    if (testEngine() == BookEngine::PostgreSql)
        QSKIP("The upgrade of a book file is SQLite's alone.");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
    writeEarlierBuildBook(path);
    QStringList rows = {"BEGIN"};
    for (int i = 0; i < 300; ++i)
        rows << QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransStatus, "
                               "DoubleEntryBank) VALUES ('%1', '%2', '%3', %4)")
                    .arg(i)
                    .arg(QDate(2025, 1, 1).addDays(i * 3).toString(Qt::ISODate))
                    .arg(i % 5)
                    .arg((i % 7 - 3) * 12345);
    rows << "UPDATE tblBankDetails SET CurrentMonth = '7', StartingBankBalance = 5000000"
         << "COMMIT";
    changeFile(path, rows);
    Database db(QStringLiteral("upgraded"));
    QCOMPARE(db.open(path).fromVersion, 0);
    QCOMPARE(db.scalar("PRAGMA user_version").toInt(), BookFormat::currentVersion());
    compareWithFullSums(db);
    db.exec("UPDATE tblCashbook SET TransStatus = '2' WHERE TransStatus = '1'");
    compareWithFullSums(db);

    TestBook book;
    const QString added =
        QStringLiteral("SELECT group_concat(type || ':' || name || ':' || sql, ';') FROM (SELECT "
                       "* FROM sqlite_master WHERE name LIKE '%Totals%' OR name = "
                       "'idxCashbookStatusDateID' ORDER BY name)");
    QVERIFY(!book.value(added).toString().isEmpty());
    QCOMPARE(book.value(added).toString(), db.scalar(added).toString());

    // A book of version 3, whose first triggers let a REPLACE put the totals out of step: its
    // triggers become those of the template and its totals are counted again.
    db.close();
    QTemporaryDir earlierDir;
    const QString earlier = earlierDir.filePath(QStringLiteral("cashbook.mdb"));
    writeBookOfVersion(earlier, 3);
    changeFile(earlier, {"INSERT INTO tblCashbook (TransID, TransDate, TransStatus, "
                         "DoubleEntryBank) VALUES ('R', '2024-02-10', '2', 2000000)",
                         "INSERT OR REPLACE INTO tblCashbook (TransID, TransDate, TransStatus, "
                         "DoubleEntryBank) VALUES ('R2', '2024-02-11', '2', 100)",
                         "UPDATE tblBankDetails SET CurrentMonth = '3', CurrentYear = '2024'"});
    QCOMPARE(db.open(earlier).fromVersion, 3);
    QCOMPARE(db.scalar(added).toString(), book.value(added).toString());
    compareWithFullSums(db);
}

void TestBalances::positionByDay_data() {
    // rows: id|date|status|cents, as in balances()
    columns<QStringList, QDate, QDate>("rows", "first", "last");
    const QStringList rows = {
        "b1|2023-11-30|2|700",   "b2|2024-01-03|1|-250", "b3|2024-01-14|2|1000",
        "v1|2024-01-14|4|-9999", "d1|2024-01-15|1|-300", "d2|2024-01-15|2|450",
        "r1|2024-01-20|3|123",   "d3|2024-02-01|2|-75",  "d4|2024-02-29|1|5000",
        "d5|2024-03-10|2|-1",    "a1|2024-03-11|2|64",   "u1||1|32"};
    addRow("months cut short, reversed, void, undated and later rows", rows, QDate(2024, 1, 15),
           QDate(2024, 3, 10));
    addRow("a period without rows carries the balance", rows, QDate(2024, 3, 12),
           QDate(2024, 4, 2));
    addRow("empty book", QStringList{}, QDate(2024, 12, 20), QDate(2025, 1, 5));
}

// The chart's figures against sums worked out here from the rows themselves.
void TestBalances::positionByDay() {
    const auto [rows, first, last] = fetch<QStringList, QDate, QDate>("rows", "first", "last");
    TestBook book;
    book.sql(R"(UPDATE "tblBankDetails" SET "StartingBankBalance" = 10000000)");
    QList<QStringList> fields;
    for (const QString& row : std::as_const(rows)) {
        fields << row.split(QLatin1Char('|'));
        const QStringList& f = fields.last();
        addTransaction(book.db, f[0], f[1].isEmpty() ? QVariant() : f[1], f[2], f[3].toLongLong());
    }
    // The balance at the end of a day, of the counted statuses; a day's money in or out.
    const auto sum = [&fields](const QStringList& statuses, const QDate& from, const QDate& to,
                               int sign) {
        qint64 cents = sign == 0 ? 100000 : 0;
        for (const QStringList& f : fields) {
            const QDate date = QDate::fromString(f[1], Qt::ISODate);
            const qint64 amount = f[3].toLongLong();
            if (date.isValid() && date >= from && date <= to && statuses.contains(f[2]) &&
                (sign == 0 || (sign > 0) == (amount > 0)))
                cents += amount;
        }
        return Money::fromCents(cents);
    };
    const CashPosition position = CashPosition::read(book.db, first, last);
    const int days = int(first.daysTo(last)) + 1;
    QCOMPARE(int(position.cashbook.size()), days);
    QCOMPARE(int(position.reconciled.size()), days);
    for (int day = 0; day < days; ++day) {
        const QDate date = first.addDays(day);
        QCOMPARE(position.cashbook.at(day), sum({"1", "2"}, QDate(1, 1, 1), date, 0));
        QCOMPARE(position.reconciled.at(day), sum({"2"}, QDate(1, 1, 1), date, 0));
    }
    QList<QDate> starts{first};
    for (QDate month = QDate(first.year(), first.month(), 1).addMonths(1); month <= last;
         month = month.addMonths(1))
        starts << month;
    QCOMPARE(position.months.size(), starts.size());
    for (int i = 0; i < starts.size(); ++i) {
        const QDate end = std::min(last, starts[i].addMonths(1).addDays(-starts[i].day()));
        QCOMPARE(position.months.at(i).first, starts[i]);
        QCOMPARE(position.months.at(i).in, sum({"1", "2"}, starts[i], end, 1));
        QCOMPARE(position.months.at(i).out, sum({"1", "2"}, starts[i], end, -1));
    }
}

QTEST_MAIN(TestBalances)
#include "tst_balances.moc"
