#include "bookbackup.h"

#include "bookaccess.h"
#include "bookcopy.h"
#include "bookfiles.h"
#include "bookpermissions.h"
#include "database.h"
#include "messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace BookBackup {

namespace {

const QString kAutomaticMark = QStringLiteral("-auto-");
const QString kPartial = QStringLiteral(".partial");

QString stemOf(const QString& bookPath) {
    return QFileInfo(BookAccess::realPath(bookPath)).completeBaseName();
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
    return QFileInfo(BookAccess::realPath(bookPath)).dir().filePath(QStringLiteral("backups"));
}

void makeFolder(const QString& bookPath) {
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
        if (!isBookFile(file.filePath(), bookPath) &&
            (newest.filePath().isEmpty() || file.lastModified() >= newest.lastModified()))
            newest = file;
    return newest.filePath();
}

} // namespace BookBackup
