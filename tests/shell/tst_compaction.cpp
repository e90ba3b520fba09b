// Tools > Compact Database: the book keeps every row, and a failure never costs the book.
#include "data/bookcopy.h"
#include "data/messages.h"
#include "data/schema.h"
#include "shell/bookcompaction.h"
#include "shell/compactdatabase.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

using Step = BookCompaction::Step;

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

// A book with rows in an entry and a master table, and the free space deleted rows leave.
void fillBook(TestBook& book) {
    Transaction transaction(book.db);
    for (int i = 0; i < 1500; ++i) {
        book.sql(
            QStringLiteral("INSERT INTO tblVendors (VendorID, VendorName) VALUES (?, ?)"),
            {QStringLiteral("V%1").arg(i), QStringLiteral("Vendor %1 with a long name").arg(i)});
        book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, TransDate, TransType, "
                                "TransStatus, DoubleEntryBank, OffsetGSTTaxRate) "
                                "VALUES (?, '2003-01-05', '1', '1', ?, 0.07)"),
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
    void compaction_data() {
        // failingStep: -1: none
        // after: the messages after the question
        columns<bool, int, QStringList>("yes", "failingStep", "after");
        const QString report = Messages::errorReport(3051, QStringLiteral("The disk is full."),
                                                     QString(), QStringLiteral("CompactDB"));
        QTest::newRow("No") << false << -1 << QStringList{};
        QTest::newRow("compacted") << true << -1 << QStringList{"Database compacted."};
        QTest::newRow("compaction fails") << true << int(Step::Compact) << QStringList{report};
        QTest::newRow("check fails") << true << int(Step::Check) << QStringList{report};
        QTest::newRow("replacement fails")
            << true << int(Step::Replace)
            << QStringList{report, "An error occurred while attempting to compact database."};
    }

    void compaction() {
        auto [yes, failingStep, after] =
            fetch<bool, int, QStringList>("yes", "failingStep", "after");
        TestBook book;
        fillBook(book);
        // Leftovers of an earlier run are removed first (No leaves them).
        const QString copy = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
        writeFile(copy, "not a book at all");
        const QStringList before = dump(book.db);
        const QByteArray bookBefore = fileBytes(book.bookPath());
        const qint64 sizeBefore = QFileInfo(book.bookPath()).size();
        bool closedAtFailure = false;
        const auto hook = [&](Step step) {
            if (int(step) != failingStep)
                return;
            closedAtFailure = !book.db.isOpen();
            throw Failure(3051, QStringLiteral("The disk is full."));
        };
        book.prompts.expect(compactDatabaseQuestion(),
                            yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        for (const QString& message : after)
            book.prompts.expect(message);

        CompactDatabase(book.services, hook);

        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().first().defaultButton, Prompts::Answer::No);
        QCOMPARE(QFile::exists(copy), !yes);
        QVERIFY(book.db.isOpen());
        QCOMPARE(dump(book.db), before);
        QVERIFY(!book.busy.isBusy());
        // The replacement runs with the connection closed; it comes back all the same.
        QCOMPARE(closedAtFailure, failingStep == int(Step::Replace));
        if (yes && failingStep < 0) {
            QCOMPARE(book.value(QStringLiteral("PRAGMA freelist_count")).toLongLong(), 0);
            QVERIFY(QFileInfo(book.bookPath()).size() < sizeBefore);
            QVERIFY(!QFile::exists(book.bookPath() + QStringLiteral("-journal")));
            book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('AFTER')"));
        } else {
            QCOMPARE(fileBytes(book.bookPath()), bookBefore);
        }
    }

    void undeletableLeftoverStopsBeforeAnything() {
        TestBook book;
        const QByteArray bookBefore = fileBytes(book.bookPath());
        // A folder in the copy's place cannot be removed as a leftover file.
        const QString copy = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
        QVERIFY(QDir().mkpath(copy + QStringLiteral("/inside")));
        SwitchboardWindow switchboard(book.services);
        book.prompts.expect(compactDatabaseQuestion(), Prompts::Answer::Yes);
        book.prompts.expectMatch(
            QStringLiteral("^An error has occurred\\.\r\n\r\nError Number: 75\r\n"
                           "Error Description: .*cashbooktmp\\.mdb.*\r\n"
                           "Form: frmSwitchboard\r\nRoutine: "
                           "mnuToolsCompactDatabase$"));
        QVERIFY(runCommand(&switchboard, QStringLiteral("mnuToolsCompactDatabase")));
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(fileBytes(book.bookPath()), bookBefore);
        QVERIFY(book.db.isOpen());
    }

    void verifyCopyRefusesABadCopy_data() {
        columns<QString, QString>("damage", "expected");
        QTest::newRow("good copy") << QString() << QString();
        QTest::newRow("a row missing") << "DELETE FROM tblTransactionType WHERE TransType = '3'"
                                       << "tblTransactionType holds 6 rows instead of 7";
        QTest::newRow("not a book") << "overwrite" << QString();
    }

    void verifyCopyRefusesABadCopy() {
        auto [damage, expected] = fetch<QString, QString>("damage", "expected");
        TestBook book;
        const QString copy = book.appDir() + QStringLiteral("/copy.mdb");
        book.sql(QStringLiteral("VACUUM INTO ?"), {copy});
        if (damage == QLatin1String("overwrite")) {
            QFile file(copy);
            QVERIFY(file.open(QIODevice::ReadWrite));
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
        QCOMPARE(book.value(QStringLiteral("SELECT COUNT(*) FROM pragma_database_list")).toInt(),
                 1);
        QCOMPARE(dump(book.db), before);
    }
};

QTEST_MAIN(TestCompaction)
#include "tst_compaction.moc"
