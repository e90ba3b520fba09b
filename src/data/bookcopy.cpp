#include "bookcopy.h"

#include "bookaccess.h"
#include "bookintegrity.h"
#include "bookpermissions.h"
#include "database.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>
#include <functional>
#include <future>
#include <optional>
#include <sqlite3.h>

namespace BookCopy {

namespace {

// Runs a statement with bound values on one connection; throws Failure.
using Exec = std::function<QSqlQuery(const QString& sql, const QVariantList& values)>;

QString quotedName(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QStringList tablesOf(const Exec& exec) {
    QSqlQuery query =
        exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                            "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"),
             {});
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QString tallyOf(const Exec& exec, const QString& table, const QString& schema) {
    QSqlQuery info =
        exec(QStringLiteral("SELECT name, type FROM pragma_table_info(?, ?)"), {table, schema});
    QString select = QStringLiteral("SELECT COUNT(*)");
    while (info.next())
        if (info.value(1).toString().contains(QLatin1String("INT"), Qt::CaseInsensitive))
            select +=
                QStringLiteral(", SUM(") + quotedName(info.value(0).toString()) + QLatin1Char(')');
    QSqlQuery sums =
        exec(select + QStringLiteral(" FROM ") + schema + QLatin1Char('.') + quotedName(table), {});
    sums.next();
    QString text = QStringLiteral("%1 rows, sums").arg(sums.value(0).toLongLong());
    for (int i = 1; i < sums.record().count(); ++i)
        text += QLatin1Char(' ') + sums.value(i).toString();
    return text;
}

Exec execOn(const Database& db) {
    return [&db](const QString& sql, const QVariantList& values) { return db.exec(sql, values); };
}

Tallies talliesOf(const Exec& exec) {
    Tallies read;
    read.tables = tablesOf(exec);
    for (const QString& table : read.tables)
        read.tallies << tallyOf(exec, table, QStringLiteral("main"));
    return read;
}

// Runs `read` on a connection of its own to the file at path, for reading only, so that it
// can run in another thread while the program's connection is used.
// A connection name no other reading uses, on any thread.
QString ownConnectionName() {
    static QAtomicInteger<int> serial = 0;
    return QStringLiteral("bookcopycheck%1").arg(serial.fetchAndAddRelaxed(1));
}

template <typename Result>
Result onOwnConnection(const QString& path, const std::function<Result(const Exec&)>& read) {
    const QString name = ownConnectionName();
    std::optional<Result> result;
    std::optional<Failure> failed;
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        try {
            const BookAccess::ReadingConnection reading = BookAccess::readingConnection(path);
            connection.setDatabaseName(reading.databaseName);
            connection.setConnectOptions(reading.options);
            if (!connection.open())
                Database::fail(connection.lastError());
            const Exec exec = [&connection](const QString& sql, const QVariantList& values) {
                QSqlQuery query(connection);
                query.setForwardOnly(true);
                if (!query.prepare(sql))
                    Database::fail(query.lastError());
                for (const QVariant& value : values)
                    query.addBindValue(value);
                if (!query.exec())
                    Database::fail(query.lastError());
                return query;
            };
            result = read(exec);
        } catch (const Failure& failure) {
            failed = failure;
        }
        connection.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (failed)
        throw *failed;
    return *result;
}

Tallies talliesOf(const QString& path) {
    return onOwnConnection<Tallies>(path, [](const Exec& exec) { return talliesOf(exec); });
}

// The copy's pages checked: "ok" or the problems found.
QString integrityOf(const QString& path, Check check) {
    if (check == Check::Full) {
        const QString problems = BookIntegrity::problems(path);
        return problems.isEmpty() ? QStringLiteral("ok") : problems;
    }
    return onOwnConnection<QString>(path, [](const Exec& exec) {
        QSqlQuery quick = exec(QStringLiteral("PRAGMA quick_check(10)"), {});
        QStringList found;
        while (quick.next())
            found << quick.value(0).toString();
        return found.join(QLatin1Char('\n'));
    });
}

// Pages copied in one run between reports: a few megabytes, so that progress moves often.
constexpr int kPagesPerRun = 2048;

// The copy's own connection, closed however the copy ends.
class Target {
public:
    explicit Target(const QString& path) {
        const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_handle,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOFOLLOW, nullptr);
        if (opened != SQLITE_OK) {
            // The destructor does not run for a constructor that throws.
            const QString reason = message();
            sqlite3_close(m_handle);
            throw failure(path, reason);
        }
    }
    ~Target() { sqlite3_close(m_handle); }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    sqlite3* handle() const { return m_handle; }
    void exec(const char* sql, const QString& path) const {
        if (sqlite3_exec(m_handle, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(path);
    }
    [[noreturn]] void fail(const QString& path) const { throw failure(path, message()); }

private:
    QString message() const {
        return m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle))
                        : QStringLiteral("out of memory");
    }
    static Failure failure(const QString& path, const QString& reason) {
        return Failure(ErrorNumber::Unnumbered,
                       QStringLiteral("The copy %1 of the book cannot be written: %2")
                           .arg(QDir::toNativeSeparators(path), reason));
    }

    sqlite3* m_handle = nullptr;
};

} // namespace

QString tally(const Database& db, const QString& table, const QString& schema) {
    return tallyOf(execOn(db), table, schema);
}

void write(const Database& db, const QString& copyPath, const Progress& progress) {
    BookPermissions::createCopyFile(BookAccess::realPath(db.path()), copyPath);
    sqlite3* source = Database::engineHandle(db.connection());
    if (!source)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The book's connection cannot be copied from."));
    const Target target(copyPath);
    // The copy is committed to the disk as the book is.
    target.exec("PRAGMA synchronous = FULL", copyPath);
    {
        // Copied from the program's own connection: a write on it while the copy runs is
        // carried into the copy, and no other connection writes the book.
        sqlite3_backup* backup = sqlite3_backup_init(target.handle(), "main", source, "main");
        if (!backup)
            target.fail(copyPath);
        int stepped = SQLITE_OK;
        while (stepped == SQLITE_OK) {
            stepped = sqlite3_backup_step(backup, kPagesPerRun);
            if (progress && (stepped == SQLITE_OK || stepped == SQLITE_DONE)) {
                const qint64 total = sqlite3_backup_pagecount(backup);
                progress(total - sqlite3_backup_remaining(backup), total);
            }
        }
        // The step's error, when there was one, stays on the copy's connection.
        if (sqlite3_backup_finish(backup) != SQLITE_OK || stepped != SQLITE_DONE)
            target.fail(copyPath);
    }
    // The pages carry the book's header (its mark and version) as it is, with it the
    // write-ahead mode of a book left so until its first write: the copy is made a book in
    // the rollback journal mode, one file, as every copy is.
    target.exec("PRAGMA journal_mode = DELETE", copyPath);
}

void writeCompact(const Database& db, const QString& copyPath) {
    BookPermissions::createCopyFile(BookAccess::realPath(db.path()), copyPath);
    db.exec(QStringLiteral("VACUUM INTO ?"), {copyPath});
}

struct BookSide::Reading {
    std::future<Tallies> tallies;
};

BookSide::BookSide(const Database& db) : m_db(db) {
    // A write the program's connection has not committed is in its copy but not in what
    // another connection reads: the book's side is then read on the program's connection.
    sqlite3* handle = Database::engineHandle(db.connection());
    if (!handle || !sqlite3_get_autocommit(handle))
        return;
    const QString path = BookAccess::realPath(db.path());
    m_reading = std::make_unique<Reading>();
    m_reading->tallies = std::async(std::launch::async, [path] { return talliesOf(path); });
}

BookSide::~BookSide() {
    if (m_reading && m_reading->tallies.valid())
        m_reading->tallies.wait();
}

Tallies BookSide::take() {
    if (m_reading && m_reading->tallies.valid()) {
        try {
            return m_reading->tallies.get();
        } catch (const Failure&) {
            // Read again on the program's connection, where the book is known to open.
        }
    }
    return talliesOf(execOn(m_db));
}

void verify(const Database& db, const QString& copyPath, Check check) {
    BookSide book(db);
    verify(book, copyPath, check);
}

void verify(BookSide& book, const QString& copyPath, Check check) {
    const QString shown = QDir::toNativeSeparators(copyPath);
    if (!QFileInfo::exists(copyPath))
        throw Failure(ErrorNumber::FileNotFound,
                      QStringLiteral("The copy %1 of the book was not written.").arg(shown));
    // The copy's pages are checked in another thread while its tallies are read here, each on
    // a connection of its own: a check takes the time of the longer, not of both.
    std::future<QString> integrity =
        std::async(std::launch::async, [copyPath, check] { return integrityOf(copyPath, check); });
    Tallies copy;
    std::optional<Failure> failed;
    try {
        copy = talliesOf(copyPath);
    } catch (const Failure& failure) {
        // The pages' check ends first: it must not outlive this check, and a damaged copy is
        // told by what it found.
        failed = failure;
    }
    const QString found = integrity.get();
    if (found != QLatin1String("ok"))
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The copy %1 of the book failed its integrity check: %2")
                          .arg(shown, found));
    if (failed)
        throw *failed;
    const Tallies original = book.take();
    if (original.tables != copy.tables)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The copy %1 of the book holds the tables %2 instead of %3.")
                          .arg(shown, copy.tables.join(QStringLiteral(", ")),
                               original.tables.join(QStringLiteral(", "))));
    for (qsizetype i = 0; i < original.tables.size(); ++i)
        if (original.tallies.at(i) != copy.tallies.at(i))
            throw Failure(
                ErrorNumber::Unnumbered,
                QStringLiteral("The copy %1 of the book: %2 holds %3 instead of %4.")
                    .arg(shown, original.tables.at(i), copy.tallies.at(i), original.tallies.at(i)));
}

void discard(const QString& copyPath) noexcept {
    QFile::remove(copyPath);
    QFile::remove(copyPath + QStringLiteral("-journal"));
}

} // namespace BookCopy
