#pragma once

#include "bookbackup.h"
#include "bookformat.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <future>

class Database;

// Restoring the book from a file the user chose. The chosen file is never opened, so it stays
// byte for byte as it was: a copy of it (with the log or journal the engine keeps beside it) is
// made in a working folder of its own beside the book, opened as start-up opens a book (refused
// when it is not a book of a format this program made or holds anything the program does not
// make; brought up to date when older), checked whole, and only then put in the book's place.
// The book it replaces is kept: its own file, checked while the chosen file is, becomes an
// automatic backup once the restored book is in its place (a checked page copy where the
// backups folder cannot hold a second name of the book's file); a damaged book is kept by a
// plain copy of its bytes beside it.
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
    // Returns where it is kept. A sound book's file takes the backup's name once replace() has
    // put the restored book in its place (or, should no book open, for the user to put back);
    // until then it is a second name of the book marked unfinished, which no list of backups
    // shows. Throws Failure when it cannot be kept; nothing was replaced.
    QString keepCurrentBook(const Database& db, const BookBackup::Steps& steps = {});
    bool currentBookDamaged() const { return m_damaged; }

    // Puts the checked copy in the book's place with db closed and opens db on it. When that
    // fails, throws Failure whose description is all the user is to be told: restoreFailed when
    // the book was not replaced (db open on it again), restoredBookPutBack when the restored
    // book did not open and the book it replaced is back and open, bookNotReopened when no book
    // could be opened (db closed).
    void replace(Database& db, const BeforeReopen& beforeReopen = {});

    // Copies the chosen file (with its log or journal) to copyPath, opens the copy as start-up
    // opens a book (refusals, schema, upgrade), makes it one file and checks it whole
    // (BookIntegrity). Throws Failure naming what is wrong; the chosen file is never opened.
    static BookFormat::Upgrade checkedCopy(const QString& chosenPath, const QString& copyPath);

private:
    QString keepDamagedBytes() const;
    void swap(Database& db, const BeforeReopen& beforeReopen);
    // Gives the book's kept file its backup's name when the restore is done or no book is open,
    // or removes that second name of the book when the book is back in its place and open.
    void settleKept(bool restored, bool bookOpen);
    // Opens db on the book, or throws bookNotReopened naming where the old book is kept.
    void reopen(Database& db, const QString& keptPath) const;

    QString m_bookPath;
    QString m_bookFile; // the book's real file
    QTemporaryDir m_work;
    QString m_copy;
    BookFormat::Upgrade m_upgrade;
    // The quick check of the book to be replaced, run while the chosen file is checked.
    std::future<QString> m_bookCheck;
    QString m_kept;
    QString m_keptPartial; // the book's file under a second name, until it is settled
    bool m_damaged = false;
};
