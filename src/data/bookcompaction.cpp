#include "bookcompaction.h"

#include "data/bookaccess.h"
#include "data/bookcopy.h"
#include "data/database.h"
#include "data/messages.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr qint64 kSqliteBusy = 5;

} // namespace

BookCompaction::BookCompaction(Database& db, const QString& bookPath, StepHook beforeStep)
    : m_db(db), m_bookFile(BookAccess::realPath(bookPath)),
      m_copyPath(QFileInfo(m_bookFile).dir().filePath(QStringLiteral("cashbooktmp.mdb"))),
      m_beforeStep(std::move(beforeStep)) {}

void BookCompaction::before(Step step) const {
    if (m_beforeStep)
        m_beforeStep(step);
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
    BookAccess::clearStaleJournal(m_bookFile);
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
    BookCopy::writeCompact(m_db, m_copyPath);
    before(Step::Check);
    BookCopy::verify(m_db, m_copyPath);
}

void BookCompaction::replaceBook() const {
    m_db.close();
    before(Step::Replace);
    // Checked again with the connection closed: a journal with its header beside the new
    // file would be played back into it on opening.
    BookAccess::clearStaleJournal(m_bookFile);
    BookAccess::replaceFile(m_copyPath, m_bookFile);
}

void BookCompaction::discardCopy() const noexcept {
    BookCopy::discard(m_copyPath);
}
