#include "bookcompaction.h"

#include "data/bookaccess.h"
#include "data/bookcopy.h"
#include "data/database.h"
#include "data/messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kSqliteBusy = 5;

Failure systemFailure(const QString& what, const QString& path) {
    const int error = errno;
    return Failure(error, QStringLiteral("%1 %2: %3")
                              .arg(what, QDir::toNativeSeparators(path),
                                   QString::fromLocal8Bit(std::strerror(error))));
}

// Makes sure a file's (or a directory's) contents are on the disk, not only in the cache:
// after a power cut the renamed book must be the complete copy, never a partial one.
void syncToDisk(const QString& path, bool directory) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), directory ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
    if (fd < 0)
        throw systemFailure(QStringLiteral("Cannot open"), path);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0) {
        errno = error;
        throw systemFailure(QStringLiteral("Cannot write to disk"), path);
    }
}

// The engine plays back a journal only when its header is intact; an empty or zeroed one
// (a change that was committed or never began) is ignored.
bool journalHasHeader(const QString& path) {
    static const QByteArray magic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(8) == magic;
}

// The new file takes the book's permissions and, where the process may set it, its owner.
void copyAttributes(const QString& from, const QString& to) {
    struct stat info {};
    if (::stat(QFile::encodeName(from).constData(), &info) != 0)
        throw systemFailure(QStringLiteral("Cannot read the permissions of"), from);
    const QByteArray target = QFile::encodeName(to);
    // Owner first: changing it may clear the set-id bits the mode then restores.
    if (::chown(target.constData(), info.st_uid, info.st_gid) != 0 &&
        ::chown(target.constData(), uid_t(-1), info.st_gid) != 0) {
        // Not permitted: the copy keeps the current user as its owner.
    }
    if (::chmod(target.constData(), info.st_mode & 07777) != 0)
        throw systemFailure(QStringLiteral("Cannot set the permissions of"), to);
}

} // namespace

BookCompaction::BookCompaction(Database& db, const QString& bookPath, StepHook beforeStep)
    : m_db(db), m_bookFile(BookAccess::realPath(bookPath)),
      m_copyPath(QFileInfo(m_bookFile).dir().filePath(QStringLiteral("cashbooktmp.mdb"))),
      m_beforeStep(std::move(beforeStep)) {}

void BookCompaction::before(Step step) const {
    if (m_beforeStep)
        m_beforeStep(step);
}

void BookCompaction::clearJournal() const {
    const QString journal = m_bookFile + QStringLiteral("-journal");
    if (!QFileInfo::exists(journal))
        return;
    if (journalHasHeader(journal))
        throw Failure(
            ErrorNumber::Unnumbered,
            QStringLiteral("The book has an unfinished change (%1); it was left as it is.")
                .arg(QDir::toNativeSeparators(journal)));
    if (!QFile::remove(journal))
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("The journal %1 the book no longer needs cannot be deleted.")
                          .arg(QDir::toNativeSeparators(journal)));
}

void BookCompaction::checkBook() const {
    if (!BookAccess::mayChange(m_bookFile))
        throw Failure(ErrorNumber::Unnumbered, Messages::bookNotWritable(m_bookFile),
                      Failure::Kind::BookRefused);
    // A read lets the engine roll back a journal a crash left; taking the write lock then
    // tells whether another program is in the middle of a change.
    m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
    try {
        Transaction probe(m_db);
    } catch (const Failure& failure) {
        if (failure.number() != kSqliteBusy)
            throw;
        throw Failure(ErrorNumber::Unnumbered, Messages::bookChangeInProgress(m_bookFile),
                      Failure::Kind::BookRefused);
    }
    // Whatever journal is still there the engine no longer needs.
    clearJournal();
}

void BookCompaction::removeLeftover() const {
    // A stale journal of the copy would be played back into the new copy, so it goes too.
    for (const QString& path : {m_copyPath, m_copyPath + QStringLiteral("-journal")}) {
        const QFileInfo leftover(path);
        if (!leftover.exists() && !leftover.isSymLink())
            continue;
        if (leftover.isDir() || !QFile::remove(path))
            throw Failure(
                ErrorNumber::PathFileAccessError,
                QStringLiteral("The file %1 from an earlier compaction cannot be deleted.")
                    .arg(QDir::toNativeSeparators(path)));
    }
}

void BookCompaction::makeCheckedCopy() const {
    before(Step::Compact);
    BookCopy::write(m_db, m_copyPath);
    before(Step::Check);
    BookCopy::verify(m_db, m_copyPath);
}

void BookCompaction::replaceBook() const {
    m_db.close();
    before(Step::Replace);
    // Checked again with the connection closed: a journal with its header beside the new
    // file would be played back into it on opening.
    clearJournal();
    copyAttributes(m_bookFile, m_copyPath);
    syncToDisk(m_copyPath, false);
    const QByteArray from = QFile::encodeName(m_copyPath);
    const QByteArray to = QFile::encodeName(m_bookFile);
    // rename(2) replaces the book in one step: the name holds either the old or the new file.
    if (std::rename(from.constData(), to.constData()) != 0)
        throw systemFailure(QStringLiteral("Cannot put the compacted copy in place of"),
                            m_bookFile);
    // The rename itself is made durable by writing the directory.
    try {
        syncToDisk(QFileInfo(m_bookFile).absolutePath(), true);
    } catch (const Failure&) {
        // The new book is in place and complete; the directory is written by the system later.
    }
}

void BookCompaction::discardCopy() const noexcept {
    BookCopy::discard(m_copyPath);
}
