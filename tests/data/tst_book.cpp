// The book: the template's tables, fields and rows, the keys the database enforces, the
// duplicate-key failure callers rely on, and the scope guard around writes.
#include "data/database.h"
#include "data/schema.h"
#include "support/testbook.h"

#include <QFile>
#include <QProcess>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList columnsOf(const Database& db, const QString& table) {
    QStringList columns;
    QSqlQuery query = db.exec(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (query.next())
        columns << query.value(0).toString();
    return columns;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kInsertCashbook =
    QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus) "
                   "VALUES (?, '2003-01-05', '1', '1')");
const QString kInsertChart = QStringLiteral(
    "INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, AccountDescription) VALUES (?, ?, ?)");
const QString kInsertCustomer =
    QStringLiteral("INSERT INTO tblCustomers (CustID, CustName) VALUES (?, ?)");
const QString kInsertVendor =
    QStringLiteral("INSERT INTO tblVendors (VendorID, VendorName) VALUES (?, ?)");
const QString kInsertDepartment =
    QStringLiteral("INSERT INTO tblDepartments (DeptCode, DeptDescription) VALUES (?, ?)");
const QString kInsertTax =
    QStringLiteral("INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate) VALUES (?, ?, ?)");

} // namespace

class TestBookFile : public QObject {
    Q_OBJECT

private slots:
    void tablesAndFields_data();
    void tablesAndFields();
    void templateRows();
    void sampleChart();
    void duplicateKeyRefused_data();
    void duplicateKeyRefused();
    void duplicateKeyByUpdate();
    void otherConstraintIsNoDuplicate();
    void distinctCodes_data();
    void distinctCodes();
    void transactionScope();
    void existingBookNeverOverwritten();
    void templateMaker_data();
    void templateMaker();
};

// Every table with the exact field names the windows, reports and files use.
void TestBookFile::tablesAndFields_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("fields");

    QTest::newRow("tblSystemSetup")
        << "tblSystemSetup"
        << "CompanyName Address1 Address2 Address3 VersionNumber VersionType GLBankAccountCode "
           "BankAccountDept BankAccountDesc";
    QTest::newRow("tblBankDetails") << "tblBankDetails"
                                    << "CurrentYear CurrentMonth BankName BankAccountNumber "
                                       "StartingBankBalance NextCheque NextReceipt";
    QTest::newRow("tblAccpacSettings")
        << "tblAccpacSettings"
        << "GLSourceCode GLSingleMultiCurrency GLHomeCurrency GLRateType IntegrateWithAP "
           "GLAPControl GLAPControlDept GLAPControlDesc GLAPClearing GLAPClearingDept "
           "GLAPClearingDesc APBankCode IntegrateWithAR GLARControl GLARControlDept "
           "GLARControlDesc GLARClearing GLARClearingDept GLARClearingDesc ARControlAccountSet";
    QTest::newRow("tblTransactionStatus") << "tblTransactionStatus"
                                          << "TransStatus TransStatusDesc";
    QTest::newRow("tblDepartments") << "tblDepartments"
                                    << "DeptCode DeptDescription";
    QTest::newRow("tblChartOfAccounts") << "tblChartOfAccounts"
                                        << "AccountCode DeptCode AccountDescription AcctDept";
    QTest::newRow("tblChartOfAccountsSample") << "tblChartOfAccountsSample"
                                              << "AccountCode DeptCode AccountDescription";
    QTest::newRow("tblTaxTable")
        << "tblTaxTable"
        << "TaxCode TaxDescription TaxRate GLAccountCode GLAccountDept GLAccountDesc";
    QTest::newRow("tblCustomers")
        << "tblCustomers"
        << "CustID CustName Address1 Address2 Address3 Address4 PostalCode";
    QTest::newRow("tblVendors")
        << "tblVendors"
        << "VendorID VendorName Address1 Address2 Address3 Address4 PostalCode";
    QTest::newRow("tblCashbook")
        << "tblCashbook"
        << "TransID TransDate TransType TransStatus TransDesc TransDescMemo VendorID VendorName "
           "CustID CustomerName Address1 Address2 Address3 Address4 PostalCode "
           "BankAccountGLAccountCode BankAccountGLDeptCode BankAccountAmount OffsetGLAccountCode "
           "OffsetGLDeptCode OffsetGLAccountDesc OffsetAmount OffsetGSTTaxCode OffsetGSTTaxRate "
           "OffsetGSTAmount OffsetGSTGLAccountCode OffsetGSTGLDeptCode DoubleEntryBank "
           "DoubleEntryOffset DoubleEntryGST ExportedToAccpac";
    QTest::newRow("tblGLDistribution")
        << "tblGLDistribution"
        << "TransDate TransID TransType TransDesc TransStatus AccountCode DeptCode DR CR CustID "
           "VendorID ExportedToAccpac";
    QTest::newRow("tblGLDistributionAccpacGL")
        << "tblGLDistributionAccpacGL"
        << "RecordType EntryNumber EntryDate FiscalPeriod GLAccountCode DeptCode SourceCode "
           "TransID TransDateAccpac TransDesc Amount CurrencyCode RateType RateDate Rate "
           "SourceAmount ExportedToAccpac";
}

void TestBookFile::tablesAndFields() {
    QFETCH(QString, table);
    QFETCH(QString, fields);

    TestBook book;
    QVERIFY(Schema::tableNames().contains(table));
    QStringList columns = columnsOf(book.db, table);
    QStringList expected = fields.split(QLatin1Char(' '));
    columns.sort();
    expected.sort();
    QCOMPARE(columns, expected);
}

void TestBookFile::templateRows() {
    TestBook book;

    // Exactly the fourteen tables.
    QSqlQuery tables = book.db.exec(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    QStringList expected = Schema::tableNames();
    expected.sort();
    QCOMPARE(names, expected);
    QCOMPARE(names.size(), 14);
    QVERIFY(names.contains(QStringLiteral("tblTransactionType")));

    // The two code tables.
    QSqlQuery types = book.db.exec(QStringLiteral("SELECT * FROM tblTransactionType ORDER BY 1"));
    QStringList typeCodes;
    while (types.next()) {
        typeCodes << types.value(0).toString();
        QVERIFY(!types.value(1).toString().isEmpty());
    }
    QCOMPARE(typeCodes, (QStringList{"1", "2", "3", "4", "5", "6", "7"}));
    QSqlQuery statuses = book.db.exec(QStringLiteral(
        "SELECT TransStatus, TransStatusDesc FROM tblTransactionStatus ORDER BY TransStatus"));
    QStringList statusCodes;
    while (statuses.next()) {
        statusCodes << statuses.value(0).toString();
        QVERIFY(!statuses.value(1).toString().isEmpty());
    }
    QCOMPARE(statusCodes, (QStringList{"1", "2", "3", "4"}));

    // One row in each settings table.
    for (const QString& table : Schema::settingsTables())
        QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), 1);
    QVERIFY(!book.value(QStringLiteral("SELECT VersionNumber FROM tblSystemSetup"))
                 .toString()
                 .isEmpty());
    QVERIFY(
        !book.value(QStringLiteral("SELECT VersionType FROM tblSystemSetup")).toString().isEmpty());
    // The current month is stored as "1" to "12", no leading zero; the year with four digits.
    const QString month =
        book.value(QStringLiteral("SELECT CurrentMonth FROM tblBankDetails")).toString();
    const QString year =
        book.value(QStringLiteral("SELECT CurrentYear FROM tblBankDetails")).toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^([1-9]|1[0-2])$")).match(month).hasMatch(),
             qPrintable(month));
    QVERIFY2(QRegularExpression(QStringLiteral("^[12][0-9]{3}$")).match(year).hasMatch(),
             qPrintable(year));
    QVERIFY(book.value(QStringLiteral("SELECT NextCheque FROM tblBankDetails")).toInt() > 0);
    QVERIFY(book.value(QStringLiteral("SELECT NextReceipt FROM tblBankDetails")).toInt() > 0);

    // Nothing is booked yet, and the work tables are empty.
    for (const char* table : {"tblCashbook", "tblCustomers", "tblVendors", "tblGLDistribution",
                              "tblGLDistributionAccpacGL"})
        QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)).toInt(),
                 0);
}

void TestBookFile::sampleChart() {
    TestBook book;
    const int accounts =
        book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccountsSample")).toInt();
    QVERIFY2(accounts >= 35 && accounts <= 60, qPrintable(QString::number(accounts)));
    // A few departmentalised accounts, each department one the book knows.
    QSqlQuery depts = book.db.exec(QStringLiteral(
        "SELECT DISTINCT s.DeptCode, d.DeptCode FROM tblChartOfAccountsSample s "
        "LEFT JOIN tblDepartments d ON d.DeptCode = s.DeptCode WHERE s.DeptCode <> ''"));
    int departments = 0;
    while (depts.next()) {
        ++departments;
        QVERIFY2(!depts.value(1).isNull(), qPrintable(depts.value(0).toString()));
    }
    QVERIFY(departments >= 2);
    QVERIFY(book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccountsSample s WHERE "
                                      "(SELECT COUNT(*) FROM tblChartOfAccountsSample t WHERE "
                                      "t.AccountCode = s.AccountCode) > 1"))
                .toInt() >= 4);
    // An account without department holds an empty text, never Null; every row is described.
    QCOMPARE(book.value(QStringLiteral(
                            "SELECT COUNT(*) FROM tblChartOfAccountsSample WHERE DeptCode IS NULL "
                            "OR AccountCode IS NULL OR AccountCode = '' OR "
                            "COALESCE(AccountDescription, '') = ''"))
                 .toInt(),
             0);
    QCOMPARE(book.value(QStringLiteral(
                            "SELECT MAX(LENGTH(AccountCode)) <= 6 AND MAX(LENGTH(DeptCode)) <= 6 "
                            "FROM tblChartOfAccountsSample"))
                 .toInt(),
             1);
}

void TestBookFile::duplicateKeyRefused_data() {
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QVariantList>("first");
    QTest::addColumn<QVariantList>("second");
    QTest::addColumn<QString>("count");

    QTest::newRow("tblCashbook TransID")
        << kInsertCashbook << QVariantList{"1001"} << QVariantList{"1001"}
        << "SELECT COUNT(*) FROM tblCashbook";
    QTest::newRow("tblCashbook TransID other case")
        << kInsertCashbook << QVariantList{"bc-01"} << QVariantList{"BC-01"}
        << "SELECT COUNT(*) FROM tblCashbook";
    QTest::newRow("tblChartOfAccounts pair")
        << kInsertChart << QVariantList{"6000", "ADMIN", "Salaries"}
        << QVariantList{"6000", "ADMIN", "Other"} << "SELECT COUNT(*) FROM tblChartOfAccounts";
    QTest::newRow("tblChartOfAccounts pair without department")
        << kInsertChart << QVariantList{"6100", "", "Rent"}
        << QVariantList{"6100", "", "Rent again"} << "SELECT COUNT(*) FROM tblChartOfAccounts";
    QTest::newRow("tblCustomers") << kInsertCustomer << QVariantList{"C001", "Alpha"}
                                  << QVariantList{"C001", "Beta"}
                                  << "SELECT COUNT(*) FROM tblCustomers";
    QTest::newRow("tblVendors") << kInsertVendor << QVariantList{"V001", "Alpha"}
                                << QVariantList{"v001", "Beta"}
                                << "SELECT COUNT(*) FROM tblVendors";
    QTest::newRow("tblDepartments")
        << kInsertDepartment << QVariantList{"OPS", "Operations"} << QVariantList{"OPS", "Other"}
        << "SELECT COUNT(*) FROM tblDepartments";
    QTest::newRow("tblTaxTable") << kInsertTax << QVariantList{"G", "GST", 0.07}
                                 << QVariantList{"G", "GST again", 0.125}
                                 << "SELECT COUNT(*) FROM tblTaxTable";
}

void TestBookFile::duplicateKeyRefused() {
    QFETCH(QString, insert);
    QFETCH(QVariantList, first);
    QFETCH(QVariantList, second);
    QFETCH(QString, count);

    TestBook book;
    book.sql(insert, first);
    const int before = book.value(count).toInt();
    try {
        book.sql(insert, second);
        QFAIL("a second row with an existing key was accepted");
    } catch (const Failure& failure) {
        QCOMPARE(failure.kind(), Failure::Kind::DuplicateKey);
        QVERIFY(failure.isDuplicateKey());
        QCOMPARE(failure.number(), qint64(-2147467259));
        QVERIFY(!failure.description().isEmpty());
    }
    QCOMPARE(book.value(count).toInt(), before);
}

void TestBookFile::duplicateKeyByUpdate() {
    TestBook book;
    book.sql(kInsertCashbook, {"1001"});
    book.sql(kInsertCashbook, {"1002"});
    try {
        book.sql(QStringLiteral("UPDATE tblCashbook SET TransID = ? WHERE TransID = ?"),
                 {"1001", "1002"});
        QFAIL("a key was changed into an existing one");
    } catch (const Failure& failure) {
        QCOMPARE(failure.kind(), Failure::Kind::DuplicateKey);
        QCOMPARE(failure.number(), Failure::DuplicateKeyNumber);
    }
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook WHERE TransID = '1002'"))
                 .toInt(),
             1);
}

// Only a refused key is a duplicate: other refusals keep the engine's own number.
void TestBookFile::otherConstraintIsNoDuplicate() {
    TestBook book;
    try {
        book.sql(kInsertChart, {QVariant(), "", "No code"});
        QFAIL("an account without code was accepted");
    } catch (const Failure& failure) {
        QCOMPARE(failure.kind(), Failure::Kind::Other);
        QVERIFY(failure.number() != Failure::DuplicateKeyNumber);
    }
    try {
        book.sql(QStringLiteral("INSERT INTO tblNoSuchTable (A) VALUES (?)"), {1});
        QFAIL("a statement on a missing table ran");
    } catch (const Failure& failure) {
        QCOMPARE(failure.kind(), Failure::Kind::Other);
        QVERIFY(failure.description().contains(QLatin1String("tblNoSuchTable")));
    }
}

// Codes made only of digits are still text: "007" and "7" are two keys.
void TestBookFile::distinctCodes_data() {
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QVariantList>("first");
    QTest::addColumn<QVariantList>("second");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QVariantList>("findValues");
    QTest::addColumn<QString>("expected");

    QTest::newRow("TransID 007 and 7")
        << kInsertCashbook << QVariantList{"007"} << QVariantList{"7"}
        << "SELECT TransID FROM tblCashbook WHERE TransID = ?" << QVariantList{"7"} << "7";
    QTest::newRow("TransID 7 found as 007")
        << kInsertCashbook << QVariantList{"007"} << QVariantList{"7"}
        << "SELECT TransID FROM tblCashbook WHERE TransID = ?" << QVariantList{"007"} << "007";
    QTest::newRow("VendorID 001 and 1")
        << kInsertVendor << QVariantList{"001", "Zero One"} << QVariantList{"1", "One"}
        << "SELECT VendorName FROM tblVendors WHERE VendorID = ?" << QVariantList{"001"}
        << "Zero One";
    QTest::newRow("CustID 0 and 00")
        << kInsertCustomer << QVariantList{"0", "Zero"} << QVariantList{"00", "Double zero"}
        << "SELECT CustName FROM tblCustomers WHERE CustID = ?" << QVariantList{"00"}
        << "Double zero";
    QTest::newRow("account in two departments")
        << kInsertChart << QVariantList{"6000", "ADMIN", "Salaries - Admin"}
        << QVariantList{"6000", "SALES", "Salaries - Sales"}
        << "SELECT AccountDescription FROM tblChartOfAccounts WHERE AccountCode = ? AND DeptCode = "
           "?"
        << QVariantList{"6000", "SALES"} << "Salaries - Sales";
    QTest::newRow("account with and without department")
        << kInsertChart << QVariantList{"6100", "", "Rent"}
        << QVariantList{"6100", "ADMIN", "Rent - Admin"}
        << "SELECT AccountDescription FROM tblChartOfAccounts WHERE AccountCode = ? AND DeptCode = "
           "?"
        << QVariantList{"6100", ""} << "Rent";
}

void TestBookFile::distinctCodes() {
    QFETCH(QString, insert);
    QFETCH(QVariantList, first);
    QFETCH(QVariantList, second);
    QFETCH(QString, find);
    QFETCH(QVariantList, findValues);
    QFETCH(QString, expected);

    TestBook book;
    book.sql(insert, first);
    book.sql(insert, second);
    QSqlQuery query = book.db.exec(find, findValues);
    QStringList found;
    while (query.next())
        found << query.value(0).toString();
    // Exactly one row answers, and it is the one asked for.
    QCOMPARE(found, QStringList{expected});
}

void TestBookFile::transactionScope() {
    TestBook book;
    // A failure inside the scope undoes what the scope had already written.
    try {
        Transaction transaction(book.db);
        book.sql(kInsertCashbook, {"2001"});
        book.sql(kInsertCashbook, {"2001"});
        transaction.commit();
        QFAIL("the duplicate went through");
    } catch (const Failure& failure) {
        QVERIFY(failure.isDuplicateKey());
    }
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 0);

    // A committed scope keeps its rows; the connection is usable afterwards.
    {
        Transaction transaction(book.db);
        book.sql(kInsertCashbook, {"2001"});
        book.sql(kInsertCashbook, {"2002"});
        transaction.commit();
    }
    {
        Transaction transaction(book.db);
        book.sql(kInsertCashbook, {"2003"});
        // Left without commit.
    }
    QCOMPARE(book.value(QStringLiteral(
                            "SELECT GROUP_CONCAT(TransID) FROM (SELECT TransID FROM tblCashbook "
                            "ORDER BY TransID)"))
                 .toString(),
             QStringLiteral("2001,2002"));
}

void TestBookFile::existingBookNeverOverwritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the user's own book");
    }
    QVERIFY_THROWS_EXCEPTION(Failure, Schema::createBook(path));
    QCOMPARE(readAll(path), QByteArray("the user's own book"));
}

// The maker the build runs beside the program.
void TestBookFile::templateMaker_data() {
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("no book yet") << false << QStringList{"--if-missing"} << 0;
    QTest::newRow("book there, if missing") << true << QStringList{"--if-missing"} << 0;
    QTest::newRow("book there, plain") << true << QStringList{} << 1;
}

void TestBookFile::templateMaker() {
    QFETCH(bool, existing);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);

    const QString maker =
        QCoreApplication::applicationDirPath() + QStringLiteral("/quillan_mkbook");
    QVERIFY2(QFile::exists(maker), qPrintable(maker));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
    if (existing) {
        // A real book the user has worked in.
        Schema::createBook(path);
        Database db(QStringLiteral("tst-maker"));
        db.open(path);
        db.exec(kInsertCashbook, {"9001"});
    }
    const QByteArray before = readAll(path);

    QProcess process;
    process.start(maker, options << path);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);

    if (existing) {
        QCOMPARE(readAll(path), before);
    } else {
        Database db(QStringLiteral("tst-maker"));
        db.open(path);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblTransactionStatus")).toInt(), 4);
    }
}

QTEST_MAIN(TestBookFile)
#include "tst_book.moc"
