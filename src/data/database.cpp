#include "database.h"

#include "bookaccess.h"
#include "bookschemacheck.h"
#include "messages.h"
#include "schema.h"
#include "serverprobe.h"
#include "serverschema.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

Database::Database(QString connectionName) : m_connectionName(std::move(connectionName)) {}

Database::~Database() {
    close();
}

QSqlDatabase Database::connection() const {
    return QSqlDatabase::database(m_connectionName, false);
}

bool Database::isOpen() const {
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

void Database::openConnection(const QString& path, const QString& options,
                              const QString& databaseName) {
    close();
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(databaseName.isEmpty() ? path : databaseName);
    db.setConnectOptions(options);
    if (!db.open()) {
        const Failure failure = failureFrom(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw failure;
    }
    m_path = path;
    m_location = BookLocation::file(path);
    m_dialect = SqlDialect(BookEngine::Sqlite);
    // A locked or foreign file shows itself on the first statement, not on open().
    exec(QStringLiteral("PRAGMA busy_timeout = 2000"));
}

// Options of the connection only: nothing here writes to the file.
void Database::setConnectionOptions() const {
    exec(QStringLiteral("PRAGMA synchronous = FULL"));
    exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    // 32 MB of pages kept in memory (the default is 2 MB): month-end work on a large book
    // (the distribution, a statement's matches) touches thousands of pages at once.
    exec(QStringLiteral("PRAGMA cache_size = -32768"));
    m_journalPending =
        !m_readOnly && scalar(QStringLiteral("PRAGMA journal_mode"))
                               .toString()
                               .compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0;
}

namespace {

// Whether a statement only reads the book (a pragma counts: none that writes is run on the
// shared connection outside a write).
bool onlyReads(const QString& sql) {
    static const QStringList reads = {QStringLiteral("SELECT "), QStringLiteral("WITH "),
                                      QStringLiteral("PRAGMA "), QStringLiteral("ATTACH "),
                                      QStringLiteral("DETACH "), QStringLiteral("VACUUM INTO ")};
    const QString text = sql.simplified().toUpper();
    for (const QString& read : reads)
        if (text.startsWith(read))
            return true;
    return false;
}

} // namespace

void Database::setBeforeWrite(std::function<void()> hook) {
    m_beforeWrite = std::move(hook);
}

void Database::beforeWrite(const QString& sql) const {
    if ((!m_journalPending && !m_beforeWrite) || onlyReads(sql))
        return;
    if (m_beforeWrite)
        m_beforeWrite();
    if (!m_journalPending)
        return;
    m_journalPending = false;
    try {
        exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    } catch (const Failure&) {
        // Another connection holds the book open: the write goes through the current
        // journal mode and the change is tried again before the next write.
        m_journalPending = true;
    }
}

BookFormat::Upgrade Database::open(const QString& path) {
    return open(path, BookFormat::steps());
}

BookFormat::Upgrade Database::open(const QString& path, const QList<BookFormat::Step>& steps,
                                   const QString& shownPath) {
    const QString shown = shownPath.isEmpty() ? path : shownPath;
    if (!QFileInfo::exists(path))
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The book %1 does not exist.").arg(path));
    const bool readOnly = m_onlyReading || !BookAccess::mayChange(path);
    try {
        if (readOnly) {
            const BookAccess::ReadingConnection reading = BookAccess::readingConnection(path);
            openConnection(path, reading.options, reading.databaseName);
        } else {
            openConnection(path);
        }
        m_readOnly = readOnly;
        const int version = BookFormat::versionOf(*this, shown, int(steps.size()));
        // Schema only, before anything is written: a trigger or view of someone else's would
        // otherwise run inside the upgrade and every save after it.
        BookSchemaCheck::check(*this, shown, version, steps);
        setConnectionOptions();
        BookFormat::Upgrade upgrade;
        if (version < steps.size()) {
            if (readOnly)
                throw Failure(ErrorNumber::Unnumbered, Messages::bookNotWritable(shown),
                              Failure::Kind::BookRefused);
            upgrade = BookFormat::upgrade(*this, path, version, steps, shown);
        }
        verifyBook();
        return upgrade;
    } catch (...) {
        close();
        throw;
    }
}

BookFormat::Upgrade Database::open(const BookLocation& location) {
    return open(location, BookFormat::steps());
}

BookFormat::Upgrade Database::open(const BookLocation& location,
                                   const QList<BookFormat::Step>& steps) {
    if (!location.isServer())
        return open(location.path(), steps);
    try {
        return openServer(location, steps);
    } catch (...) {
        close();
        throw;
    }
}

void Database::openServerConnection(const BookLocation& location) {
    close();
    BookLocation attempt = location;
    for (;;) {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        if (!db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw Failure(ErrorNumber::Unnumbered, Messages::serverDriverMissing(),
                          Failure::Kind::BookRefused);
        }
        db.setHostName(attempt.host());
        db.setPort(attempt.port());
        db.setDatabaseName(attempt.databaseName());
        db.setUserName(attempt.userName());
        db.setPassword(attempt.password());
        db.setConnectOptions(attempt.connectOptions());
        if (db.open())
            break;
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        // Qt's driver gives only text; libpq tells a silent server from a refusal, and a
        // missing password from a wrong one.
        const ServerProbe probe(attempt.connectionString());
        if (probe.needsPassword() && attempt.password().isEmpty() && m_passwordPrompt) {
            if (const std::optional<QString> password = m_passwordPrompt(location.shown())) {
                attempt = location.withPassword(*password);
                continue;
            }
        }
        throw Failure(ErrorNumber::Unnumbered,
                      probe.answered()
                          ? Messages::serverRefusedLogin(location.shownServer(), location.shown(),
                                                         probe.detail())
                          : Messages::serverUnreachable(location.shownServer(), location.shown(),
                                                        probe.detail()),
                      Failure::Kind::BookRefused);
    }
    // Kept with its password (if one was asked for) for as long as the book is open.
    m_location = attempt;
    m_path = location.shown();
    m_dialect = SqlDialect(BookEngine::PostgreSql);
    // A notice (an IF NOT EXISTS that found its object) is no error; texts travel as UTF-8.
    exec(QStringLiteral("SET client_min_messages = warning"));
    exec(QStringLiteral("SET client_encoding = 'UTF8'"));
}

bool Database::serverBookReadOnly() const {
    return scalar(QStringLiteral(
                      "SELECT pg_is_in_recovery() OR current_setting('transaction_read_only') = "
                      "'on' OR EXISTS (SELECT 1 FROM pg_class AS c WHERE c.relnamespace = "
                      "current_schema()::regnamespace AND c.relkind = 'r' AND NOT "
                      "(has_table_privilege(c.oid, 'INSERT') AND has_table_privilege(c.oid, "
                      "'UPDATE') AND has_table_privilege(c.oid, 'DELETE')))"))
        .toBool();
}

BookFormat::Upgrade Database::openServer(const BookLocation& location,
                                         const QList<BookFormat::Step>& steps) {
    openServerConnection(location);
    const QString shown = location.shown();
    const int version = BookFormat::versionOf(*this, shown, int(steps.size()));
    // Before anything is written: a trigger of someone else's would run inside every save.
    ServerSchema::check(*this, shown, version, steps);
    m_readOnly = m_onlyReading || serverBookReadOnly();
    BookFormat::Upgrade upgrade;
    if (version < steps.size()) {
        if (m_readOnly)
            throw Failure(ErrorNumber::Unnumbered, Messages::bookNotWritable(shown),
                          Failure::Kind::BookRefused);
        upgrade = BookFormat::upgrade(*this, shown, version, steps, shown);
    }
    // Every write then fails, as on a file book opened for reading.
    if (m_readOnly)
        exec(QStringLiteral("SET default_transaction_read_only = on"));
    verifyBook();
    return upgrade;
}

void Database::openForCreate(const BookLocation& location) {
    if (!location.isServer())
        return openForCreate(location.path());
    openServerConnection(location);
}

void Database::openForCreate(const QString& path) {
    openConnection(path);
    setConnectionOptions();
    beforeWrite(QStringLiteral("CREATE"));
}

void Database::close() {
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        auto db = QSqlDatabase::database(m_connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_path.clear();
    m_location = BookLocation();
    m_dialect = SqlDialect();
    m_readOnly = false;
    m_journalPending = false;
}

sqlite3* Database::engineHandle(const QSqlDatabase& connection) {
    const QVariant handle = connection.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

Failure Database::failureFrom(const QSqlError& error) {
    const QString native = error.nativeErrorCode();
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    bool ok = false;
    const int code = native.toInt(&ok);
    // SQLITE_CONSTRAINT (19) and its PRIMARYKEY (1555) and UNIQUE (2067) extensions; on the
    // server, the SQLSTATE of a unique violation.
    const bool constraint = ok && (code == 19 || code == 1555 || code == 2067);
    if ((constraint &&
         text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive)) ||
        native == QLatin1String("23505"))
        return Failure(ErrorNumber::DuplicateKey,
                       QStringLiteral("The changes you requested to the table were not successful "
                                      "because they would create duplicate values in the index, "
                                      "primary key, or relationship. (%1)")
                           .arg(text),
                       Failure::Kind::DuplicateKey);
    return Failure(ok ? code : ErrorNumber::Unnumbered,
                   text.isEmpty() ? QStringLiteral("Unknown database error") : text);
}

void Database::fail(const QSqlError& error) {
    throw failureFrom(error);
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& values) const {
    if (!isOpen())
        throw Failure(ErrorNumber::ObjectClosed,
                      QStringLiteral("Operation is not allowed when the object is closed."));
    beforeWrite(sql);
    QSqlQuery query(connection());
    // Qt's server driver reads a forward-only result a row at a time from the connection, and
    // a second statement on it while rows are left throws them away; callers read one query
    // while running others (a lookup per row), so a server's result is taken whole.
    query.setForwardOnly(!m_dialect.isServer());
    // The server prepares only queries and changes of rows (no CREATE, BEGIN or SET): a
    // statement with no value to bind is sent as it is.
    if (values.isEmpty() && m_dialect.isServer()) {
        if (!query.exec(sql))
            fail(query.lastError());
        return query;
    }
    if (!query.prepare(sql))
        fail(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(query.lastError());
    return query;
}

QVariant Database::scalar(const QString& sql, const QVariantList& values) const {
    QSqlQuery query = exec(sql, values);
    if (!query.next())
        return {};
    return query.value(0);
}

int Database::execute(const QString& sql, const QVariantList& values) const {
    return exec(sql, values).numRowsAffected();
}

void Database::verifyBook() const {
    // The tables and fields were compared with the format's schema before anything was
    // written; what remains is the single settings rows every window reads.
    for (const QString& table : Schema::settingsTables())
        if (!scalar(QStringLiteral("SELECT COUNT(*) FROM ") + SqlDialect::quoted(table))
                 .toLongLong())
            throw Failure(ErrorNumber::NoCurrentRecord,
                          QStringLiteral("The settings table %1 has no row.").arg(table));
}

Transaction::Transaction(const Database& db) : m_db(db) {
    m_db.exec(m_db.dialect().beginWrite());
}

Transaction::~Transaction() {
    if (!m_done) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (...) {
            // The connection may already have rolled back on its own; nothing to undo.
        }
    }
}

void Transaction::commit() {
    m_db.exec(QStringLiteral("COMMIT"));
    m_done = true;
}
