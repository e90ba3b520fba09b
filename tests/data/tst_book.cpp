// The book: the template, the keys, the scope guard around writes, the template maker, and
// the format check and upgrade at open.
#include "data/bookintegrity.h"
#include "data/database.h"
#include "data/messages.h"
#include "data/schema.h"
#include "support/datarows.h"
#include "support/testbook.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestBookFile : public QObject {
    Q_OBJECT

private slots:
    // Vouchers and receipts numbered from ranges far apart, the bank account one of the sample
    // chart's, and a book that opens without an upgrade.
    void templateBook() {
        TestBook book;
        QCOMPARE(
            book.value("SELECT NextCheque || '/' || NextReceipt FROM tblBankDetails").toString(),
            QStringLiteral("1001/500001"));
        QCOMPARE(book.value("SELECT COUNT(*) FROM tblSystemSetup s JOIN tblChartOfAccountsSample c "
                            "ON c.AccountCode = s.GLBankAccountCode AND c.DeptCode = "
                            "s.BankAccountDept AND c.AccountDescription = s.BankAccountDesc")
                     .toInt(),
                 1);
        QVERIFY(!book.db.open(book.bookPath()).ran());
    }

    // Keys are text compared without case; only a refused key is a duplicate, with its number.
    void keys_data() {
        // outcome: 0 accepted, 1 duplicate, 2 another refusal
        columns<QString, int>("sql", "outcome");
        const QString trans = QStringLiteral("INSERT INTO tblCashbook (TransID) VALUES ('%1')");
        const QString chart =
            QStringLiteral("INSERT INTO tblChartOfAccounts VALUES (%1, '', '', '')");
        addRow("id without case", trans.arg("bc-01"), 1);
        addRow("digits are text", trans.arg("7"), 0);
        addRow("update onto a key",
               "UPDATE tblCashbook SET TransID = 'BC-01' WHERE TransID = '007'", 1);
        addRow("account twice", chart.arg("'6100'"), 1);
        addRow("account without code", chart.arg("NULL"), 2);
    }

    void keys() {
        auto [sql, outcome] = fetch<QString, int>("sql", "outcome");
        TestBook book;
        book.sql("INSERT INTO tblCashbook (TransID) VALUES ('007'), ('BC-01')");
        book.sql("INSERT INTO tblChartOfAccounts VALUES ('6100', '', 'Rent', '')");
        const QString keys =
            "SELECT GROUP_CONCAT(TransID) || (SELECT GROUP_CONCAT(AccountCode) FROM "
            "tblChartOfAccounts) FROM tblCashbook";
        const QString before = book.value(keys).toString();
        try {
            book.sql(sql);
            QCOMPARE(outcome, 0);
        } catch (const Failure& failure) {
            QCOMPARE(failure.isDuplicateKey(), outcome == 1);
            QCOMPARE(failure.number() == ErrorNumber::DuplicateKey, outcome == 1);
            QCOMPARE(book.value(keys).toString(), before);
        }
    }

    // A failure inside the scope undoes what it wrote; only a committed scope keeps its rows.
    void transactionScope() {
        TestBook book;
        const QString insert = QStringLiteral("INSERT INTO tblCashbook (TransID) VALUES (?)");
        QVERIFY_THROWS_EXCEPTION(Failure, {
            Transaction transaction(book.db);
            book.sql(insert, {"1"});
            book.sql(insert, {"1"});
        });
        for (const QString id : {"2", "3"}) {
            Transaction transaction(book.db);
            book.sql(insert, {id});
            if (id == "2")
                transaction.commit();
        }
        QCOMPARE(book.value("SELECT GROUP_CONCAT(TransID) FROM tblCashbook").toString(), "2");
    }

    // The maker the build runs makes a missing book and never touches one that is there.
    void templateMaker() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
        const auto run = [&](const QStringList& options) {
            QProcess process;
            process.start(QCoreApplication::applicationDirPath() +
                              QStringLiteral("/quillan_mkbook"),
                          options + QStringList{path});
            return process.waitForFinished(30000) ? process.exitCode() : -1;
        };
        QCOMPARE(run({QStringLiteral("--if-missing")}), 0);
        changeFile(path, {"INSERT INTO tblCashbook (TransID) VALUES ('9001')"});
        const QByteArray before = fileBytes(path);
        QCOMPARE(run({QStringLiteral("--if-missing")}), 0);
        QCOMPARE(run({}), 1);
        QVERIFY_THROWS_EXCEPTION(Failure, Schema::createBook(path));
        QCOMPARE(fileBytes(path), before);
    }

    // A book of an earlier build: rows kept, blank departments empty wherever departments are
    // stored, the chart row that would repeat account 1000 kept blank and named, the user's
    // settings kept, and a copy of the book as it was beside it.
    void upgradeOfEarlierBuild() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
        writeEarlierBuildBook(path);
        changeFile(path,
                   {"INSERT INTO tblChartOfAccounts VALUES ('1000', ' ', 'Bank', '1000, '), "
                    "('1000', '', 'Bank', '1000,'), ('6100', '  ', 'Rent', '6100,  ')",
                    "INSERT INTO tblCashbook (TransID, BankAccountGLDeptCode, OffsetGLDeptCode, "
                    "OffsetGSTGLDeptCode) VALUES ('1', ' ', '  ', 'ADMIN')",
                    "INSERT INTO tblDepartments VALUES (' ', 'None')",
                    "INSERT INTO tblTaxTable (TaxCode, GLAccountDept) VALUES ('G', ' ')",
                    "INSERT INTO tblGLDistribution (TransID, DeptCode) VALUES ('1', ' ')",
                    "INSERT INTO tblGLDistributionAccpacGL (TransID, DeptCode) VALUES (1, ' ')",
                    "UPDATE tblSystemSetup SET BankAccountDept = ' '",
                    "UPDATE tblAccpacSettings SET GLAPControlDept = ' ', GLARClearingDept = ' '"});
        Database db;
        const BookFormat::Upgrade upgrade = db.open(path);
        QCOMPARE(upgrade.fromVersion, 0);
        QCOMPARE(upgrade.notices, QStringList{Messages::mergeAccounts({"1000"})});
        QCOMPARE(db.scalar("SELECT GROUP_CONCAT(AccountCode || '[' || DeptCode || ']' || AcctDept, "
                           "';') FROM (SELECT * FROM tblChartOfAccounts ORDER BY 1, 2)")
                     .toString(),
                 QStringLiteral("1000[]1000,;1000[ ]1000, ;6100[]6100,"));
        int blanks = 0;
        for (const QString& table : Schema::tableNames())
            for (const QString& column : Schema::columnNames(table))
                if (column.contains(QLatin1String("Dept")))
                    blanks +=
                        db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE TRIM(%2) = '' "
                                                 "AND %2 <> ''")
                                      .arg(table, column))
                            .toInt();
        QCOMPARE(blanks, 1);
        QCOMPARE(
            db.scalar("SELECT NextCheque || IFNULL(GLBankAccountCode, '-') FROM tblBankDetails, "
                      "tblSystemSetup")
                .toString(),
            QStringLiteral("1-"));

        QCOMPARE(QFileInfo(upgrade.copyPath).absolutePath(), QFileInfo(path).absolutePath());
        Database copy(QStringLiteral("copy"));
        copy.openForCreate(upgrade.copyPath);
        QCOMPARE(copy.scalar("SELECT GLAccountDept FROM tblTaxTable").toString(),
                 QStringLiteral(" "));
        for (const QString& table : Schema::tableNames()) {
            const QString count = QStringLiteral("SELECT COUNT(*) FROM ") + table;
            QCOMPARE(db.scalar(count).toInt(), copy.scalar(count).toInt());
        }
        db.close();
        QVERIFY(!db.open(path).ran());
    }

    // Refused files, and a book whose upgrade fails after a step has written, are left byte for
    // byte as they were, with no copy beside them.
    void leftUntouched_data() {
        // changes: to a template book; none: a text file
        columns<QStringList, QString>("changes", "refusal");
        addRow("newer format", QStringList{"PRAGMA user_version = 99"}, "newer");
        addRow("another program's", QStringList{"PRAGMA application_id = 7"}, "foreign");
        addRow("unmarked, no book tables",
               QStringList{"PRAGMA application_id = 0", "PRAGMA user_version = 0",
                           "DROP TABLE tblTaxTable"},
               "foreign");
        addRow("not SQLite", QStringList(), "foreign");
        addRow("failed upgrade",
               QStringList{"INSERT INTO tblChartOfAccounts VALUES ('1000', ' ', 'Bank', '')"},
               "failed");
    }

    void leftUntouched() {
        auto [changes, refusal] = fetch<QStringList, QString>("changes", "refusal");
        TestBook book(TestBook::Open::No);
        const QString path = book.bookPath();
        changeFile(path, changes);
        if (changes.isEmpty())
            writeFile(path, "Cashbook of the Acme company\r\n");
        QList<BookFormat::Step> steps = BookFormat::steps();
        steps << [](const Database& db, QStringList&) {
            db.exec(QStringLiteral("DELETE FROM tblChartOfAccounts"));
            throw Failure(-1, QStringLiteral("disk full"));
        };
        const QByteArray before = fileBytes(path);
        try {
            book.db.open(path, steps);
            QFAIL("the file was opened");
        } catch (const Failure& failure) {
            QCOMPARE(failure.kind(), Failure::Kind::BookRefused);
            QCOMPARE(failure.description(), refusal == "newer" ? Messages::newerBook(path)
                                            : refusal == "foreign"
                                                ? Messages::notABook(path)
                                                : Messages::upgradeFailed(path, "disk full"));
        }
        QVERIFY(!book.db.isOpen());
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(book.appDir()).entryList(QDir::Files), QStringList{"cashbook.mdb"});
    }
    // The full check finds what the engine's own full check finds, on files whose pages are
    // sound and whose indexes are not: each step runs on a connection of its own.
    void integrityAgreesWithTheEngine_data() {
        columns<QList<QStringList>, QString>("steps", "found");
        const QStringList table{
            "CREATE TABLE t (a TEXT COLLATE NOCASE PRIMARY KEY, b INTEGER, c REAL, d TEXT)",
            "CREATE INDEX i ON t (b, d)", "CREATE INDEX k ON t (d COLLATE RTRIM, c)",
            "INSERT INTO t VALUES ('x', 1, 2, 'p '), ('Y', 1, 2.5, 'p'), ('z', NULL, NULL, NULL), "
            "('w', -3, 1e300, 'Q'), ('v', 7, 2, x'00ff')"};
        using Steps = QList<QStringList>;
        addRow("sound: repeats, nothing, reals, blobs", Steps{table}, "");
        addRow("an index holding another's entries",
               Steps{table,
                     {"PRAGMA writable_schema = ON",
                      "CREATE TEMP TABLE r AS SELECT name, rootpage FROM sqlite_master",
                      "UPDATE sqlite_master SET rootpage = (SELECT rootpage FROM r WHERE r.name = "
                      "iif(sqlite_master.name = 'i', 'k', 'i')) WHERE name IN ('i', 'k')"}},
               "index ");
        addRow(
            "a row missing from an index",
            Steps{table,
                  {"CREATE TABLE kept AS SELECT * FROM sqlite_schema WHERE name = 'i'",
                   "PRAGMA writable_schema = ON", "DELETE FROM sqlite_schema WHERE name = 'i'"},
                  {"INSERT INTO t VALUES ('u', 9, 9, 'r')"},
                  {"PRAGMA writable_schema = ON", "INSERT INTO sqlite_schema SELECT * FROM kept"},
                  {"DROP TABLE kept"}},
            "wrong # of entries in index i: 5 for 6 rows");
        // Written in one order, then read in another: the index holds its keys out of order,
        // and then twice.
        const QStringList renamed{"PRAGMA writable_schema = ON",
                                  "UPDATE sqlite_schema SET sql = 'CREATE TABLE s (a TEXT "
                                  "COLLATE NOCASE PRIMARY KEY, b)' WHERE name = 's'"};
        addRow("an index out of order",
               Steps{{"CREATE TABLE s (a TEXT PRIMARY KEY, b)",
                      "INSERT INTO s VALUES ('B', 1), ('a', 2)"},
                     renamed},
               "index sqlite_autoindex_s_1: entries out of order");
        addRow("a key held twice",
               Steps{{"CREATE TABLE s (a TEXT PRIMARY KEY, b)",
                      "INSERT INTO s VALUES ('x', 1), ('X', 2)"},
                     renamed},
               "index sqlite_autoindex_s_1: non-unique entry");
    }

    void integrityAgreesWithTheEngine() {
        auto [steps, found] = fetch<QList<QStringList>, QString>("steps", "found");
        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("file.mdb"));
        for (const QStringList& step : steps)
            changeFile(path, step);
        const QString problems = BookIntegrity::problems(path);
        QVERIFY2(found.isEmpty() ? problems.isEmpty() : problems.startsWith(found),
                 qPrintable(problems));
        Database engine(QStringLiteral("engine"));
        engine.openForCreate(path);
        QCOMPARE(engine.scalar(QStringLiteral("PRAGMA integrity_check")).toString() ==
                     QLatin1String("ok"),
                 found.isEmpty());
    }
};

QTEST_MAIN(TestBookFile)
#include "tst_book.moc"
