#include "bookcopy.h"

#include "bookaccess.h"
#include "bookpermissions.h"
#include "database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlRecord>
#include <QStringList>
#include <sqlite3.h>

namespace BookCopy {

namespace {

const QString kCopyAlias = QStringLiteral("bookcopy");

QString quotedName(QString name) {
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QStringList tablesOf(const Database& db, const QString& schema) {
    QSqlQuery query = db.exec(QStringLiteral("SELECT name FROM ") + schema +
                              QStringLiteral(".sqlite_master WHERE type = 'table' AND name NOT "
                                             "LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

// Detaches the copy however the check ends.
class Attached {
public:
    Attached(const Database& db, const QString& path) : m_db(db) {
        m_db.exec(QStringLiteral("ATTACH DATABASE ? AS ") + kCopyAlias, {path});
    }
    ~Attached() {
        try {
            m_db.exec(QStringLiteral("DETACH DATABASE ") + kCopyAlias);
        } catch (...) {
            // The connection is going away with the failure anyway.
        }
    }
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;

private:
    const Database& m_db;
};

sqlite3* handleOf(const Database& db) {
    const QVariant handle = db.connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
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
    QSqlQuery info =
        db.exec(QStringLiteral("SELECT name, type FROM pragma_table_info(?, ?)"), {table, schema});
    QString select = QStringLiteral("SELECT COUNT(*)");
    while (info.next())
        if (info.value(1).toString().contains(QLatin1String("INT"), Qt::CaseInsensitive))
            select +=
                QStringLiteral(", SUM(") + quotedName(info.value(0).toString()) + QLatin1Char(')');
    QSqlQuery sums =
        db.exec(select + QStringLiteral(" FROM ") + schema + QLatin1Char('.') + quotedName(table));
    sums.next();
    QString text = QStringLiteral("%1 rows, sums").arg(sums.value(0).toLongLong());
    for (int i = 1; i < sums.record().count(); ++i)
        text += QLatin1Char(' ') + sums.value(i).toString();
    return text;
}

void write(const Database& db, const QString& copyPath, const Progress& progress) {
    BookPermissions::createCopyFile(BookAccess::realPath(db.path()), copyPath);
    sqlite3* source = handleOf(db);
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
    Attached attached(db, copyPath);
    const QVariant integrity = db.scalar(QStringLiteral("PRAGMA ") + kCopyAlias +
                                         (check == Check::Full ? QStringLiteral(".integrity_check")
                                                               : QStringLiteral(".quick_check")));
    if (integrity.toString() != QLatin1String("ok"))
        throw Failure(ErrorNumber::Unnumbered,
                      QStringLiteral("The copy %1 of the book failed its integrity check: %2")
                          .arg(shown, integrity.toString()));
    const QStringList tables = tablesOf(db, QStringLiteral("main"));
    const QStringList copied = tablesOf(db, kCopyAlias);
    if (tables != copied)
        throw Failure(
            ErrorNumber::Unnumbered,
            QStringLiteral("The copy %1 of the book holds the tables %2 instead of %3.")
                .arg(shown, copied.join(QStringLiteral(", ")), tables.join(QStringLiteral(", "))));
    for (const QString& table : tables) {
        const QString inBook = tally(db, table, QStringLiteral("main"));
        const QString inCopy = tally(db, table, kCopyAlias);
        if (inBook != inCopy)
            throw Failure(ErrorNumber::Unnumbered,
                          QStringLiteral("The copy %1 of the book: %2 holds %3 instead of %4.")
                              .arg(shown, table, inCopy, inBook));
    }
}

void discard(const QString& copyPath) noexcept {
    QFile::remove(copyPath);
    QFile::remove(copyPath + QStringLiteral("-journal"));
}

} // namespace BookCopy
