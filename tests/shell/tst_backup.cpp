// Tools > Back Up Book... and Restore Book...: a backup is told as made only once it passed
// its check; a restore brings the book back as it was, keeping the book it replaced.
#include "data/bookbackup.h"
#include "data/codes.h"
#include "data/messages.h"
#include "reconciliation/periodend.h"
#include "reconciliation/periodendcommand.h"
#include "shell/bookbackupcommands.h"
#include "shell/compactdatabase.h"
#include "shell/switchboardwindow.h"
#include "support/datarows.h"
#include "support/filesizelimit.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <optional>

#include <sys/stat.h>

namespace {

// The text of a message with one part unknown to the test.
QString patternOf(QString text, const QString& unknown) {
    return QLatin1Char('^') +
           QRegularExpression::escape(text).replace(QRegularExpression::escape(unknown),
                                                    QStringLiteral(".+")) +
           QLatin1Char('$');
}

int modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

QString vendors(Database& db) {
    QStringList ids;
    QSqlQuery query = db.exec(QStringLiteral("SELECT VendorID FROM tblVendors ORDER BY 1"));
    while (query.next())
        ids << query.value(0).toString();
    return ids.join(QLatin1Char(','));
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void backUp_data();
    void backUp();
    void restoreRoundTrip();
    void restore_data();
    void restore();
    void automaticBackupsBeforeImportKeepTen();
    void copiesAreAsPrivateAsTheBook_data();
    void copiesAreAsPrivateAsTheBook();
    void longWorkNamesItsStepsAndRunsOnce_data();
    void longWorkNamesItsStepsAndRunsOnce();
};

void TestBackup::backUp_data() {
    columns<QString>("damage");
    addRow("checked", "");
    addRow("a row lost in the copy", "DELETE FROM tblTransactionType WHERE TransType = '3'");
    addRow("an amount changed in the copy", "UPDATE tblCashbook SET DoubleEntryBank = 1");
    addRow("a copy cut short", "cut");
    // Left so until its first write: the copy of its pages is made a rollback-journal book.
    addRow("a write-ahead book", "write-ahead");
    // The copy cannot grow past a file-size limit (`ulimit -f`): the write fails, and is told.
    addRow("a file-size limit", "limit");
}

void TestBackup::backUp() {
    const auto [damage] = fetch<QString>("damage");
    TestBook book;
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, DoubleEntryBank) VALUES ('7', 5)"));
    const QString target = book.appDir() + QStringLiteral("/chosen.mdb");
    book.fileDialogs.answer(target);
    const bool sound = damage.isEmpty() || damage == QLatin1String("write-ahead");
    if (sound)
        book.prompts.expect(Messages::backupMade(target));
    else
        book.prompts.expectMatch(patternOf(Messages::backupFailed(QStringLiteral("@@")), "@@"));
    if (damage == QLatin1String("write-ahead")) {
        book.db.close();
        {
            Database other(QStringLiteral("log"));
            other.openForCreate(book.bookPath());
            other.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        }
        book.db.open(book.bookPath());
    }

    bool namedBeforeItsCheck = false;
    std::optional<FileSizeLimit> limit;
    if (damage == QLatin1String("limit"))
        limit.emplace(4096);
    BackUpBook(book.services, [&](const QString& copy) {
        namedBeforeItsCheck = QFile::exists(target);
        if (sound || damage == QLatin1String("limit"))
            return;
        if (damage == QLatin1String("cut")) {
            QFile file(copy);
            QVERIFY(file.resize(file.size() / 2));
            return;
        }
        Database other(QStringLiteral("damage"));
        other.openForCreate(copy);
        other.exec(damage);
    });

    limit.reset();
    QVERIFY(book.prompts.verifyAllShown());
    // Only a checked copy ever has the chosen name; a failed one leaves nothing behind.
    QVERIFY(!namedBeforeItsCheck);
    const QStringList left = QDir(book.appDir()).entryList({QStringLiteral("chosen*")});
    QCOMPARE(left, sound ? QStringList{QStringLiteral("chosen.mdb")} : QStringList());
    if (sound) {
        // One file in the rollback journal mode (the header's read and write versions 1),
        // with the book's mark and format version.
        QFile copy(target), original(book.bookPath());
        QVERIFY(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
        const QByteArray header = copy.read(100), bookHeader = original.read(100);
        QCOMPARE(header.mid(18, 2), QByteArray("\x01\x01", 2));
        QCOMPARE(header.mid(60, 4), bookHeader.mid(60, 4));
        QCOMPARE(header.mid(68, 4), bookHeader.mid(68, 4));
    }
    // The dialog offered a dated name in the backups folder beside the book.
    const FileDialogRequest& request = book.fileDialogs.requests().first();
    QCOMPARE(request.directory, BookBackup::folderFor(book.bookPath()));
    QVERIFY(QDir(request.directory).exists());
    QVERIFY2(request.fileName.startsWith(QLatin1String("cashbook-")), qPrintable(request.fileName));
}

void TestBackup::restoreRoundTrip() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('KEPT')"));
    const QString backup = book.appDir() + QStringLiteral("/backup.mdb");
    book.fileDialogs.answer(backup);
    book.prompts.expect(Messages::backupMade(backup));
    QVERIFY(runCommand(&switchboard, QStringLiteral("mnuToolsBackUpBook")));
    book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('LATER')"));
    book.sql(QStringLiteral("UPDATE tblSystemSetup SET CompanyName = 'Renamed'"));
    switchboard.loadCompanyPanel();
    auto* company = switchboard.findChild<QLineEdit*>("txtCompanyName");
    QCOMPARE(company->text(), QStringLiteral("RENAMED"));
    QVERIFY(QFile::setPermissions(book.bookPath(), QFile::ReadOwner | QFile::WriteOwner));
    const QFileDevice::Permissions mode = QFile::permissions(book.bookPath());

    book.fileDialogs.answer(backup);
    book.prompts.expect(Messages::restoreQuestion(backup), Prompts::Answer::Yes);
    book.prompts.expectMatch(patternOf(Messages::bookRestored(backup, QStringLiteral("@@")), "@@"));
    QVERIFY(runCommand(&switchboard, QStringLiteral("mnuToolsRestoreBook")));

    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(book.db.isOpen());
    QCOMPARE(vendors(book.db), QStringLiteral("KEPT"));
    QCOMPARE(QFile::permissions(book.bookPath()), mode);
    QVERIFY(company->text() != QLatin1String("RENAMED"));
    // The book as it was before the restore is the newest backup.
    Database before(QStringLiteral("before"));
    before.open(BookBackup::latest(book.bookPath()));
    QCOMPARE(vendors(before), QStringLiteral("KEPT,LATER"));
}

// The chosen file is checked whole, on a copy, before anything is replaced: a file that is not
// exactly a book of a format Quillan made is refused, naming what is wrong, with the book and
// the chosen file untouched. A sound one replaces the book (brought up to date when older),
// whatever the chosen file is named, a damaged book is kept by its bytes, and a restored book
// that does not open gives way to the book it replaced.
void TestBackup::restore_data() {
    // name: the chosen file's; changes: statements run on a backup of the book (or how else
    // the file is made); refusal: "" when restored, else the reason ("notABook", "unknown",
    // "settings", "put back", or "extra|missing <kind> <name>"); vendors: the book's after.
    columns<QString, QStringList, QString, QString>("name", "changes", "refusal", "vendors");
    addRow("not SQLite", "chosen.mdb", QStringList{"text"}, "notABook", "KEPT,LATER");
    addRow("a trigger of its own", "chosen.mdb",
           QStringList{"CREATE TRIGGER trgHostile AFTER INSERT ON tblCashbook BEGIN DELETE FROM "
                       "tblVendors; END"},
           "extra trigger trgHostile", "KEPT,LATER");
    addRow("a view", "chosen.mdb", QStringList{"CREATE VIEW vwHostile AS SELECT 1"},
           "extra view vwHostile", "KEPT,LATER");
    addRow("an extra field", "chosen.mdb", QStringList{"ALTER TABLE tblVendors ADD COLUMN Extra"},
           "extra field tblVendors.Extra", "KEPT,LATER");
    addRow("a missing field", "chosen.mdb",
           QStringList{"ALTER TABLE tblSystemSetup DROP COLUMN VersionType"},
           "missing field tblSystemSetup.VersionType", "KEPT,LATER");
    addRow("a negative format version", "chosen.mdb", QStringList{"PRAGMA user_version = -1"},
           "unknown", "KEPT,LATER");
    addRow("unmarked, version 2", "chosen.mdb",
           QStringList{"PRAGMA application_id = 0", "PRAGMA user_version = 2"}, "notABook",
           "KEPT,LATER");
    addRow("an empty settings table", "chosen.mdb", QStringList{"DELETE FROM tblSystemSetup"},
           "settings", "KEPT,LATER");
    addRow("named as the old working file", "cashbookrestore.tmp", QStringList(), "", "KEPT");
    addRow("write-ahead, a change in its log", "chosen.mdb", QStringList{"log"}, "", "KEPT,LOGGED");
    addRow("an earlier build's book", "chosen.mdb", QStringList{"earlier"}, "", "");
    addRow("the restored book does not open", "chosen.mdb", QStringList{"break"}, "put back",
           "KEPT,LATER");
    addRow("over a damaged book", "chosen.mdb", QStringList{"damage"}, "", "KEPT");
}

void TestBackup::restore() {
    auto [name, changes, refusal, expectedVendors] =
        fetch<QString, QStringList, QString, QString>("name", "changes", "refusal", "vendors");
    TestBook book;
    book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('KEPT')"));
    const QString chosen = book.appDir() + QLatin1Char('/') + name;
    const QString first = changes.value(0);
    BookRestore::BeforeReopen breakIt;
    if (first == QLatin1String("text")) {
        writeFile(chosen, "Cashbook of the Acme company\r\n");
    } else if (first == QLatin1String("earlier")) {
        writeEarlierBuildBook(chosen);
        changeFile(chosen, {"INSERT INTO tblChartOfAccounts (AccountCode, DeptCode) VALUES "
                            "('1000', ''), ('1000', ' ')"});
    } else {
        BookBackup::make(book.db, chosen);
        if (first == QLatin1String("log")) {
            // A write-ahead backup whose last change is still in its log.
            changeFile(chosen, {"PRAGMA journal_mode = WAL"});
            {
                QSqlDatabase writer =
                    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "writer");
                writer.setDatabaseName(chosen);
                QVERIFY(writer.open());
                QSqlQuery query(writer);
                QVERIFY(query.exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0")));
                QVERIFY(query.exec(QStringLiteral("INSERT INTO tblVendors VALUES ('LOGGED', '', "
                                                  "'', '', '', '', '')")));
                // Kept as they are now; closing would write the log into the file.
                QVERIFY(QFile::copy(chosen, chosen + "-main"));
                QVERIFY(QFile::copy(chosen + "-wal", chosen + "-log"));
            }
            QSqlDatabase::removeDatabase(QStringLiteral("writer"));
            QFile::remove(chosen + "-wal");
            QFile::remove(chosen);
            QVERIFY(QFile::rename(chosen + "-main", chosen));
            QVERIFY(QFile::rename(chosen + "-log", chosen + "-wal"));
        } else if (first == QLatin1String("break")) {
            breakIt = [](const QString& bookFile) {
                changeFile(bookFile, {"DELETE FROM tblSystemSetup"});
            };
        } else if (first != QLatin1String("damage")) {
            changeFile(chosen, changes);
        }
    }
    book.sql(QStringLiteral("INSERT INTO tblVendors (VendorID) VALUES ('LATER')"));
    if (first == QLatin1String("damage")) {
        // A page of the vendors' table made unreadable, as in the start-up check.
        book.sql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < 299) INSERT INTO tblVendors (VendorID, VendorName) "
                                "SELECT 'K' || i, 'QQDAMAGEDPAGEQQ' FROM n"));
        book.db.close();
        QFile file(book.bookPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        const qsizetype at = bytes.lastIndexOf("QQDAMAGEDPAGEQQ");
        QVERIFY(file.seek(at - at % 4096) && file.putChar('\x07'));
        file.close();
        book.db.open(book.bookPath());
    }
    const QByteArray bookBefore = fileBytes(book.bookPath());
    const QByteArray chosenBefore = fileBytes(chosen);
    const QByteArray logBefore = fileBytes(chosen + "-wal");

    book.fileDialogs.answer(chosen);
    const QStringList reason = refusal.split(QLatin1Char(' '));
    if (refusal == QLatin1String("notABook")) {
        book.prompts.expect(Messages::restoreFailed(Messages::notABook(chosen)));
    } else if (refusal == QLatin1String("unknown")) {
        book.prompts.expect(Messages::restoreFailed(Messages::unknownBookFormat(chosen, -1)));
    } else if (refusal == QLatin1String("settings")) {
        book.prompts.expectMatch(
            patternOf(Messages::restoreFailed(QStringLiteral("@@tblSystemSetup@@")), "@@"));
    } else if (reason.size() == 3) {
        const QString difference = reason.first() == QLatin1String("extra")
                                       ? Messages::schemaExtra(reason.at(1), reason.at(2))
                                       : Messages::schemaMissing(reason.at(1), reason.at(2));
        book.prompts.expect(Messages::restoreFailed(Messages::bookNotAsMade(chosen, {difference})));
    } else {
        book.prompts.expect(Messages::restoreQuestion(chosen), Prompts::Answer::Yes);
        if (refusal == QLatin1String("put back"))
            book.prompts.expectMatch(patternOf(
                Messages::restoredBookPutBack(QStringLiteral("@@tblSystemSetup@@")), "@@"));
        else if (first == QLatin1String("damage"))
            book.prompts.expectMatch(
                patternOf(Messages::bookRestoredOverDamaged(chosen, QStringLiteral("@@")), "@@"));
        else
            book.prompts.expectMatch(
                patternOf(Messages::bookRestored(chosen, QStringLiteral("@@")), "@@"));
    }
    // An earlier build's notices follow the message that the book was restored.
    if (first == QLatin1String("earlier"))
        book.prompts.expect(Messages::mergeAccounts({QStringLiteral("1000")}));

    QCOMPARE(RestoreBook(book.services, breakIt), refusal.isEmpty());

    QVERIFY(book.prompts.verifyAllShown());
    QVERIFY(book.db.isOpen());
    QCOMPARE(book.endProgramCalls, 0);
    QCOMPARE(fileBytes(chosen), chosenBefore);
    QCOMPARE(fileBytes(chosen + "-wal"), logBefore);
    if (!refusal.isEmpty())
        QCOMPARE(fileBytes(book.bookPath()), bookBefore);
    QCOMPARE(vendors(book.db), expectedVendors);
    QCOMPARE(book.value(QStringLiteral("PRAGMA user_version")).toInt(),
             BookFormat::currentVersion());
    // Nothing of the restore's own is left beside the book, and only a damaged book is kept
    // there (by its bytes); a book brought up to date left no copy of its own.
    const QStringList beside =
        QDir(book.appDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(beside.filter(QStringLiteral(".restoring-")), QStringList());
    QCOMPARE(beside.filter(QStringLiteral("before-format")), QStringList());
    const QStringList damaged = beside.filter(QStringLiteral(".damaged-"));
    QCOMPARE(damaged.size(), first == QLatin1String("damage") ? 1 : 0);
    if (!damaged.isEmpty())
        QCOMPARE(fileBytes(book.appDir() + QLatin1Char('/') + damaged.first()), bookBefore);
    // A sound book replaced is kept byte for byte as the newest backup; one not replaced
    // leaves no backup and no unfinished one.
    const QStringList kept = BookBackup::backups(book.bookPath()).filter(QStringLiteral("-auto-"));
    QCOMPARE(kept.size(), refusal.isEmpty() && first != QLatin1String("damage") ? 1 : 0);
    if (!kept.isEmpty()) {
        QCOMPARE(fileBytes(kept.first()), bookBefore);
        QCOMPARE(BookBackup::latest(book.bookPath()), kept.first());
    }
    QCOMPARE(QDir(BookBackup::folderFor(book.bookPath()))
                 .entryList(QDir::Files)
                 .filter(QStringLiteral(".partial")),
             QStringList());
}

// Each import is preceded by a verified backup; only the last ten automatic ones are kept.
void TestBackup::automaticBackupsBeforeImportKeepTen() {
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    const QString manual = BookBackup::pathFor(book.bookPath(), QDateTime(QDate(2001, 1, 1), {}));
    QVERIFY(QDir().mkpath(BookBackup::folderFor(book.bookPath())));
    BookBackup::make(book.db, manual);
    for (int i = 0; i < BookBackup::kKeptAutomatic + 2; ++i) {
        const QString lines = book.appDir() + QStringLiteral("/vendors.txt");
        QFile file(lines);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("\"V%1\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n").arg(i).toUtf8());
        file.close();
        book.prompts.expect(Messages::importVendorsQuestion(), Prompts::Answer::Yes);
        book.fileDialogs.answer(lines);
        book.prompts.expect(Messages::recordsAdded(1));
        QVERIFY(runCommand(&switchboard, QStringLiteral("cmdImportVendors")));
        QVERIFY(book.prompts.verifyAllShown());
    }
    const QStringList kept = BookBackup::backups(book.bookPath());
    QCOMPARE(kept.size(), BookBackup::kKeptAutomatic + 1);
    QCOMPARE(kept.first(), manual);
    // The newest holds every import but the last.
    Database newest(QStringLiteral("newest"));
    newest.open(kept.last());
    QCOMPARE(newest.scalar(QStringLiteral("SELECT COUNT(*) FROM tblVendors")).toInt(),
             BookBackup::kKeptAutomatic + 1);
}

// Every copy of the book is made as private as the book, and the backups folder no more open
// than the book and its folder.
void TestBackup::copiesAreAsPrivateAsTheBook_data() {
    // mode: the book's; folderMode: the backups folder's, 0 when the copy is beside the book
    columns<QString, int, int>("copy", "mode", "folderMode");
    addRow("automatic, private book", "automatic", 0600, 0700);
    addRow("manual, a book the group reads", "manual", 0640, 0750);
    addRow("before a restore", "restore", 0600, 0700);
    addRow("before a format upgrade", "upgrade", 0600, 0);
    addRow("compaction", "compaction", 0600, 0);
}

void TestBackup::copiesAreAsPrivateAsTheBook() {
    const auto [copy, mode, folderMode] = fetch<QString, int, int>("copy", "mode", "folderMode");
    // The usual default permissions, under which a new file is readable by everyone.
    const auto umaskBack = qScopeGuard([was = ::umask(022)] { ::umask(was); });
    TestBook book(TestBook::Open::No);
    const QString path = book.bookPath();
    QCOMPARE(::chmod(QFile::encodeName(book.appDir()).constData(), 0755), 0);
    if (copy == QLatin1String("upgrade")) {
        QVERIFY(QFile::remove(path));
        writeEarlierBuildBook(path);
    }
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
    const QString backups = BookBackup::folderFor(path);
    QString made;
    int madeMode = -1;
    if (copy == QLatin1String("upgrade"))
        made = BookFormat::copyPathFor(path, 0);
    book.db.open(path);
    if (copy == QLatin1String("automatic")) {
        made = BookBackup::makeAutomatic(book.db, path, QStringLiteral("import"));
    } else if (copy == QLatin1String("manual")) {
        made = backups + QStringLiteral("/chosen.mdb");
        book.fileDialogs.answer(made);
        book.prompts.expect(Messages::backupMade(made));
        BackUpBook(book.services);
    } else if (copy == QLatin1String("restore")) {
        const QString chosen = book.appDir() + QStringLiteral("/chosen.mdb");
        BookBackup::make(book.db, chosen);
        book.fileDialogs.answer(chosen);
        book.prompts.expect(Messages::restoreQuestion(chosen), Prompts::Answer::Yes);
        book.prompts.expectMatch(
            patternOf(Messages::bookRestored(chosen, QStringLiteral("@@")), "@@"));
        QVERIFY(RestoreBook(book.services));
        made = BookBackup::latest(path);
    } else if (copy == QLatin1String("compaction")) {
        made = book.appDir() + QStringLiteral("/cashbooktmp.mdb");
        book.prompts.expect(compactDatabaseQuestion(), Prompts::Answer::Yes)
            .expect(QStringLiteral("Database compacted."));
        CompactDatabase(book.services, [&](BookCompaction::Step step) {
            if (step == BookCompaction::Step::Check)
                madeMode = modeOf(made);
        });
    }

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(madeMode < 0 ? modeOf(made) : madeMode, mode);
    if (folderMode)
        QCOMPARE(modeOf(backups), folderMode);
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"

// Back Up, Restore, period end and compaction name each step as it begins (the program shows
// them in a progress dialog when the work takes a while, painting its windows between steps),
// and a second start while one runs (a click reaching the window then) does nothing.
void TestBackup::longWorkNamesItsStepsAndRunsOnce_data() {
    columns<QString, QStringList>("work", "steps");
    const QStringList backup{Messages::copyingBook(), Messages::checkingCopy(),
                             Messages::movingIntoPlace()};
    addRow("back up", "back up", backup);
    addRow("restore", "restore",
           QStringList{Messages::checkingCopy(), Messages::copyingBook(),
                       Messages::movingIntoPlace()});
    addRow("period end", "period end", backup);
    addRow("compaction", "compaction", backup);
}

void TestBackup::longWorkNamesItsStepsAndRunsOnce() {
    const auto [work, steps] = fetch<QString, QStringList>("work", "steps");
    TestBook book;
    const QString chosen = book.appDir() + QStringLiteral("/chosen.mdb");
    std::function<void()> start;
    if (work == QLatin1String("back up")) {
        book.fileDialogs.answer(chosen);
        book.prompts.expect(Messages::backupMade(chosen));
        start = [&] { BackUpBook(book.services); };
    } else if (work == QLatin1String("restore")) {
        BookBackup::make(book.db, chosen);
        book.fileDialogs.answer(chosen);
        book.prompts.expect(Messages::restoreQuestion(chosen), Prompts::Answer::Yes);
        book.prompts.expectMatch(
            patternOf(Messages::bookRestored(chosen, QStringLiteral("@@")), "@@"));
        start = [&] { RestoreBook(book.services); };
    } else if (work == QLatin1String("period end")) {
        const PeriodEnd::FiscalPeriod now = PeriodEnd::current(book.db);
        const PeriodEnd::FiscalPeriod next = PeriodEnd::next(now);
        book.prompts.expect(
            Messages::periodEndQuestion(Codes::monthName(now.month), QString::number(now.year)),
            Prompts::Answer::Yes);
        book.prompts.expect(
            Messages::periodEndCompleted(Codes::monthName(next.month), QString::number(next.year)));
        start = [&] { runPeriodEnd(book.services); };
    } else {
        book.prompts.expect(compactDatabaseQuestion(), Prompts::Answer::Yes);
        book.prompts.expect(QStringLiteral("Database compacted."));
        start = [&] { CompactDatabase(book.services); };
    }
    int again = 0;
    book.busy.atStep = [&] {
        const qsizetype dialogs = book.fileDialogs.requests().size();
        const qsizetype boxes = book.prompts.shown().size();
        ++again;
        start();
        // Neither a question nor a file dialog: the second start did nothing.
        QCOMPARE(book.fileDialogs.requests().size(), dialogs);
        QCOMPARE(book.prompts.shown().size(), boxes);
    };
    start();
    book.busy.atStep = {};
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.busy.steps, steps);
    QVERIFY(again >= steps.size());
}
