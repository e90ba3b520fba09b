#include "bookcopy.h"

#include "bookaccess.h"
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

// What the check reads from the copy: its pages' check, its tables and each one's tally.
struct CopyReading {
    QString integrity;
    QStringList tables;
    QStringList tallies;
};

// Reads the copy on a connection of its own, for reading only: run in another thread while
// the book's tallies are read on the program's connection, as each side takes about as long.
CopyReading readCopy(const QString& path, Check check) {
    static QAtomicInteger<int> serial = 0;
    const QString name = QStringLiteral("bookcopycheck%1").arg(serial.fetchAndAddRelaxed(1));
    CopyReading reading;
    std::optional<Failure> failed;
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        copy.setDatabaseName(path);
        copy.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        try {
            if (!copy.open())
                Database::fail(copy.lastError());
            const Exec exec = [&copy](const QString& sql, const QVariantList& values) {
                QSqlQuery query(copy);
                query.setForwardOnly(true);
                if (!query.prepare(sql))
                    Database::fail(query.lastError());
                for (const QVariant& value : values)
                    query.addBindValue(value);
                if (!query.exec())
                    Database::fail(query.lastError());
                return query;
            };
            QSqlQuery integrity =
                exec(check == Check::Full ? QStringLiteral("PRAGMA integrity_check")
                                          : QStringLiteral("PRAGMA quick_check"),
                     {});
            if (integrity.next())
                reading.integrity = integrity.value(0).toString();
            if (reading.integrity == QLatin1String("ok")) {
                reading.tables = tablesOf(exec);
                for (const QString& table : reading.tables)
                    reading.tallies << tallyOf(exec, table, QStringLiteral("main"));
            }
        } catch (const Failure& failure) {
            failed = failure;
        }
        copy.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (failed)
        throw *failed;
    return reading;
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

void verify(const Database& db, const QString& copyPath, Check check) {
    const QString shown = QDir::toNativeSeparators(copyPath);
    if (!QFileInfo::exists(copyPath))
        throw Failure(ErrorNumber::FileNotFound,
                      QStringLiteral("The copy %1 of the book was not written.").arg(shown));
    // The copy's side is read in another thread, on a connection of its own, while the book's
    // tallies are read here: a check takes the time of the longer side, not of both.
    std::future<CopyReading> copySide =
        std::async(std::launch::async, [copyPath, check] { return readCopy(copyPath, check); });
    const Exec exec = execOn(db);
    const QStringList tables = tablesOf(exec);
    QStringList tallies;
    std::optional<Failure> failed;
    try {
        for (const QString& table : tables)
            tallies << tallyOf(exec, table, QStringLiteral("main"));
    } catch (const Failure& failure) {
        // The copy's side ends first: it must not outlive this check.
        failed = failure;
    }
    const CopyReading copy = copySide.get();
    if (failed)
        throw *failed;
    if (copy.integrity != QLatin1String("ok"))
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The copy %1 of the book failed its integrity check: %2")
                          .arg(shown, copy.integrity));
    if (tables != copy.tables)
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The copy %1 of the book holds the tables %2 instead of %3.")
                          .arg(shown, copy.tables.join(QStringLiteral(", ")),
                               tables.join(QStringLiteral(", "))));
    for (qsizetype i = 0; i < tables.size(); ++i)
        if (tallies.at(i) != copy.tallies.at(i))
            throw Failure(ErrorNumber::Unnumbered,
                          QStringLiteral("The copy %1 of the book: %2 holds %3 instead of %4.")
                              .arg(shown, tables.at(i), copy.tallies.at(i), tallies.at(i)));
}

void discard(const QString& copyPath) noexcept {
    QFile::remove(copyPath);
    QFile::remove(copyPath + QStringLiteral("-journal"));
}

} // namespace BookCopy
