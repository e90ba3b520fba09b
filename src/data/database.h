#pragma once

#include "bookformat.h"
#include "booklocation.h"
#include "failure.h"
#include "sqldialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <optional>

struct sqlite3;

// The one shared connection to the book. Every window, model and procedure goes
// through it; there is no second connection. Every statement that carries a value
// is prepared and the value bound: user text never becomes SQL text.
class Database {
public:
    explicit Database(QString connectionName = QStringLiteral("quillan"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the book at path: a book the user may not change (BookAccess::mayChange) is opened
    // read-only, and is refused if it would need an upgrade. Refuses a file that is not a book of
    // this program, is a book of a newer format or of one no build made, or does not hold exactly
    // the schema of its format (BookSchemaCheck) (Failure of kind BookRefused, the file
    // untouched), brings an older book up to date (BookFormat::upgrade), then checks that every
    // table and field is there and the settings tables hold their row. Throws Failure when the file
    // cannot be opened or is not a usable book.
    BookFormat::Upgrade open(const QString& path);
    // The same, bringing the book up to the version `steps` reach. Messages name the book
    // `shownPath` (by default `path`): a copy is checked under the name of its original.
    BookFormat::Upgrade open(const QString& path, const QList<BookFormat::Step>& steps,
                             const QString& shownPath = {});
    // Opens the book at `location`: a file as open(path) does; a database on a server through
    // Qt's PostgreSQL driver, with the same refusals (not a book, a newer format, a version no
    // build made) and the same upgrade to the version `steps` reach (in one transaction; a
    // server book is copied by the server's own backups, not beside it). A server book is
    // read-only when the login may not insert, update and delete in every table of the book
    // (or the server is a standby). A server that does not answer or refuses the login is
    // refused with a message naming the server (Failure of kind BookRefused).
    BookFormat::Upgrade open(const BookLocation& location);
    BookFormat::Upgrade open(const BookLocation& location, const QList<BookFormat::Step>& steps);
    // Opens (creating if needed) without checking the tables: for making a new book.
    void openForCreate(const QString& path);
    // The same for a book to be made in a database on a server (connecting as open() does).
    void openForCreate(const BookLocation& location);
    void close();
    bool isOpen() const;
    // Whether the book was opened for reading only; every write then fails.
    bool isReadOnly() const { return m_readOnly; }
    // From now on, opens every book for reading only, even one the user may change (another
    // program has it open to change it).
    void setOnlyReading(bool onlyReading) { m_onlyReading = onlyReading; }
    // The book's file, or a server book's URI as shown (without a password).
    const QString& path() const { return m_path; }
    const BookLocation& location() const { return m_location; }
    // The engine the book is kept in, and the SQL that differs between the engines.
    BookEngine engine() const { return m_dialect.engine(); }
    const SqlDialect& dialect() const { return m_dialect; }
    QSqlDatabase connection() const;

    // Asked for a server book's password (given the book as shown) when the server wants one
    // and libpq's own means (the URI, the password file, a service) give none; nothing (no
    // value) gives up. The password is used for this connection and kept in memory only.
    using PasswordPrompt = std::function<std::optional<QString>(const QString& shownBook)>;
    void setPasswordPrompt(PasswordPrompt prompt) { m_passwordPrompt = std::move(prompt); }

    // Runs a statement with bound values; the query is positioned before its first row, and
    // forward-only on a book file (a server book's result is read whole, so other statements
    // may run while it is read). Throws Failure on any database error.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {}) const;
    // The first column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& values = {}) const;
    // Runs a statement and returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& values = {}) const;

    // Raises the Failure matching a Qt SQL error (duplicate keys carry their own kind).
    [[noreturn]] static void fail(const QSqlError& error);
    static Failure failureFrom(const QSqlError& error);
    // The engine's own handle of a QSQLITE connection, for the calls Qt does not offer
    // (interrupting a check, the online backup); null for any other driver.
    static sqlite3* engineHandle(const QSqlDatabase& connection);

    // Called before each statement that writes, on this connection's thread: for work that
    // reads the book elsewhere and would make the write wait. An empty function removes it.
    void setBeforeWrite(std::function<void()> hook);

    // Every settings table a usable book must hold has its row.
    void verifyBook() const;

private:
    // `databaseName` is what the engine is given when it differs from the path (a URI).
    void openConnection(const QString& path, const QString& options = {},
                        const QString& databaseName = {});
    void setConnectionOptions() const;
    // Connects to a server book, asking for a password through the prompt when the server
    // wants one that nothing else gives.
    void openServerConnection(const BookLocation& location);
    BookFormat::Upgrade openServer(const BookLocation& location,
                                   const QList<BookFormat::Step>& steps);
    // Whether the login may not change the server book (or the server takes no writes).
    bool serverBookReadOnly() const;
    // Runs before a statement that writes: the hook given to setBeforeWrite, then, for a book
    // kept in another journal mode (write-ahead), which is left so until the first write, the
    // switch to the rollback journal mode.
    void beforeWrite(const QString& sql) const;

    QString m_connectionName;
    QString m_path;
    BookLocation m_location;
    SqlDialect m_dialect;
    PasswordPrompt m_passwordPrompt;
    bool m_readOnly = false;
    bool m_onlyReading = false;
    mutable bool m_journalPending = false;
    std::function<void()> m_beforeWrite;
};

// Writes that belong together run inside one of these: rolled back unless committed.
class Transaction {
public:
    explicit Transaction(const Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    const Database& m_db;
    bool m_done = false;
};
