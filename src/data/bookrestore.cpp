#include "bookrestore.h"

#include "bookaccess.h"
#include "bookbackup.h"
#include "bookcheck.h"
#include "bookintegrity.h"
#include "database.h"
#include "messages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void copyFile(const QString& from, const QString& to) {
    if (!QFile::copy(from, to))
        throw Failure(
            ErrorNumber::PathFileAccessError,
            QStringLiteral("The file %1 cannot be copied to %2.").arg(shown(from), shown(to)));
}

bool taken(const QString& path) {
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

} // namespace

BookRestore::BookRestore(const QString& bookPath, const QString& chosenPath)
    : m_bookPath(bookPath), m_bookFile(BookAccess::realPath(bookPath)),
      m_work(QFileInfo(m_bookFile)
                 .dir()
                 .filePath(QFileInfo(m_bookFile).completeBaseName() +
                           QStringLiteral(".restoring-XXXXXX"))) {
    if (!QFileInfo(chosenPath).isFile())
        throw Failure(ErrorNumber::FileNotFound,
                      QStringLiteral("The file %1 cannot be found.").arg(shown(chosenPath)));
    // Beside the book, so the checked copy takes the book's place by a rename; a folder of its
    // own, so no name the program uses can be a file of the user's.
    if (!m_work.isValid())
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("No working folder for the restore can be made beside the "
                                     "book: %1")
                          .arg(m_work.errorString()));
    m_copy = m_work.filePath(QFileInfo(m_bookFile).fileName());
    const QString bookFile = m_bookFile;
    m_bookCheck =
        std::async(std::launch::async, [bookFile] { return BookCheck::problems(bookFile); });
    m_upgrade = checkedCopy(chosenPath, m_copy);
}

BookFormat::Upgrade BookRestore::checkedCopy(const QString& chosenPath, const QString& copyPath) {
    // The engine reads a book with the log (write-ahead) or journal kept beside its real
    // file; copied with it, the copy reads as the chosen file would.
    const QString source = BookAccess::realPath(chosenPath);
    copyFile(source, copyPath);
    for (const QString& companion : {QStringLiteral("-wal"), QStringLiteral("-journal")})
        if (QFileInfo::exists(source + companion))
            copyFile(source + companion, copyPath + companion);

    Database check(QStringLiteral("quillan-restore-check"));
    const BookFormat::Upgrade upgrade = check.open(copyPath, BookFormat::steps(), chosenPath);
    // One file at rest, as the book always is: a log the copy still holds is written into it,
    // and what is checked is what becomes the book.
    const QString mode = check.scalar(QStringLiteral("PRAGMA journal_mode = DELETE")).toString();
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The copy of %1 cannot be made one file (journal mode %2).")
                          .arg(shown(chosenPath), mode));
    check.close();
    const QString problems = BookIntegrity::problems(copyPath);
    if (!problems.isEmpty())
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The file %1 is not a sound book: it failed its integrity "
                                     "check: %2")
                          .arg(shown(chosenPath), problems));
    return upgrade;
}

QString BookRestore::keepCurrentBook(const Database& db, const BookBackup::Steps& steps) {
    if (!m_bookCheck.get().isEmpty()) {
        // The engine cannot copy a book whose pages are damaged, which is when a restore is
        // most needed: its bytes are kept as they are.
        m_kept = keepDamagedBytes();
        m_damaged = true;
        return m_kept;
    }
    BookBackup::makeFolder(m_bookPath);
    m_kept =
        BookBackup::pathFor(m_bookPath, QDateTime::currentDateTime(), QStringLiteral("restore"));
    // The book's own file, checked with the chosen one, is the backup: its pages as they are,
    // with nothing to copy. Nothing writes the book until it is replaced.
    const QString partial = m_kept + QStringLiteral(".partial");
    if (::link(QFile::encodeName(m_bookFile).constData(), QFile::encodeName(partial).constData()) ==
        0) {
        m_keptPartial = partial;
        return m_kept;
    }
    // A folder on another file system, or one that holds no second name: a checked copy.
    m_kept = BookBackup::makeAutomatic(db, m_bookPath, QStringLiteral("restore"), steps);
    return m_kept;
}

void BookRestore::settleKept(bool restored, bool bookOpen) {
    if (m_keptPartial.isEmpty())
        return;
    const QString partial = std::exchange(m_keptPartial, QString());
    if (!restored && bookOpen) {
        // The book is back in its place: its second name is no backup.
        QFile::remove(partial);
        return;
    }
    try {
        BookAccess::moveIntoPlace(partial, m_kept);
    } catch (const Failure& failure) {
        if (!restored)
            return;
        throw Failure(failure.number(),
                      QStringLiteral("The book was restored, but the book it replaced could not "
                                     "be kept as %1; it is at %2.")
                          .arg(shown(m_kept), shown(partial)));
    }
    // Made now, as the newest backup.
    ::utimensat(AT_FDCWD, QFile::encodeName(m_kept).constData(), nullptr, 0);
    BookBackup::pruneAutomatic(m_bookPath);
}

QString BookRestore::keepDamagedBytes() const {
    const QFileInfo book(m_bookFile);
    const QString stem = book.dir().filePath(
        book.completeBaseName() + QStringLiteral(".damaged-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString suffix = book.suffix().isEmpty() ? QString() : QLatin1Char('.') + book.suffix();
    const QString partialMark = QStringLiteral(".partial");
    QString kept = stem + suffix;
    for (int n = 2; taken(kept) || taken(kept + partialMark); ++n)
        kept = stem + QStringLiteral(" (%1)").arg(n) + suffix;
    // Named only once complete, like a backup.
    const QString partial = kept + partialMark;
    try {
        copyFile(m_bookFile, partial);
        if (!QFile::setPermissions(partial, QFile::permissions(m_bookFile)))
            throw Failure(
                ErrorNumber::PathFileAccessError,
                QStringLiteral("The permissions of %1 cannot be set.").arg(shown(partial)));
        BookAccess::moveIntoPlace(partial, kept);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    return kept;
}

void BookRestore::reopen(Database& db, const QString& keptPath) const {
    try {
        db.open(m_bookPath);
    } catch (const Failure& failure) {
        throw Failure(ErrorNumber::Unnumbered,
                      Messages::bookNotReopened(failure.description(), keptPath));
    }
}

void BookRestore::replace(Database& db, const BeforeReopen& beforeReopen) {
    try {
        swap(db, beforeReopen);
    } catch (...) {
        settleKept(false, db.isOpen());
        throw;
    }
    settleKept(true, true);
}

void BookRestore::swap(Database& db, const BeforeReopen& beforeReopen) {
    // The book as it is, under a second name, to put back should the restored book not open.
    const QString previous =
        m_work.filePath(QStringLiteral("previous-") + QFileInfo(m_bookFile).fileName());
    if (::link(QFile::encodeName(m_bookFile).constData(),
               QFile::encodeName(previous).constData()) != 0 &&
        !QFile::copy(m_bookFile, previous))
        throw Failure(ErrorNumber::PathFileAccessError,
                      Messages::restoreFailed(
                          QStringLiteral("The book cannot be kept as %1 while it is replaced.")
                              .arg(shown(previous))));
    db.close();
    try {
        BookAccess::clearStaleJournal(m_bookFile);
        BookAccess::replaceFile(m_copy, m_bookFile);
    } catch (const Failure& failure) {
        // Nothing was replaced: the book is the file it was.
        reopen(db, m_kept);
        throw Failure(failure.number(), Messages::restoreFailed(failure.description()));
    }
    QString reason;
    try {
        if (beforeReopen)
            beforeReopen(m_bookFile);
        db.open(m_bookPath);
        return;
    } catch (const Failure& failure) {
        reason = failure.description();
    }
    try {
        BookAccess::replaceFile(previous, m_bookFile);
    } catch (const Failure&) {
        // The book as it was stays where it is, for the user to put back.
        m_work.setAutoRemove(false);
        throw Failure(ErrorNumber::Unnumbered, Messages::bookNotReopened(reason, previous));
    }
    reopen(db, m_kept);
    throw Failure(ErrorNumber::Unnumbered, Messages::restoredBookPutBack(reason));
}
