#include "bookcopy.h"

#include "bookaccess.h"
#include "bookpermissions.h"
#include "database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlRecord>
#include <QStringList>

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

void write(const Database& db, const QString& copyPath) {
    BookPermissions::createCopyFile(BookAccess::realPath(db.path()), copyPath);
    db.exec(QStringLiteral("VACUUM INTO ?"), {copyPath});
}

void verify(const Database& db, const QString& copyPath) {
    const QString shown = QDir::toNativeSeparators(copyPath);
    if (!QFileInfo::exists(copyPath))
        throw Failure(ErrorNumber::FileNotFound,
                      QStringLiteral("The copy %1 of the book was not written.").arg(shown));
    Attached attached(db, copyPath);
    const QVariant integrity =
        db.scalar(QStringLiteral("PRAGMA ") + kCopyAlias + QStringLiteral(".integrity_check"));
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
