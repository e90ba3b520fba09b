#include "booklock.h"

#include "bookaccess.h"
#include "failure.h"
#include "messages.h"

#include <QLockFile>

BookLock::BookLock() = default;

BookLock::~BookLock() {
    release();
}

QString BookLock::pathFor(const QString& bookPath) {
    // Beside the real file, so that every name of the book (a link) finds the same lock.
    return BookAccess::realPath(bookPath) + QStringLiteral(".lock");
}

bool BookLock::holds(const QString& lockPath) const {
    return m_file && m_file->isLocked() && m_file->fileName() == lockPath;
}

BookLock::Outcome BookLock::take(const QString& bookPath) {
    const QString lockPath = pathFor(bookPath);
    if (holds(lockPath))
        return Outcome::Taken;
    release();
    m_holder = {};
    // Nobody changes a book there: a lock would only be a file made where none is wanted.
    if (!BookAccess::mayChange(bookPath))
        return Outcome::Unavailable;
    auto file = std::make_unique<QLockFile>(lockPath);
    // A lock is held for the whole run: never stale by its age, only when its program is gone.
    file->setStaleLockTime(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (file->tryLock(0)) {
            m_file = std::move(file);
            return Outcome::Taken;
        }
        if (file->error() != QLockFile::LockFailedError)
            return Outcome::Unavailable;
        if (file->getLockInfo(&m_holder.processId, &m_holder.host, nullptr))
            return Outcome::HeldElsewhere;
        // A lock file that names nobody (cut short as it was written) belongs to no live
        // program unless one still holds it open; removing it fails while one does.
        if (!file->removeStaleLockFile())
            return Outcome::HeldElsewhere;
    }
    return Outcome::HeldElsewhere;
}

void BookLock::claim(const QString& bookPath) {
    if (take(bookPath) == Outcome::HeldElsewhere)
        throw Failure(ErrorNumber::Unnumbered,
                      Messages::bookInUseElsewhere(BookAccess::realPath(bookPath), m_holder.host,
                                                   m_holder.processId),
                      Failure::Kind::BookRefused);
}

void BookLock::release() {
    m_file.reset();
}
