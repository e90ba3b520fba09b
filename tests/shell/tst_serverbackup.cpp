// Tools > Back Up Book... and Restore Book... on a book in a PostgreSQL database: a backup is a
// book file checked against the server book; a restore loads a checked book file into the
// server book in one transaction, after the question, the book's rows kept first as an
// automatic backup in the user's data folder. Each case makes a database of its own on the
// server QUILLAN_TEST_SERVER names.
#include "data/bookbackup.h"
#include "data/booklocation.h"
#include "data/messages.h"
#include "data/serverschema.h"
#include "kit/services.h"
#include "shell/bookbackupcommands.h"
#include "support/datarows.h"
#include "support/scriptedservices.h"
#include "support/serverdatabase.h"
#include "support/testbook.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// The text of a message with one part unknown to the test.
QString patternOf(QString text, const QString& unknown) {
    return QLatin1Char('^') +
           QRegularExpression::escape(text).replace(QRegularExpression::escape(unknown),
                                                    QStringLiteral("[\\s\\S]+")) +
           QLatin1Char('$');
}

int modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

QString vendors(const Database& db) {
    QStringList ids;
    QSqlQuery query = db.exec(QStringLiteral("SELECT \"VendorID\" FROM \"tblVendors\" ORDER BY 1"));
    while (query.next())
        ids << query.value(0).toString();
    return ids.join(QLatin1Char(','));
}

QString vendorsIn(const QString& bookFile) {
    Database db(QStringLiteral("quillan-test-read"));
    db.setOnlyReading(true);
    db.open(bookFile);
    return vendors(db);
}

// A server book of its own, open with scripted services, and a folder for the files chosen.
struct ServerBook {
    ServerDatabase server;
    QTemporaryDir dir;
    Database db;
    ScriptedPrompts prompts;
    ScriptedFileDialogs fileDialogs;
    RecordingLauncher launcher;
    RecordingBusyPointer busy;
    FixedClock clock;
    Services services{db, prompts, fileDialogs, launcher, busy, clock, dir.path(), {}, {}, {}};

    ServerBook() {
        if (!server.isMade())
            return;
        const BookLocation location = BookLocation::parse(server.uri());
        ServerSchema::createBook(location);
        db.open(location);
        services.book = db.path();
        db.exec(QStringLiteral("INSERT INTO \"tblVendors\" (\"VendorID\") VALUES ('KEPT')"));
        addTransaction(QStringLiteral("7"), 5);
    }
    void addTransaction(const QString& id, qint64 amount) const {
        db.exec(QStringLiteral("INSERT INTO \"tblCashbook\" (\"TransID\", \"TransDate\", "
                               "\"TransStatus\", \"DoubleEntryBank\") VALUES (?, '2024-03-05', "
                               "'1', ?)"),
                {id, amount});
    }
    // The cashbook totals, a row a line.
    QString totals() const {
        return db
            .scalar(QStringLiteral("SELECT string_agg(\"TransStatus\" || '|' || \"Period\" || "
                                   "'|' || \"Amount\" || '|' || \"Transactions\", ',' ORDER BY "
                                   "1) FROM \"tblCashbookTotals\""))
            .toString();
    }
    QString file(const QString& name) const { return dir.filePath(name); }
    QStringList automaticBackups() const {
        return BookBackup::backups(services.bookPath()).filter(QStringLiteral("-auto-"));
    }
};

} // namespace

class TestServerBackup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The user's data folder, where a server book's backups are kept, is the test's own.
        QVERIFY(m_data.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
    }

    // A backup is a book file of the current format, in the rollback journal mode, only its
    // owner may read, holding the server book's rows; a copy that does not hold them fails its
    // check and leaves nothing behind.
    void backUp_data() {
        columns<QString>("damage");
        addRow("checked", "");
        addRow("a row lost in the copy", "DELETE FROM tblTransactionType WHERE TransType = '3'");
        addRow("an amount changed in the copy", "UPDATE tblCashbook SET DoubleEntryBank = 1");
        addRow("a copy cut short", "cut");
    }

    void backUp() {
        SKIP_WITHOUT_TEST_SERVER();
        const auto [damage] = fetch<QString>("damage");
        ServerBook book;
        QVERIFY2(book.server.isMade(), qPrintable(book.server.error()));
        const QString target = book.file(QStringLiteral("chosen.mdb"));
        book.fileDialogs.answer(target);
        if (damage.isEmpty())
            book.prompts.expect(Messages::backupMade(target));
        else
            book.prompts.expectMatch(
                patternOf(Messages::backupFailed(QStringLiteral("@@")), QStringLiteral("@@")));
        bool namedBeforeItsCheck = false;
        BackUpBook(book.services, [&](const QString& copy) {
            namedBeforeItsCheck = QFile::exists(target);
            if (damage == QLatin1String("cut")) {
                QFile file(copy);
                QVERIFY(file.resize(file.size() / 2));
            } else if (!damage.isEmpty()) {
                changeFile(copy, {damage});
            }
        });

        QVERIFY(book.prompts.verifyAllShown());
        QVERIFY(!namedBeforeItsCheck);
        QCOMPARE(QDir(book.dir.path()).entryList({QStringLiteral("chosen*")}),
                 damage.isEmpty() ? QStringList{QStringLiteral("chosen.mdb")} : QStringList());
        // The dialog offered a dated name in the database's backups folder in the user's data
        // folder, made for the owner alone.
        const FileDialogRequest& request = book.fileDialogs.requests().first();
        QCOMPARE(request.directory,
                 QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                     .filePath(QStringLiteral("backups/") + book.server.name()));
        QCOMPARE(modeOf(request.directory), 0700);
        QVERIFY2(request.fileName.startsWith(book.server.name() + QLatin1Char('-')),
                 qPrintable(request.fileName));
        if (!damage.isEmpty())
            return;
        QFile copy(target);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.read(100).mid(18, 2), QByteArray("\x01\x01", 2));
        QCOMPARE(modeOf(target), 0600);
        QCOMPARE(vendorsIn(target), QStringLiteral("KEPT"));
    }

    // The chosen file is checked whole, on a copy, and never opened itself; a file that is not
    // exactly a book of a format Quillan made is refused with the server book untouched. A
    // sound one (brought up to date when older) replaces every row of the server book after the
    // question, the book's rows kept first as an automatic backup; a row the server refuses
    // leaves the book as it was.
    void restore_data() {
        // chosen: how the chosen file is made; refusal: "" when restored, "declined", or the
        // reason; vendors: the server book's after; kept: automatic backups made
        columns<QString, QString, QString, int>("chosen", "refusal", "vendors", "kept");
        addRow("a backup", "backup", "", "KEPT", 1);
        addRow("declined", "backup", "declined", "KEPT,LATER", 0);
        addRow("not SQLite", "text", "notABook", "KEPT,LATER", 0);
        addRow("a trigger of its own",
               "CREATE TRIGGER trgHostile AFTER INSERT ON tblCashbook BEGIN DELETE FROM "
               "tblVendors; END",
               "extra trigger trgHostile", "KEPT,LATER", 0);
        addRow("an earlier build's book", "earlier", "", "", 1);
        addRow("a value the server refuses",
               "INSERT INTO tblCashbook (TransID, DoubleEntryBank) VALUES ('9', 'many')", "server",
               "KEPT,LATER", 1);
    }

    void restore() {
        SKIP_WITHOUT_TEST_SERVER();
        const auto [how, refusal, expectedVendors, keptBackups] =
            fetch<QString, QString, QString, int>("chosen", "refusal", "vendors", "kept");
        ServerBook book;
        QVERIFY2(book.server.isMade(), qPrintable(book.server.error()));
        const QString chosen = book.file(QStringLiteral("chosen.mdb"));
        if (how == QLatin1String("text")) {
            writeFile(chosen, "Cashbook of the Acme company\r\n");
        } else if (how == QLatin1String("earlier")) {
            writeEarlierBuildBook(chosen);
            changeFile(chosen, {"INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES "
                                "('1000', ''), ('1000', ' ')"});
        } else {
            BookBackup::make(book.db, chosen);
            if (how != QLatin1String("backup"))
                changeFile(chosen, {how});
        }
        book.db.exec(QStringLiteral("INSERT INTO \"tblVendors\" (\"VendorID\") VALUES ('LATER')"));
        book.addTransaction(QStringLiteral("8"), 100);
        const QString totalsBefore = book.totals();
        const QByteArray chosenBefore = fileBytes(chosen);

        book.fileDialogs.answer(chosen);
        const QStringList reason = refusal.split(QLatin1Char(' '));
        if (refusal == QLatin1String("notABook")) {
            book.prompts.expect(Messages::restoreFailed(Messages::notABook(chosen)));
        } else if (reason.size() == 3) {
            book.prompts.expect(Messages::restoreFailed(Messages::bookNotAsMade(
                chosen, {Messages::schemaExtra(reason.at(1), reason.at(2))})));
        } else {
            book.prompts.expect(Messages::restoreQuestion(chosen),
                                refusal == QLatin1String("declined") ? Prompts::Answer::No
                                                                     : Prompts::Answer::Yes);
            if (refusal == QLatin1String("server"))
                book.prompts.expectMatch(
                    patternOf(Messages::restoreFailed(QStringLiteral("@@")), QStringLiteral("@@")));
            else if (refusal.isEmpty())
                book.prompts.expectMatch(patternOf(
                    Messages::bookRestored(chosen, QStringLiteral("@@")), QStringLiteral("@@")));
        }
        if (how == QLatin1String("earlier"))
            book.prompts.expect(Messages::mergeAccounts({QStringLiteral("1000")}));

        QCOMPARE(RestoreBook(book.services), refusal.isEmpty());

        QVERIFY(book.prompts.verifyAllShown());
        QVERIFY(book.db.isOpen());
        QCOMPARE(fileBytes(chosen), chosenBefore);
        QCOMPARE(vendors(book.db), expectedVendors);
        // The book's rows as they were before the restore are the newest backup, checked.
        const QStringList kept = book.automaticBackups();
        QCOMPARE(kept.size(), keptBackups);
        if (!kept.isEmpty())
            QCOMPARE(vendorsIn(kept.first()), QStringLiteral("KEPT,LATER"));
        QCOMPARE(QDir(BookBackup::folderFor(book.services.bookPath()))
                     .entryList(QDir::Files)
                     .filter(QStringLiteral(".partial")),
                 QStringList());
        // The totals are the restored book's (or, not restored, the book's as they were).
        QCOMPARE(book.totals(), !refusal.isEmpty()               ? totalsBefore
                                : how == QLatin1String("backup") ? QStringLiteral("1|202403|5|1")
                                                                 : QString());
        QCOMPARE(
            book.db.scalar(QStringLiteral("SELECT \"Version\" FROM \"tblBookFormat\"")).toInt(),
            BookFormat::currentVersion());
    }

    // The backup made before period end, an import or a restore: in the database's backups
    // folder, checked, the last ten automatic ones kept beside a manual one, none cut short.
    void automaticBackupsKeepTen() {
        SKIP_WITHOUT_TEST_SERVER();
        ServerBook book;
        QVERIFY2(book.server.isMade(), qPrintable(book.server.error()));
        const QString bookPath = book.services.bookPath();
        BookBackup::makeFolder(bookPath);
        const QString manual = BookBackup::pathFor(bookPath, QDateTime(QDate(2001, 1, 1), {}));
        BookBackup::make(book.db, manual);
        writeFile(BookBackup::pathFor(bookPath, QDateTime(QDate(2002, 1, 1), {})) +
                      QStringLiteral(".partial"),
                  "cut short");
        QString last;
        for (int i = 0; i < BookBackup::kKeptAutomatic + 2; ++i) {
            book.addTransaction(QStringLiteral("A%1").arg(i), 1);
            last = BookBackup::makeAutomatic(book.db, bookPath, QStringLiteral("period end"));
        }
        const QStringList kept = BookBackup::backups(bookPath);
        QCOMPARE(kept.size(), BookBackup::kKeptAutomatic + 1);
        QCOMPARE(kept.first(), manual);
        QCOMPARE(kept.last(), last);
        QVERIFY2(last.contains(QLatin1String("-auto-period-end")), qPrintable(last));
        QCOMPARE(BookBackup::latest(bookPath), last);
        QCOMPARE(QDir(BookBackup::folderFor(bookPath)).entryList(QDir::Files).size(),
                 BookBackup::kKeptAutomatic + 1);
        Database newest(QStringLiteral("newest"));
        newest.open(last);
        QCOMPARE(newest.scalar(QStringLiteral("SELECT COUNT(*) FROM tblCashbook")).toInt(),
                 BookBackup::kKeptAutomatic + 3);
    }

private:
    QTemporaryDir m_data;
};

QTEST_MAIN(TestServerBackup)
#include "tst_serverbackup.moc"
