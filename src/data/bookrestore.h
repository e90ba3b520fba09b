#pragma once

#include "bookformat.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>

class Database;

// Restoring the book from a file the user chose. The chosen file is never opened, so it stays
// byte for byte as it was: a copy of it (with the log or journal the engine keeps beside it) is
// made in a working folder of its own beside the book, opened as start-up opens a book (refused
// when it is not a book of a format this program made or holds anything the program does not
// make; brought up to date when older), checked whole, and only then put in the book's place.
// The book it replaces is kept first: a checked backup or, when the book is damaged and the
// engine cannot copy it, a plain copy of its bytes.
class BookRestore {
public:
    // Called with the book's file once the restored copy is in its place, before it is opened.
    using BeforeReopen = std::function<void(const QString& bookFile)>;

    // Copies and checks the chosen file. Throws Failure naming what is wrong with it; the book
    // is not touched.
    BookRestore(const QString& bookPath, const QString& chosenPath);
    BookRestore(const BookRestore&) = delete;
    BookRestore& operator=(const BookRestore&) = delete;

    // What bringing the chosen file up to date found; not ran() when it was of the current
    // format.
    const BookFormat::Upgrade& upgrade() const { return m_upgrade; }

    // Keeps the book as it is now: an automatic backup, or, when the book is damaged (its pages
    // fail the engine's check), a plain copy of its bytes beside it named as the damaged book.
    // Returns where it is kept. Throws Failure when it cannot be kept; nothing was replaced.
    QString keepCurrentBook(const Database& db);
    bool currentBookDamaged() const { return m_damaged; }

    // Puts the checked copy in the book's place with db closed and opens db on it. When that
    // fails, throws Failure whose description is all the user is to be told: restoreFailed when
    // the book was not replaced (db open on it again), restoredBookPutBack when the restored
    // book did not open and the book it replaced is back and open, bookNotReopened when no book
    // could be opened (db closed).
    void replace(Database& db, const BeforeReopen& beforeReopen = {});

private:
    QString keepDamagedBytes() const;
    // Opens db on the book, or throws bookNotReopened naming where the old book is kept.
    void reopen(Database& db, const QString& keptPath) const;

    QString m_bookPath;
    QString m_bookFile; // the book's real file
    QTemporaryDir m_work;
    QString m_copy;
    BookFormat::Upgrade m_upgrade;
    QString m_kept;
    bool m_damaged = false;
};
