#pragma once

#include "bookbackup.h"
#include "bookformat.h"

#include <QString>
#include <QTemporaryDir>

class Database;

// Restoring a server book from a book file the user chose. The chosen file is never opened, so
// it stays byte for byte as it was: a copy of it (with the log or journal the engine keeps
// beside it) is made in a working folder of its own, opened as start-up opens a book (refused
// when it is not a book of a format this program made or holds anything the program does not
// make; brought up to date when older), made one file and checked whole (BookIntegrity). Only
// then are the server book's rows kept as an automatic backup and replaced by the copy's, in
// one transaction on the server (BookTransfer::replaceRows), committed only when every table's
// count and sums agree.
class ServerRestore {
public:
    // Copies and checks the chosen file. Throws Failure naming what is wrong with it; the
    // server book is not touched.
    explicit ServerRestore(const QString& chosenPath);
    ServerRestore(const ServerRestore&) = delete;
    ServerRestore& operator=(const ServerRestore&) = delete;

    // What bringing the chosen file up to date found; not ran() when it was of the current
    // format.
    const BookFormat::Upgrade& upgrade() const { return m_upgrade; }

    // Keeps the server book open on db as it is now: a verified automatic backup in its
    // backups folder (`bookPath`: the book as shown). Returns its path; throws Failure when it
    // cannot be made (nothing is to be replaced then).
    QString keepCurrentBook(const Database& db, const QString& bookPath,
                            const BookBackup::Steps& steps = {});

    // Replaces every row of the server book open on db by the checked copy's, in one
    // transaction. Throws Failure with the server book as it was.
    void replace(const Database& db);

private:
    QTemporaryDir m_work;
    QString m_copy;
    QString m_chosen;
    BookFormat::Upgrade m_upgrade;
};
