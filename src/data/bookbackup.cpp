#include "bookbackup.h"

#include "bookaccess.h"
#include "bookcopy.h"
#include "bookfiles.h"
#include "booklocation.h"
#include "bookpermissions.h"
#include "booktransfer.h"
#include "database.h"
#include "messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BookBackup {

namespace {

const QString kAutomaticMark = QStringLiteral("-auto-");
const QString kPartial = QStringLiteral(".partial");

bool onServer(const QString& bookPath) {
    return BookLocation::isServerUri(bookPath);
}

QString stemOf(const QString& bookPath) {
    if (onServer(bookPath)) {
        // A database's name may hold what a file's name may not.
        static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]+"));
        QString name = BookLocation::parse(bookPath).databaseName();
        return (name.isEmpty() ? QStringLiteral("book") : name)
            .replace(unsafe, QStringLiteral("-"));
    }
    return QFileInfo(BookAccess::realPath(bookPath)).completeBaseName();
}

// A new, empty file only its owner may read, whatever the process's default permissions: a
// server book's rows are no one else's to read from a file.
void createPrivateFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0 || ::fchmod(fd, 0600) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw Failure(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("The file %1 cannot be made.").arg(QDir::toNativeSeparators(path)));
    }
    ::close(fd);
}

// A server book's backup: a book file written from one state of the server book by
// BookTransfer (which compares every table's tally before it commits), its tallies as read
// from the server kept for the check of the file once it is closed.
void writeFromServer(const Database& db, const QString& partial, const QString& shown,
                     BookTransfer::Tallies& tallies) {
    createPrivateFile(partial);
    Database copy(QStringLiteral("quillan-backup-copy"));
    copy.openForCreate(partial);
    BookTransfer::copy(db, copy, shown, &tallies);
}

// Checks the closed copy as a backup is checked: a book of the current format holding exactly
// its schema (opened for reading as start-up opens a book), every page and record, the same
// tables, and each table's count and sums those read from the server book.
void verifyFromServer(const BookTransfer::Tallies& book, const QString& copyPath,
                      const QString& shown) {
    Database copy(QStringLiteral("quillan-backup-check"));
    copy.setOnlyReading(true);
    copy.open(copyPath, BookFormat::steps(), shown);
    const QString found = copy.scalar(QStringLiteral("PRAGMA quick_check")).toString();
    if (found != QLatin1String("ok"))
        throw Failure(ErrorNumber::Unnumbered, Messages::copyNotSound(shown, found));
    QStringList differences;
    QStringList names = BookTransfer::tables(copy);
    names.sort();
    if (names != book.keys())
        differences << QStringLiteral("the tables %1 against %2")
                           .arg(names.join(QStringLiteral(", ")),
                                book.keys().join(QStringLiteral(", ")));
    else
        for (const QString& table : names)
            if (BookTransfer::tally(copy, table) != book.value(table))
                differences << table;
    if (!differences.isEmpty())
        throw Failure(ErrorNumber::Unnumbered, Messages::copyDiffers(shown, differences));
}

} // namespace

void pruneAutomatic(const QString& bookPath) {
    QStringList automatic;
    for (const QString& path : backups(bookPath))
        if (QFileInfo(path).fileName().contains(kAutomaticMark))
            automatic << path;
    for (qsizetype i = 0; i + kKeptAutomatic < automatic.size(); ++i)
        BookCopy::discard(automatic.at(i));
    // Backups a crash cut short before they were checked.
    const QDir folder(folderFor(bookPath));
    for (const QString& name : folder.entryList(
             {stemOf(bookPath) + QStringLiteral("-*.mdb") + kPartial + QLatin1Char('*')},
             QDir::Files))
        QFile::remove(folder.filePath(name));
}

QString folderFor(const QString& bookPath) {
    // A server book has no folder of its own: its backups are kept in the user's data folder,
    // one folder for each database.
    if (onServer(bookPath))
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
            .filePath(QStringLiteral("backups/") + stemOf(bookPath));
    return QFileInfo(BookAccess::realPath(bookPath)).dir().filePath(QStringLiteral("backups"));
}

void makeFolder(const QString& bookPath) {
    if (onServer(bookPath)) {
        const QString folder = folderFor(bookPath);
        if (!QDir().mkpath(folder) ||
            !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            throw Failure(ErrorNumber::PathFileAccessError,
                          QStringLiteral("The folder %1 cannot be made for the book's backups.")
                              .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    BookPermissions::makeBackupFolder(BookAccess::realPath(bookPath), folderFor(bookPath));
}

QString pathFor(const QString& bookPath, const QDateTime& when, const QString& reason) {
    QString tag;
    if (!reason.isEmpty()) {
        static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9]+"));
        tag = kAutomaticMark + reason.toLower().replace(unsafe, QStringLiteral("-"));
    }
    // The time first, so that names sort in the order the backups were made.
    const QString stem = QDir(folderFor(bookPath))
                             .filePath(stemOf(bookPath) + QLatin1Char('-') +
                                       when.toString(QStringLiteral("yyyyMMdd-HHmmsszzz")));
    QString candidate = stem + tag + QStringLiteral(".mdb");
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = stem + QStringLiteral("-%1").arg(n) + tag + QStringLiteral(".mdb");
    return candidate;
}

void make(const Database& db, const QString& path, const AfterWrite& afterWrite,
          const Steps& steps) {
    const auto step = [&steps](const QString& text, qint64 done = 0, qint64 total = 0) {
        if (steps)
            steps(text, done, total);
    };
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        throw Failure(
            ErrorNumber::FileAlreadyExists,
            QStringLiteral("The file %1 already exists.").arg(QDir::toNativeSeparators(path)));
    // Written and checked under a name no list of backups shows, then renamed: a backup cut
    // short (or a check that never ran) never passes for a backup.
    const QString partial = path + kPartial;
    BookCopy::discard(partial);
    if (db.dialect().isServer()) {
        const QString shown = QDir::toNativeSeparators(path);
        try {
            step(Messages::copyingBook());
            BookTransfer::Tallies tallies;
            writeFromServer(db, partial, shown, tallies);
            if (afterWrite)
                afterWrite(partial);
            step(Messages::checkingCopy());
            verifyFromServer(tallies, partial, shown);
            step(Messages::movingIntoPlace());
            BookAccess::moveIntoPlace(partial, path);
        } catch (...) {
            BookCopy::discard(partial);
            throw;
        }
        return;
    }
    try {
        step(Messages::copyingBook());
        // The book's tallies are read while its pages are copied.
        BookCopy::BookSide book(db);
        BookCopy::write(db, partial, [&step](qint64 done, qint64 total) {
            step(Messages::copyingBook(), done, total);
        });
        if (afterWrite)
            afterWrite(partial);
        // The pages are the book's own, so the slow check of every index against its table
        // adds nothing the counts and sums do not: a copy cut short or damaged fails either.
        step(Messages::checkingCopy());
        BookCopy::verify(book, partial, BookCopy::Check::Quick);
        step(Messages::movingIntoPlace());
        BookAccess::moveIntoPlace(partial, path);
    } catch (...) {
        BookCopy::discard(partial);
        throw;
    }
}

QString makeAutomatic(const Database& db, const QString& bookPath, const QString& reason,
                      const Steps& steps) {
    makeFolder(bookPath);
    const QString path = pathFor(bookPath, QDateTime::currentDateTime(), reason);
    make(db, path, {}, steps);
    pruneAutomatic(bookPath);
    return path;
}

QStringList backups(const QString& bookPath) {
    const QDir folder(folderFor(bookPath));
    QStringList paths;
    const QStringList names =
        folder.entryList({stemOf(bookPath) + QStringLiteral("-*.mdb")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        paths << folder.filePath(name);
    return paths;
}

QString latest(const QString& bookPath) {
    // A name tells nothing of when a backup was made: the user names a manual one.
    const QFileInfoList files = QDir(folderFor(bookPath))
                                    .entryInfoList({stemOf(bookPath) + QStringLiteral("-*.mdb")},
                                                   QDir::Files | QDir::NoSymLinks, QDir::Name);
    QFileInfo newest;
    for (const QFileInfo& file : files)
        if ((onServer(bookPath) || !isBookFile(file.filePath(), bookPath)) &&
            (newest.filePath().isEmpty() || file.lastModified() >= newest.lastModified()))
            newest = file;
    return newest.filePath();
}

} // namespace BookBackup
