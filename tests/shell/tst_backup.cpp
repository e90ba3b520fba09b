// Tools > Back Up Book... and Restore Book...: a backup is told as made only once it passed
// its check; a restore brings the book back as it was, keeping the book it replaced.
#include "data/bookbackup.h"
#include "data/messages.h"
#include "shell/bookbackupcommands.h"
#include "shell/compactdatabase.h"
#include "shell/switchboardwindow.h"
#include "support/filesizelimit.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopeGuard>
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
    void restoreRefusesAnUnsoundFile();
    void automaticBackupsBeforeImportKeepTen();
    void copiesAreAsPrivateAsTheBook_data();
    void copiesAreAsPrivateAsTheBook();
};

void TestBackup::backUp_data() {
    QTest::addColumn<QString>("damage");
    QTest::newRow("checked") << "";
    QTest::newRow("a row lost in the copy")
        << "DELETE FROM tblTransactionType WHERE TransType = '3'";
    QTest::newRow("an amount changed in the copy") << "UPDATE tblCashbook SET DoubleEntryBank = 1";
    // The copy cannot grow past a file-size limit (`ulimit -f`): the write fails, and is told.
    QTest::newRow("a file-size limit") << "limit";
}

void TestBackup::backUp() {
    QFETCH(QString, damage);
    TestBook book;
    book.sql(QStringLiteral("INSERT INTO tblCashbook (TransID, DoubleEntryBank) VALUES ('7', 5)"));
    const QString target = book.appDir() + QStringLiteral("/chosen.mdb");
    book.fileDialogs.answer(target);
    if (damage.isEmpty())
        book.prompts.expect(Messages::backupMade(target));
    else
        book.prompts.expectMatch(patternOf(Messages::backupFailed(QStringLiteral("@@")), "@@"));

    bool namedBeforeItsCheck = false;
    std::optional<FileSizeLimit> limit;
    if (damage == QLatin1String("limit"))
        limit.emplace(4096);
    BackUpBook(book.services, [&](const QString& copy) {
        namedBeforeItsCheck = QFile::exists(target);
        if (damage.isEmpty())
            return;
        Database other(QStringLiteral("damage"));
        other.openForCreate(copy);
        other.exec(damage);
    });

    limit.reset();
    QVERIFY(book.prompts.verifyAllShown());
    // Only a checked copy ever has the chosen name; a failed one leaves nothing behind.
    QVERIFY(!namedBeforeItsCheck);
    const QStringList left = QDir(book.appDir()).entryList({QStringLiteral("chosen*")});
    QCOMPARE(left, damage.isEmpty() ? QStringList{QStringLiteral("chosen.mdb")} : QStringList());
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

void TestBackup::restoreRefusesAnUnsoundFile() {
    TestBook book;
    const QString chosen = book.appDir() + QStringLiteral("/notabook.mdb");
    QFile file(chosen);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    const QByteArray bookBefore = fileBytes(book.bookPath());
    book.fileDialogs.answer(chosen);
    book.prompts.expectMatch(patternOf(Messages::restoreFailed(QStringLiteral("@@")), "@@"));

    QVERIFY(!RestoreBook(book.services));

    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(fileBytes(book.bookPath()), bookBefore);
    QVERIFY(book.db.isOpen());
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
    QTest::addColumn<QString>("copy");
    QTest::addColumn<int>("mode");       // the book's
    QTest::addColumn<int>("folderMode"); // the backups folder's; 0: the copy is beside the book
    QTest::newRow("automatic, private book") << "automatic" << 0600 << 0700;
    QTest::newRow("manual, a book the group reads") << "manual" << 0640 << 0750;
    QTest::newRow("before a restore") << "restore" << 0600 << 0700;
    QTest::newRow("before a format upgrade") << "upgrade" << 0600 << 0;
    QTest::newRow("compaction") << "compaction" << 0600 << 0;
}

void TestBackup::copiesAreAsPrivateAsTheBook() {
    QFETCH(QString, copy);
    QFETCH(int, mode);
    QFETCH(int, folderMode);
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
