// The book: the template, the keys the database enforces, the scope guard around writes,
// the template maker, and the format check and upgrade at open.
#include "data/database.h"
#include "data/messages.h"
#include "data/schema.h"
#include "support/testbook.h"

#include <QDir>
#include <QProcess>
#include <QTest>

namespace {

const QString kInsertChart = QStringLiteral(
    "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) VALUES (?, ?, ?)");

// Every key of the tables the keys test writes, so a refused write shows as no change.
QString keyState(TestBook& book) {
    return book
        .value(QStringLiteral("SELECT (SELECT GROUP_CONCAT(TransID) FROM tblCashbook) || '|' || "
                              "(SELECT GROUP_CONCAT(AccountCode || DeptCode) FROM "
                              "tblChartOfAccounts) || '|' || (SELECT GROUP_CONCAT(VendorID) FROM "
                              "tblVendors)"))
        .toString();
}

// Makes `sql` the change that turns a fresh template book into the file under test.
void changeBook(const QString& path, const QString& sql) {
    Database raw(QStringLiteral("raw"));
    raw.openForCreate(path);
    raw.exec(sql);
}

} // namespace

class TestBookFile : public QObject {
    Q_OBJECT

private slots:
    void templateBook();
    void keys_data();
    void keys();
    void transactionScope();
    void templateMaker();
    void upgradeOfEarlierBuild();
    void refused_data();
    void refused();
    void failedUpgrade();
};

// The month stored without a leading zero, vouchers and receipts numbered from ranges far
// apart, the bank account one of the sample chart's, sample departments the book knows, and
// a book that opens without an upgrade.
void TestBookFile::templateBook() {
    TestBook book;
    QVERIFY(QRegularExpression(QStringLiteral("^([1-9]|1[0-2])$"))
                .match(book.value(QStringLiteral("SELECT CurrentMonth FROM tblBankDetails")).toString())
                .hasMatch());
    QCOMPARE(book.value(QStringLiteral("SELECT NextCheque || '/' || NextReceipt FROM tblBankDetails"))
                 .toString(),
             QStringLiteral("1001/500001"));
    QCOMPARE(book.value(QStringLiteral(
                 "SELECT COUNT(*) FROM tblSystemSetup s JOIN tblChartOfAccountsSample c ON "
                 "c.AccountCode = s.GLBankAccountCode AND c.DeptCode = s.BankAccountDept AND "
                 "c.AccountDescription = s.BankAccountDesc AND s.GLBankAccountCode <> ''"))
                 .toInt(),
             1);
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccountsSample WHERE "
                                       "DeptCode NOT IN (SELECT DeptCode FROM tblDepartments "
                                       "UNION SELECT '')"))
                 .toInt(),
             0);
    QVERIFY(!book.db.open(book.bookPath()).ran());
}

// Keys are text compared without case; only a refused key is a duplicate, with its number.
void TestBookFile::keys_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("outcome"); // 0 accepted, 1 duplicate, 2 another refusal
    const QString trans = QStringLiteral("INSERT INTO tblCashbook (TransID) VALUES ('%1')");
    const QString chart =
        QStringLiteral("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES (%1)");
    QTest::newRow("id without case") << trans.arg("bc-01") << trans.arg("BC-01") << 1;
    QTest::newRow("digits are text") << QString() << trans.arg("7") << 0;
    QTest::newRow("update onto a key")
        << trans.arg("1001") << "UPDATE tblCashbook SET TransID = '1001' WHERE TransID = '007'" << 1;
    QTest::newRow("account twice") << chart.arg("'6100', ''") << chart.arg("'6100', ''") << 1;
    QTest::newRow("account in a department") << chart.arg("'6100', ''") << chart.arg("'6100', 'ADMIN'") << 0;
    QTest::newRow("vendor without case") << "INSERT INTO tblVendors (VendorID) VALUES ('v001')"
                                         << "INSERT INTO tblVendors (VendorID) VALUES ('V001')" << 1;
    QTest::newRow("account without code") << QString() << chart.arg("NULL, ''") << 2;
}

void TestBookFile::keys() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, outcome);
    TestBook book;
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID) VALUES ('007')"));
    if (!first.isEmpty())
        book.sql(first);
    const QString before = keyState(book);
    try {
        book.sql(second);
        QCOMPARE(outcome, 0);
    } catch (const Failure& failure) {
        QCOMPARE(failure.isDuplicateKey(), outcome == 1);
        QCOMPARE(failure.number() == Failure::DuplicateKeyNumber, outcome == 1);
        QCOMPARE(keyState(book), before);
    }
}

void TestBookFile::transactionScope() {
    TestBook book;
    const QString insert = QStringLiteral("INSERT INTO tblCashbook (TransID) VALUES (?)");
    // A failure inside the scope undoes what the scope had already written.
    QVERIFY_THROWS_EXCEPTION(Failure, {
        Transaction transaction(book.db);
        book.sql(insert, {"2001"});
        book.sql(insert, {"2001"});
    });
    {
        Transaction transaction(book.db);
        book.sql(insert, {"2002"});
        transaction.commit();
    }
    {
        Transaction transaction(book.db);
        book.sql(insert, {"2003"});
    }
    QCOMPARE(book.value(QStringLiteral("SELECT GROUP_CONCAT(TransID) FROM tblCashbook")).toString(),
             QStringLiteral("2002"));
}

// The maker the build runs makes a missing book and never touches one that is there.
void TestBookFile::templateMaker() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
    const auto run = [&](const QStringList& options) {
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quillan_mkbook"),
                      options + QStringList{path});
        return process.waitForFinished(30000) ? process.exitCode() : -1;
    };
    QCOMPARE(run({QStringLiteral("--if-missing")}), 0);
    changeBook(path, QStringLiteral("INSERT INTO tblCashbook (TransID) VALUES ('9001')"));
    const QByteArray before = fileBytes(path);
    QCOMPARE(run({QStringLiteral("--if-missing")}), 0);
    QCOMPARE(run({}), 1);
    QVERIFY_THROWS_EXCEPTION(Failure, Schema::createBook(path));
    QCOMPARE(fileBytes(path), before);
}

// A book of an earlier build: rows kept, blank departments empty wherever departments are
// stored, the chart row that would repeat account 1000 kept blank and named, the user's
// settings kept, and a copy of the book as it was beside it.
void TestBookFile::upgradeOfEarlierBuild() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
    writeEarlierBuildBook(path);
    for (const char* sql :
         {"INSERT INTO tblChartOfAccounts VALUES ('1000', ' ', 'Bank', '1000, '), "
          "('1000', '', 'Bank', '1000,'), ('6100', '  ', 'Rent', '6100,  ')",
          "INSERT INTO tblCashbook (TransID, BankAccountGLDeptCode, OffsetGLDeptCode, "
          "OffsetGSTGLDeptCode) VALUES ('1', ' ', '  ', 'ADMIN')",
          "INSERT INTO tblDepartments VALUES (' ', 'None')",
          "INSERT INTO tblTaxTable (TaxCode, GLAccountDept) VALUES ('G', ' ')",
          "INSERT INTO tblGLDistribution (TransID, DeptCode) VALUES ('1', ' ')",
          "INSERT INTO tblGLDistributionAccpacGL (TransID, DeptCode) VALUES (1, ' ')",
          "UPDATE tblSystemSetup SET BankAccountDept = ' '",
          "UPDATE tblAccpacSettings SET GLAPControlDept = ' ', GLARClearingDept = '  '"})
        changeBook(path, QLatin1String(sql));

    Database db;
    const BookFormat::Upgrade upgrade = db.open(path);
    QCOMPARE(upgrade.fromVersion, 0);
    QCOMPARE(upgrade.notices, QStringList{Messages::mergeAccounts({QStringLiteral("1000")})});
    QCOMPARE(db.scalar(QStringLiteral("SELECT GROUP_CONCAT(AccountCode || '[' || DeptCode || ']' "
                                      "|| AcctDept, ';') FROM (SELECT * FROM tblChartOfAccounts "
                                      "ORDER BY 1, 2)"))
                 .toString(),
             QStringLiteral("1000[]1000,;1000[ ]1000, ;6100[]6100,"));
    int blanks = 0;
    for (const QString& table : Schema::tableNames())
        for (const QString& column : Schema::columnNames(table))
            if (column.contains(QLatin1String("Dept")))
                blanks += db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE TRIM(%2) = '' "
                                                   "AND %2 <> ''")
                                        .arg(table, column))
                              .toInt();
    QCOMPARE(blanks, 1);
    QCOMPARE(db.scalar(QStringLiteral("SELECT NextCheque || '/' || IFNULL(GLBankAccountCode, "
                                      "'none') FROM tblBankDetails, tblSystemSetup"))
                 .toString(),
             QStringLiteral("1/none"));

    QCOMPARE(QFileInfo(upgrade.copyPath).absolutePath(), QFileInfo(path).absolutePath());
    Database copy(QStringLiteral("copy"));
    copy.openForCreate(upgrade.copyPath);
    QCOMPARE(copy.scalar(QStringLiteral("PRAGMA user_version")).toInt(), 0);
    QCOMPARE(copy.scalar(QStringLiteral("SELECT GLAccountDept FROM tblTaxTable")).toString(),
             QStringLiteral(" "));
    for (const QString& table : Schema::tableNames()) {
        const QString count = QStringLiteral("SELECT COUNT(*) FROM ") + table;
        QCOMPARE(db.scalar(count).toInt(), copy.scalar(count).toInt());
    }
    db.close();
    QVERIFY(!db.open(path).ran());
}

// Refused files are left byte for byte as they were, with no copy beside them.
void TestBookFile::refused_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer format")
        << QStringList{QStringLiteral("PRAGMA user_version = %1").arg(BookFormat::currentVersion() + 1)}
        << true;
    QTest::newRow("another program's file") << QStringList{"PRAGMA application_id = 1234"} << false;
    QTest::newRow("unmarked without the book's tables")
        << QStringList{"PRAGMA application_id = 0", "PRAGMA user_version = 0",
                       "DROP TABLE tblTaxTable"}
        << false;
    QTest::newRow("not SQLite") << QStringList() << false;
}

void TestBookFile::refused() {
    QFETCH(QStringList, changes);
    QFETCH(bool, newer);
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    for (const QString& change : changes)
        changeBook(path, change);
    if (changes.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Cashbook of the Acme company\r\n");
    }
    const QByteArray before = fileBytes(path);
    try {
        book.db.open(path);
        QFAIL("the file was opened");
    } catch (const Failure& failure) {
        QCOMPARE(failure.kind(), Failure::Kind::BookRefused);
        QCOMPARE(failure.description(), newer ? Messages::newerBook(path) : Messages::notABook(path));
    }
    QVERIFY(!book.db.isOpen());
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(QDir(book.appDir()).entryList(QDir::Files), QStringList{"cashbook.mdb"});
}

// A step failing after earlier steps have written leaves the book exactly as it was.
void TestBookFile::failedUpgrade() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
    writeEarlierBuildBook(path);
    changeBook(path, QStringLiteral("INSERT INTO tblChartOfAccounts VALUES ('1000', ' ', 'Bank', '')"));
    QList<BookFormat::Step> steps = BookFormat::steps();
    steps << [](const Database& db, QStringList&) {
        db.exec(QStringLiteral("DELETE FROM tblChartOfAccounts"));
        throw Failure(-1, QStringLiteral("disk full"));
    };
    const QByteArray before = fileBytes(path);
    Database db;
    try {
        db.open(path, steps);
        QFAIL("the failed upgrade was taken as done");
    } catch (const Failure& failure) {
        QCOMPARE(failure.kind(), Failure::Kind::BookRefused);
        QCOMPARE(failure.description(), Messages::upgradeFailed(path, QStringLiteral("disk full")));
    }
    QCOMPARE(fileBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"cashbook.mdb"});
}

QTEST_MAIN(TestBookFile)
#include "tst_book.moc"
