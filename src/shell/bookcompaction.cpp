#include "bookcompaction.h"

#include "data/bookcopy.h"
#include "data/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

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

} // namespace

BookCompaction::BookCompaction(Database& db, QString bookPath, QString copyPath,
                               StepHook beforeStep)
    : m_db(db), m_bookPath(std::move(bookPath)), m_copyPath(std::move(copyPath)),
      m_beforeStep(std::move(beforeStep)) {}

void BookCompaction::before(Step step) const {
    if (m_beforeStep)
        m_beforeStep(step);
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
    // A journal beside the book would be played back into the new file on opening.
    const QString journal = m_bookPath + QStringLiteral("-journal");
    if (QFileInfo::exists(journal))
        throw Failure(
            ErrorNumber::Unnumbered,
            QStringLiteral("The book has an unfinished change (%1); it was left as it is.")
                .arg(QDir::toNativeSeparators(journal)));
    syncToDisk(m_copyPath, false);
    const QByteArray from = QFile::encodeName(m_copyPath);
    const QByteArray to = QFile::encodeName(m_bookPath);
    // rename(2) replaces the book in one step: the name holds either the old or the new file.
    if (std::rename(from.constData(), to.constData()) != 0)
        throw systemFailure(QStringLiteral("Cannot put the compacted copy in place of"),
                            m_bookPath);
    // The rename itself is made durable by writing the directory.
    try {
        syncToDisk(QFileInfo(m_bookPath).absolutePath(), true);
    } catch (const Failure&) {
        // The new book is in place and complete; the directory is written by the system later.
    }
}

void BookCompaction::discardCopy() const noexcept {
    BookCopy::discard(m_copyPath);
}
