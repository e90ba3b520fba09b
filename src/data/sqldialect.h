#pragma once

#include <QString>

// The engines a book can be kept in: a SQLite file (the default, one desk) or a database on a
// PostgreSQL server.
enum class BookEngine { Sqlite, PostgreSql };

// The SQL that differs between the engines, written here once so that windows and features
// write their statements once for both (Database::dialect() gives the open book's).
// Everything else is SQL both engines run: quoted names keep their case on the server
// ("tblCashbook"), COALESCE, standard date texts, bound values.
class SqlDialect {
public:
    explicit SqlDialect(BookEngine engine = BookEngine::Sqlite) : m_engine(engine) {}

    BookEngine engine() const { return m_engine; }
    bool isServer() const { return m_engine == BookEngine::PostgreSql; }

    // A table or field name as written in SQL: double-quoted (either engine reads it so), so
    // the server keeps its case.
    static QString quoted(const QString& name);

    // The statement that starts a transaction that will write: SQLite takes the write lock at
    // once, so two writers never deadlock on upgrading their locks; the server locks rows.
    QString beginWrite() const;

    // The words after a key of an ORDER BY, giving SQLite's order on either engine: nulls
    // before every value when ascending, after every value when descending (the server's own
    // default is the other way round). On SQLite the bare " ASC" or " DESC", which it reads so.
    QString orderDirection(bool ascending) const;

    // The sum of a whole-number expression as a whole number. The server sums a bigint as
    // numeric, which its driver hands over as text or a double, so it casts the sum back (a sum
    // beyond 64 bits is then the server's error). On SQLite the bare "SUM(expression)": it
    // gives a sum that leaves 64 bits as a floating-point number, which callers refuse, where a
    // cast would turn it into a whole number.
    QString wholeSum(const QString& expression) const;
    // The hidden key that finds the one row of a settings table (tblBankDetails,
    // tblSystemSetup, tblAccpacSettings) within one statement: SQLite's rowid; on the server the
    // row's place, ctid, which moves when the row is written, so it never outlives the statement
    // that reads it. Each of these tables holds one row, the one every reader takes.
    QString settingsRowKey() const;

    // An insert that skips the rows whose key is already held. `rest` is everything after the
    // word INSERT: "INTO t (a, b) VALUES (?, ?)" or "INTO t (a, b) SELECT ...".
    QString insertOrIgnore(const QString& rest) const;

    // The statement that makes a table whose fields are declared as SQLite's book declares
    // them (names unquoted; `sqliteOptions` such as "WITHOUT ROWID" for SQLite alone). On
    // SQLite it is exactly "CREATE TABLE name (fields)[ options]", the text the book's schema
    // check compares. On the server every name is quoted, codes and texts that compare without
    // regard to case become citext, other texts text, whole numbers (money included) bigint,
    // rates double precision, and an INTEGER PRIMARY KEY (a number the engine gives) an
    // identity.
    QString createTable(const QString& name, const QString& sqliteFields,
                        const QString& sqliteOptions = {}) const;

    // The statement that makes a temporary table of the connection's own, declared as
    // createTable() declares a table, unless one of that name is already made.
    QString createTemporaryTable(const QString& name, const QString& sqliteFields) const;

    // A statement of the book's own making (an index: "CREATE INDEX name ON table (a, b)"),
    // written for SQLite with bare names, in this engine's words (names quoted on the server).
    QString statement(const QString& sqliteStatement) const;

private:
    BookEngine m_engine;
};
