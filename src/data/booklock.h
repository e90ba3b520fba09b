#pragma once

#include <QString>
#include <memory>

class QLockFile;

// The mark that a Quillan program has a book open to change it: a file beside the book's real
// file (`cashbook.mdb.lock`) naming the host and the process. A second program finds it and
// opens the book only to look, and compaction and restore, which put a new file in the
// book's place under every other program's connection, refuse while another program holds
// it. A lock whose program has ended on this host (it crashed or was killed) is recognised
// and taken over; one from another host is left to the user, since only that host can tell.
class BookLock {
public:
    // Who holds a lock; a process id of 0 when the lock file does not say.
    struct Holder {
        QString host;
        qint64 processId = 0;
    };
    enum class Outcome {
        Taken,         // this program holds the lock now
        HeldElsewhere, // another program holds it (holder() says which)
        Unavailable    // the book may not be changed (BookAccess::mayChange), or no lock
                       // file can be made beside it
    };

    BookLock();
    ~BookLock(); // releases the lock
    BookLock(const BookLock&) = delete;
    BookLock& operator=(const BookLock&) = delete;

    // The lock file of the book at bookPath.
    static QString pathFor(const QString& bookPath);

    // Takes the lock of the book at bookPath for this program; a lock of another book held
    // before is released.
    Outcome take(const QString& bookPath);
    // The holder found by the last take() that answered HeldElsewhere.
    const Holder& holder() const { return m_holder; }
    // Before the book's file is replaced: makes sure no other program has the book open,
    // taking the lock when nobody holds it. Throws Failure of kind BookRefused, with the
    // message for the user, when another program holds it.
    void claim(const QString& bookPath);
    // Removes the lock file; the next program may take the book.
    void release();

private:
    bool holds(const QString& lockPath) const;

    std::unique_ptr<QLockFile> m_file;
    Holder m_holder;
};
