// Tools > Compact Database: the book keeps every row, and a failure never costs the book.
#include "data/bookcopy.h"
#include "data/schema.h"
#include "shell/bookcompaction.h"
#include "shell/compactdatabase.h"
#include "shell/switchboardwindow.h"
#include "support/testbook.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

Q_DECLARE_METATYPE(BookCompaction::Step)

namespace {

QString question() {
    return QStringLiteral("This will compact the database file Cashbook.mdb, that \r\n"
                          "is remove unwanted space.  It may takes several moments.\r\n\r\n"
                          "You are strongly advised to have a good \r\n"
                          "backup before you do this procedure.\r\n\r\n"
                          "Do you wish to proceed?");
}

QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Every row of every table (with its stored types), and the schema, as text.
QStringList dump(Database& db) {
    QStringList out;
    QSqlQuery schema = db.exec(QStringLiteral("SELECT sql FROM sqlite_master ORDER BY name"));
    while (schema.next())
        out << schema.value(0).toString();
    for (const QString& table : Schema::tableNames()) {
        QSqlQuery rows = db.exec(QStringLiteral("SELECT * FROM ") + table);
        while (rows.next()) {
            QString row = table;
            for (int i = 0; i < rows.record().count(); ++i)
                row += QLatin1Char('|') + rows.value(i).toString() + QLatin1Char(':') +
                       QString::number(rows.value(i).typeId());
            out << row;
        }
    }
    return out;
}

// A book with rows in the entry and master tables, and with the free space that
// deleted rows leave behind.
void fillBook(TestBook& book) {
    Transaction transaction(book.db);
    for (int i = 0; i < 1500; ++i) {
        book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID, VendorName) VALUES (?, ?)"),
                 {QStringLiteral("V%1").arg(i), QStringLiteral("Vendor %1 with a long name").arg(i)});
        book.sql(
            QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, TransStatus, "
                           "DoubleEntryBank, OffsetGSTTaxRate) VALUES (?, '2003-01-05', '1', '1', "
                           "?, 0.07)"),
            {QString::number(100000 + i), -1070000 - i});
    }
    book.sql(QStringLiteral("DELETE FROM tblVendors WHERE rowid % 3 <> 0"));
    book.sql(QStringLiteral("DELETE FROM tblCashbook WHERE rowid % 2 = 0"));
    transaction.commit();
}

} // namespace

class TestCompaction : public QObject {
    Q_OBJECT
private slots:
    void noLeavesBothFilesUntouched();
    void compactionKeepsEveryRow();
    void failureBeforeRenameKeepsBook_data();
    void failureBeforeRenameKeepsBook();
    void undeletableLeftoverStopsBeforeAnything();
    void verifyCopyRefusesABadCopy_data();
    void verifyCopyRefusesABadCopy();
};

void TestCompaction::noLeavesBothFilesUntouched() {
    TestBook book;
    const QString copy = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
    writeFile(copy, "left over from an earlier run");
    const QByteArray bookBefore = fileHash(book.bookPath());
    const QByteArray copyBefore = fileHash(copy);
    SwitchboardWindow switchboard(book.services);
    book.prompts.expect(question(), Prompts::Answer::No);

    switchboard.findChild<QAction*>(QStringLiteral("mnuToolsCompactDatabase"))->trigger();

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().first().defaultButton, Prompts::Answer::No);
    QCOMPARE(fileHash(book.bookPath()), bookBefore);
    QCOMPARE(fileHash(copy), copyBefore);
    QVERIFY(book.db.isOpen());
    QCOMPARE(book.busy.setCount, 0);
}

void TestCompaction::compactionKeepsEveryRow() {
    TestBook book;
    fillBook(book);
    // Leftovers of an earlier run are removed first.
    const QString copy = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
    writeFile(copy, "not a book at all");
    writeFile(copy + QStringLiteral("-journal"), QByteArray(4096, 'j'));
    const QStringList before = dump(book.db);
    QVERIFY(book.value(QStringLiteral("PRAGMA freelist_count")).toLongLong() > 0);
    const qint64 sizeBefore = QFileInfo(book.bookPath()).size();

    SwitchboardWindow switchboard(book.services);
    book.prompts.expect(question(), Prompts::Answer::Yes);
    book.prompts.expect(QStringLiteral("Database compacted."));
    switchboard.findChild<QAction*>(QStringLiteral("mnuToolsCompactDatabase"))->trigger();

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Information);
    QVERIFY(!QFile::exists(copy));
    QVERIFY(!QFile::exists(copy + QStringLiteral("-journal")));
    QVERIFY(!QFile::exists(book.bookPath() + QStringLiteral("-journal")));
    QVERIFY(book.db.isOpen());
    QCOMPARE(book.db.path(), book.bookPath());
    QCOMPARE(dump(book.db), before);
    QCOMPARE(book.value(QStringLiteral("PRAGMA freelist_count")).toLongLong(), 0);
    QVERIFY(QFileInfo(book.bookPath()).size() < sizeBefore);
    QVERIFY(!book.busy.isBusy());
    QVERIFY(book.busy.setCount >= 1);
    // The reopened connection writes as before.
    book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('AFTER')"));
}

void TestCompaction::failureBeforeRenameKeepsBook_data() {
    QTest::addColumn<BookCompaction::Step>("failingStep");
    QTest::addColumn<bool>("copyBackMessage");
    QTest::newRow("compaction fails") << BookCompaction::Step::Compact << false;
    QTest::newRow("check fails") << BookCompaction::Step::Check << false;
    QTest::newRow("replacement fails") << BookCompaction::Step::Replace << true;
}

void TestCompaction::failureBeforeRenameKeepsBook() {
    QFETCH(BookCompaction::Step, failingStep);
    QFETCH(bool, copyBackMessage);
    TestBook book;
    fillBook(book);
    const QStringList before = dump(book.db);
    const QByteArray bookBefore = fileHash(book.bookPath());
    const QString copy = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
    bool connectionClosedAtFailure = false;
    const auto hook = [&](BookCompaction::Step step) {
        if (step != failingStep)
            return;
        connectionClosedAtFailure = !book.db.isOpen();
        throw Failure(3051, QStringLiteral("The disk is full."));
    };
    book.prompts.expect(question(), Prompts::Answer::Yes);
    book.prompts.expect(
        QStringLiteral("An error has occurred.\r\n\r\nError Number: 3051\r\n"
                       "Error Description: The disk is full.\r\nRoutine: CompactDB"));
    if (copyBackMessage)
        book.prompts.expect(
            QStringLiteral("An error occurred while attempting to compact database."));

    CompactDatabase(book.services, hook);

    QVERIFY(book.prompts.verifyAllShown());
    // The replacement step runs with the connection closed; it must come back all the same.
    QCOMPARE(connectionClosedAtFailure, failingStep == BookCompaction::Step::Replace);
    QCOMPARE(fileHash(book.bookPath()), bookBefore);
    QVERIFY(book.db.isOpen());
    QCOMPARE(dump(book.db), before);
    QVERIFY(!QFile::exists(copy));
    QVERIFY(!book.busy.isBusy());
}

void TestCompaction::undeletableLeftoverStopsBeforeAnything() {
    TestBook book;
    const QByteArray bookBefore = fileHash(book.bookPath());
    // A folder in the copy's place cannot be removed as a leftover file.
    const QString copy = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
    QVERIFY(QDir().mkpath(copy + QStringLiteral("/inside")));
    SwitchboardWindow switchboard(book.services);
    book.prompts.expect(question(), Prompts::Answer::Yes);
    book.prompts.expectMatch(
        QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: 75\r\n"
                       "Error Description: .*cashbooktmp\\.mdb.*\r\n"
                       "Form: frmSwitchboard\r\nRoutine: mnuToolsCompactDatabase$"));

    switchboard.findChild<QAction*>(QStringLiteral("mnuToolsCompactDatabase"))->trigger();

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(fileHash(book.bookPath()), bookBefore);
    QVERIFY(book.db.isOpen());
    QVERIFY(QFileInfo(copy).isDir());
}

void TestCompaction::verifyCopyRefusesABadCopy_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("expected");
    QTest::newRow("good copy") << QString() << QString();
    QTest::newRow("a row missing")
        << QStringLiteral("DELETE FROM tblTransactionType WHERE TransType = '3'")
        << QStringLiteral("tblTransactionType holds 6 rows instead of 7");
    QTest::newRow("a table missing")
        << QStringLiteral("DROP TABLE tblGLDistribution") << QStringLiteral("holds the tables");
    QTest::newRow("not a book") << QStringLiteral("overwrite") << QString();
}

void TestCompaction::verifyCopyRefusesABadCopy() {
    QFETCH(QString, damage);
    QFETCH(QString, expected);
    TestBook book;
    const QString copy = book.appDir() + QStringLiteral("/copy.mdb");
    book.sql(QStringLiteral("VACUUM INTO ?"), {copy});
    if (damage == QLatin1String("overwrite")) {
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(0);
        file.write(QByteArray(4096, '\x5a'));
    } else if (!damage.isEmpty()) {
        Database other(QStringLiteral("damage"));
        other.openForCreate(copy);
        other.exec(damage);
    }
    const QStringList before = dump(book.db);
    try {
        BookCopy::verify(book.db, copy);
        QVERIFY2(damage.isEmpty(), "a damaged copy passed the check");
    } catch (const Failure& failure) {
        QVERIFY2(!damage.isEmpty(), qPrintable(failure.description()));
        QVERIFY2(failure.description().contains(expected), qPrintable(failure.description()));
    }
    // The check leaves the book's connection as it found it, copy detached.
    QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM pragma_database_list")).toInt(), 1);
    QCOMPARE(dump(book.db), before);
}

QTEST_MAIN(TestCompaction)
#include "tst_compaction.moc"
