// Tools > Compact Database: the book keeps every row, and a failure never costs the book.
#include "data/bookaccess.h"
#include "data/bookcompaction.h"
#include "data/bookcopy.h"
#include "data/messages.h"
#include "data/schema.h"
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

#include <sys/stat.h>
#include <unistd.h>

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

// Damages the copy the engine wrote: a row deleted, or one letter of a key changed in its page
// (tables, counts and sums still agree).
void damageCopy(const QString& copy, const QString& damage) {
    if (damage == QLatin1String("row")) {
        Database other(QStringLiteral("damage"));
        other.openForCreate(copy);
        other.exec(QStringLiteral("DELETE FROM tblVendors WHERE VendorID = 'V2'"));
        return;
    }
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype at = bytes.indexOf("QQKEYTOCORRUPTQQ");
    QVERIFY(at > 0);
    bytes[at + 2] = 'X';
    file.seek(0);
    file.write(bytes);
}

} // namespace

class TestCompaction : public QObject {
    Q_OBJECT
private slots:
    void compaction_data() {
        // failingStep: -1 none. obstacle: the book may not change ("file", "folder" read-only,
        // "writer" another program writing), or the copy is damaged after the engine wrote it
        // ("row", "page"). after: the messages after the question, "@" the book's real path.
        columns<bool, int, QString, QStringList>("yes", "failingStep", "obstacle", "after");
        const QString report = Messages::errorReport(3051, QStringLiteral("The disk is full."),
                                                     QString(), QStringLiteral("CompactDB"));
        const QString damaged = QStringLiteral("^(?s)An error has occurred.*cashbooktmp\\.mdb.*"
                                               "Routine: CompactDB$");
        addRow("No", false, -1, "", QStringList{});
        addRow("compacted", true, -1, "", QStringList{"Database compacted."});
        addRow("compaction fails", true, int(Step::Compact), "", QStringList{report});
        addRow("check fails", true, int(Step::Check), "", QStringList{report});
        addRow("replacement fails", true, int(Step::Replace), "",
               QStringList{report, "An error occurred while attempting to compact database."});
        addRow("read-only book", true, -1, "file", QStringList{Messages::bookNotWritable("@")});
        addRow("read-only folder", true, -1, "folder", QStringList{Messages::bookNotWritable("@")});
        addRow("another program writing", true, -1, "writer",
               QStringList{Messages::bookChangeInProgress("@")});
        addRow("copy loses a row after writing", true, -1, "row", QStringList{damaged});
        addRow("copy's page corrupted after writing", true, -1, "page", QStringList{damaged});
    }

    void compaction() {
        auto [yes, failingStep, obstacle, after] =
            fetch<bool, int, QString, QStringList>("yes", "failingStep", "obstacle", "after");
        TestBook book;
        fillBook(book);
        book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('QQKEYTOCORRUPTQQ')"));
        const QString copy = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
        const QStringList before = dump(book.db);
        const qint64 sizeBefore = QFileInfo(book.bookPath()).size();
        Database writer(QStringLiteral("writer"));
        if (obstacle == QLatin1String("file")) {
            QVERIFY(QFile::setPermissions(book.bookPath(), QFile::ReadOwner | QFile::ReadGroup));
        } else if (obstacle == QLatin1String("folder")) {
            QVERIFY(QFile::setPermissions(book.appDir(), QFile::ReadOwner | QFile::ExeOwner));
        } else if (obstacle == QLatin1String("writer")) {
            writer.open(book.bookPath());
            writer.exec(QStringLiteral("BEGIN IMMEDIATE"));
            writer.exec(QStringLiteral("DELETE FROM tblVendors"));
        } else if (obstacle.isEmpty()) {
            // Leftovers of an earlier run are removed first (No leaves them).
            writeFile(copy, "not a book at all");
        }
        const QByteArray bookBefore = fileBytes(book.bookPath());
        bool closedAtFailure = false;
        const auto hook = [&](Step step) {
            if (step == Step::Check && (obstacle == "row" || obstacle == "page"))
                damageCopy(copy, obstacle);
            if (int(step) != failingStep)
                return;
            closedAtFailure = !book.db.isOpen();
            throw Failure(3051, QStringLiteral("The disk is full."));
        };
        book.prompts.expect(compactDatabaseQuestion(),
                            yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        for (const QString& message : after)
            book.prompts.expectBox(
                QString(message).replace('@', BookAccess::realPath(book.bookPath())));

        CompactDatabase(book.services, hook);

        QFile::setPermissions(book.appDir(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writer.close();
        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(book.prompts.shown().first().defaultButton, Prompts::Answer::No);
        QCOMPARE(QFile::exists(copy), !yes);
        QVERIFY(book.db.isOpen());
        QCOMPARE(dump(book.db), before);
        QVERIFY(!book.busy.isBusy());
        // The replacement runs with the connection closed; it comes back all the same.
        QCOMPARE(closedAtFailure, failingStep == int(Step::Replace));
        if (yes && failingStep < 0 && obstacle.isEmpty()) {
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
        addRow("good copy", QString(), QString());
        addRow("a row missing", "DELETE FROM tblTransactionType WHERE TransType = '3'",
               "tblTransactionType holds 6 rows,");
        addRow("not a book", "overwrite", QString());
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

    // The book as a link to a file elsewhere, with its own mode and owner, and a journal
    // left beside it that the engine no longer needs.
    void realFileCompactedInPlace_data() {
        columns<bool, int, int, QByteArray>("linked", "mode", "owner",
                                            "journal"); // journal null: none
        addRow("linked book", true, 0644, 0, QByteArray());
        addRow("private book", false, 0600, 0, QByteArray());
        addRow("another owner", true, 0640, 4321, QByteArray());
        addRow("empty journal", false, 0644, 0, QByteArray(""));
        addRow("zeroed journal", false, 0644, 0, QByteArray(512, '\0'));
    }

    void realFileCompactedInPlace() {
        auto [linked, mode, owner, journal] =
            fetch<bool, int, int, QByteArray>("linked", "mode", "owner", "journal");
        TestBook book;
        fillBook(book);
        const QStringList before = dump(book.db);
        QString real = book.bookPath();
        if (linked) {
            book.db.close();
            QVERIFY(QDir().mkpath(book.appDir() + QStringLiteral("/elsewhere")));
            real = book.appDir() + QStringLiteral("/elsewhere/shared.mdb");
            QVERIFY(QFile::rename(book.bookPath(), real));
            QVERIFY(QFile::link(real, book.bookPath()));
            book.db.open(book.bookPath());
        }
        const QByteArray native = QFile::encodeName(real);
        QCOMPARE(::chmod(native.constData(), mode_t(mode)), 0);
        if (owner)
            QCOMPARE(::chown(native.constData(), uid_t(owner), gid_t(owner)), 0);
        if (!journal.isNull())
            writeFile(real + QStringLiteral("-journal"), journal);
        struct stat was {};
        QCOMPARE(::stat(native.constData(), &was), 0);
        book.prompts.expect(compactDatabaseQuestion(), Prompts::Answer::Yes);
        book.prompts.expect(QStringLiteral("Database compacted."));

        CompactDatabase(book.services);

        QVERIFY(book.prompts.verifyAllShown());
        QCOMPARE(QFileInfo(book.bookPath()).isSymLink(), linked);
        QCOMPARE(BookAccess::realPath(book.bookPath()), BookAccess::realPath(real));
        struct stat now {};
        QCOMPARE(::stat(native.constData(), &now), 0);
        QCOMPARE(now.st_mode & 07777, was.st_mode & 07777);
        QCOMPARE(now.st_uid, was.st_uid);
        QCOMPARE(now.st_gid, was.st_gid);
        QCOMPARE(book.value(QStringLiteral("PRAGMA freelist_count")).toLongLong(), 0);
        QCOMPARE(dump(book.db), before);
        QVERIFY(!QFile::exists(real + QStringLiteral("-journal")));
        QVERIFY(!QFile::exists(QFileInfo(real).dir().filePath(QStringLiteral("cashbooktmp.mdb"))));
    }
};

QTEST_MAIN(TestCompaction)
#include "tst_compaction.moc"
