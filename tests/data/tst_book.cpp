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


} // namespace

class TestBookFile : public QObject {
    Q_OBJECT

private slots:
    void tablesAndFields();
    void templateRows();
    void sampleChart();
    void duplicateKeyRefused();
    void otherConstraintIsNoDuplicate();
    void distinctCodes();
    void transactionScope();
    void templateMaker();
};

// Exactly the fourteen tables, and the fields the entry windows, reports and files all
// rely on in the two busiest ones.
void TestBookFile::tablesAndFields() {
    TestBook book;
    QSqlQuery names = book.db.exec(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    QStringList found;
    while (names.next())
        found << names.value(0).toString();
    QCOMPARE(found,
             (QStringList{"tblAccpacSettings", "tblBankDetails", "tblCashbook",
                          "tblChartOfAccounts", "tblChartOfAccountsSample", "tblCustomers",
                          "tblDepartments", "tblGLDistribution", "tblGLDistributionAccpacGL",
                          "tblSystemSetup", "tblTaxTable", "tblTransactionStatus",
                          "tblTransactionType", "tblVendors"}));
    const QMap<QString, QString> tables = {
        {"tblCashbook",
         "TransID TransDate TransType TransStatus TransDesc TransDescMemo VendorID VendorName "
         "CustID CustomerName Address1 Address2 Address3 Address4 PostalCode "
         "BankAccountGLAccountCode BankAccountGLDeptCode BankAccountAmount OffsetGLAccountCode "
         "OffsetGLDeptCode OffsetGLAccountDesc OffsetAmount OffsetGSTTaxCode OffsetGSTTaxRate "
         "OffsetGSTAmount OffsetGSTGLAccountCode OffsetGSTGLDeptCode DoubleEntryBank "
         "DoubleEntryOffset DoubleEntryGST ExportedToAccpac"},
        {"tblGLDistribution", "TransDate TransID TransType TransDesc TransStatus AccountCode "
                              "DeptCode DR CR CustID VendorID ExportedToAccpac"}};
    for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
        QStringList columns = columnsOf(book.db, it.key());
        QStringList expected = it.value().split(QLatin1Char(' '));
        columns.sort();
        expected.sort();
        QCOMPARE(columns, expected);
    }
}

void TestBookFile::templateRows() {
    TestBook book;
    // The two code tables, every code described.
    QCOMPARE(book.value(QStringLiteral("SELECT GROUP_CONCAT(TransType) FROM (SELECT * FROM "
                                       "tblTransactionType WHERE TransTypeDesc <> '' ORDER BY 1)"))
                 .toString(),
             QStringLiteral("1,2,3,4,5,6,7"));
    QCOMPARE(book.value(QStringLiteral("SELECT GROUP_CONCAT(TransStatus) FROM (SELECT * FROM "
                                       "tblTransactionStatus WHERE TransStatusDesc <> '' ORDER BY "
                                       "1)"))
                 .toString(),
             QStringLiteral("1,2,3,4"));

    // One row in each settings table.
    for (const QString& table : Schema::settingsTables())
        QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), 1);
    QCOMPARE(book.value(QStringLiteral("SELECT VersionNumber <> '' AND VersionType <> '' FROM "
                                       "tblSystemSetup"))
                 .toInt(),
             1);
    // The current month is stored as "1" to "12", no leading zero; the year with four digits.
    const QString month =
        book.value(QStringLiteral("SELECT CurrentMonth FROM tblBankDetails")).toString();
    const QString year =
        book.value(QStringLiteral("SELECT CurrentYear FROM tblBankDetails")).toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^([1-9]|1[0-2])$")).match(month).hasMatch(),
             qPrintable(month));
    QVERIFY2(QRegularExpression(QStringLiteral("^[12][0-9]{3}$")).match(year).hasMatch(),
             qPrintable(year));
    QCOMPARE(book.value(QStringLiteral("SELECT NextCheque > 0 AND NextReceipt > 0 FROM "
                                       "tblBankDetails"))
                 .toInt(),
             1);
    // Nothing is booked yet.
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 0);
}

void TestBookFile::sampleChart() {
    TestBook book;
    const auto count = [&](const char* where) {
        return book.value(QStringLiteral("SELECT COUNT(*) FROM tblChartOfAccountsSample s ") +
                          QLatin1String(where))
            .toInt();
    };
    QVERIFY2(count("") >= 35 && count("") <= 60, qPrintable(QString::number(count(""))));
    // A few departmentalised accounts, each in a department the book knows.
    QVERIFY(count("WHERE (SELECT COUNT(*) FROM tblChartOfAccountsSample t "
                  "WHERE t.AccountCode = s.AccountCode) > 1") >= 4);
    QCOMPARE(count("WHERE DeptCode <> '' AND DeptCode NOT IN (SELECT DeptCode FROM "
                   "tblDepartments)"),
             0);
    // An account without department holds an empty text, never Null; every row is described.
    QCOMPARE(count("WHERE DeptCode IS NULL OR COALESCE(AccountCode, '') = '' OR "
                   "COALESCE(AccountDescription, '') = '' OR LENGTH(AccountCode) > 6 OR "
                   "LENGTH(DeptCode) > 6"),
             0);
}

// Every key refuses a second row (keys compared without case) with the duplicate kind and
// number, by insert or by update, and the table keeps its rows.
void TestBookFile::duplicateKeyRefused() {
    const QString tax = QStringLiteral(
        "INSERT INTO tblTaxTable (TaxCode, TaxDescription, TaxRate) VALUES (?, ?, ?)");
    const QList<std::tuple<QString, QVariantList, QVariantList>> cases = {
        {kInsertCashbook, {"bc-01"}, {"BC-01"}},
        {kInsertChart, {"6100", "", "Rent"}, {"6100", "", "Rent again"}},
        {kInsertVendor, {"V001", "Alpha"}, {"v001", "Beta"}},
        {tax, {"G", "GST", 0.07}, {"G", "GST again", 0.125}},
        {QStringLiteral("UPDATE tblCashbook SET TransID = ? WHERE TransID = ?"), {},
         {"1001", "1002"}}};
    TestBook book;
    book.sql(kInsertCashbook, {"1001"});
    book.sql(kInsertCashbook, {"1002"});
    for (const auto& [statement, first, second] : cases) {
        if (!first.isEmpty())
            book.sql(statement, first);
        try {
            book.sql(statement, second);
            QFAIL(qPrintable(QStringLiteral("accepted: ") + statement));
        } catch (const Failure& failure) {
            QCOMPARE(failure.kind(), Failure::Kind::DuplicateKey);
            QVERIFY(failure.isDuplicateKey());
            QCOMPARE(failure.number(), qint64(-2147467259));
            QVERIFY(!failure.description().isEmpty());
        }
    }
    QCOMPARE(book.value(QStringLiteral("SELECT GROUP_CONCAT(TransID) FROM tblCashbook "
                                       "WHERE TransID <> 'bc-01'"))
                 .toString(),
             QStringLiteral("1001,1002"));
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM tblVendors")).toInt(), 1);
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
}

// Codes made only of digits are still text: "007" and "7" are two keys.
void TestBookFile::distinctCodes() {
    TestBook book;
    book.sql(kInsertCashbook, {"007"});
    book.sql(kInsertCashbook, {"7"});
    book.sql(kInsertVendor, {"001", "Zero One"});
    book.sql(kInsertVendor, {"1", "One"});
    book.sql(kInsertChart, {"6000", "ADMIN", "Salaries - Admin"});
    book.sql(kInsertChart, {"6000", "SALES", "Salaries - Sales"});
    book.sql(kInsertChart, {"6100", "", "Rent"});
    book.sql(kInsertChart, {"6100", "ADMIN", "Rent - Admin"});
    const auto only = [&](const QString& sql, const QVariantList& values) {
        QSqlQuery query = book.db.exec(sql, values);
        QStringList found;
        while (query.next())
            found << query.value(0).toString();
        return found;
    };
    const QString trans = QStringLiteral("SELECT TransID FROM tblCashbook WHERE TransID = ?");
    const QString account = QStringLiteral("SELECT AccountDescription FROM tblChartOfAccounts "
                                           "WHERE AccountCode = ? AND DeptCode = ?");
    // Exactly one row answers, and it is the one asked for.
    QCOMPARE(only(trans, {"7"}), QStringList{"7"});
    QCOMPARE(only(trans, {"007"}), QStringList{"007"});
    QCOMPARE(only(QStringLiteral("SELECT VendorName FROM tblVendors WHERE VendorID = ?"), {"001"}),
             QStringList{"Zero One"});
    QCOMPARE(only(account, {"6000", "SALES"}), QStringList{"Salaries - Sales"});
    QCOMPARE(only(account, {"6100", ""}), QStringList{"Rent"});
}

void TestBookFile::transactionScope() {
    TestBook book;
    // A failure inside the scope undoes what the scope had already written.
    try {
        Transaction transaction(book.db);
        book.sql(kInsertCashbook, {"2001"});
        book.sql(kInsertCashbook, {"2001"});
        QFAIL("the duplicate went through");
    } catch (const Failure& failure) {
        QVERIFY(failure.isDuplicateKey());
    }
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(), 0);
    // A committed scope keeps its rows; one left without commit keeps none.
    {
        Transaction transaction(book.db);
        book.sql(kInsertCashbook, {"2001"});
        transaction.commit();
    }
    {
        Transaction transaction(book.db);
        book.sql(kInsertCashbook, {"2003"});
    }
    QCOMPARE(book.value(QStringLiteral("SELECT GROUP_CONCAT(TransID) FROM tblCashbook")).toString(),
             QStringLiteral("2001"));
}

// The maker the build runs beside the program: makes a missing book, never touches one
// that is there (and says so unless asked only to fill a gap).
void TestBookFile::templateMaker() {
    const QString maker =
        QCoreApplication::applicationDirPath() + QStringLiteral("/quillan_mkbook");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cashbook.mdb"));
    const auto run = [&](const QStringList& options) {
        QProcess process;
        process.start(maker, options + QStringList{path});
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
                   ? process.exitCode()
                   : -1;
    };
    QCOMPARE(run({QStringLiteral("--if-missing")}), 0);
    {
        // A real book the user has worked in.
        Database db(QStringLiteral("tst-maker"));
        db.open(path);
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM tblTransactionStatus")).toInt(), 4);
        db.exec(kInsertCashbook, {"9001"});
    }
    const QByteArray before = readAll(path);
    QCOMPARE(run({QStringLiteral("--if-missing")}), 0);
    QCOMPARE(run({}), 1);
    QCOMPARE(readAll(path), before);
    QVERIFY_THROWS_EXCEPTION(Failure, Schema::createBook(path));
    QCOMPARE(readAll(path), before);
}

QTEST_MAIN(TestBookFile)
#include "tst_book.moc"
