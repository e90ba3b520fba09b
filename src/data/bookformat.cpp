#include "bookformat.h"

#include "bookcopy.h"
#include "database.h"
#include "messages.h"
#include "schema.h"
#include "upgradesteps.h"

#include <QDir>
#include <QFileInfo>

namespace BookFormat {

namespace {

[[noreturn]] void refuse(const QString& message) {
    throw Failure(ErrorNumber::Unnumbered, message, Failure::Kind::BookRefused);
}

bool holdsBookTables(const Database& db) {
    QSqlQuery query =
        db.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QStringList present;
    while (query.next())
        present << query.value(0).toString().toLower();
    for (const QString& table : Schema::tableNames())
        if (!present.contains(table.toLower()))
            return false;
    return true;
}

} // namespace

const QList<Step>& steps() {
    static const QList<Step> all = {
        UpgradeSteps::emptyBlankDepartments, UpgradeSteps::addCashbookTotals,
        UpgradeSteps::addStatementTables,    UpgradeSteps::keepStatementLinesPerAccount,
        UpgradeSteps::renewCashbookTotals,
    };
    return all;
}

int currentVersion() {
    return int(steps().size());
}

void stamp(const Database& db, int version) {
    if (db.dialect().isServer()) {
        const QString table = SqlDialect::quoted(kServerFormatTable);
        db.exec(QStringLiteral("DELETE FROM ") + table);
        db.exec(QStringLiteral("INSERT INTO %1 (\"ApplicationId\", \"Version\") VALUES (?, ?)")
                    .arg(table),
                {kApplicationId, version});
        return;
    }
    // Pragmas take no bound values; both numbers come from the program.
    db.exec(QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
    db.exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
}

namespace {

// A server book's version: its format table holds the program's mark and the version.
int serverVersionOf(const Database& db, const QString& shown, int currentVersion) {
    const bool marked = db.scalar(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"),
                                  {SqlDialect::quoted(kServerFormatTable)})
                            .toBool();
    if (!marked)
        refuse(Messages::notAServerBook(shown));
    QSqlQuery query = db.exec(QStringLiteral("SELECT \"ApplicationId\", \"Version\" FROM %1")
                                  .arg(SqlDialect::quoted(kServerFormatTable)));
    if (!query.next() || query.value(0).toLongLong() != kApplicationId)
        refuse(Messages::notAServerBook(shown));
    const qint64 version = query.value(1).toLongLong();
    if (query.next())
        refuse(Messages::notAServerBook(shown));
    if (version > currentVersion)
        refuse(Messages::newerBook(shown));
    if (version < kFirstServerVersion)
        refuse(Messages::unknownBookFormat(shown, version));
    return int(version);
}

} // namespace

int versionOf(const Database& db, const QString& path, int currentVersion) {
    if (db.dialect().isServer())
        return serverVersionOf(db, path, currentVersion);
    qint64 applicationId = 0;
    qint64 version = 0;
    try {
        applicationId = db.scalar(QStringLiteral("PRAGMA application_id")).toLongLong();
        version = db.scalar(QStringLiteral("PRAGMA user_version")).toLongLong();
    } catch (const Failure& failure) {
        if (failure.number() == ErrorNumber::SqliteNotADatabase)
            refuse(Messages::notABook(path));
        throw;
    }
    if (applicationId == kApplicationId) {
        if (version > currentVersion)
            refuse(Messages::newerBook(path));
        // Every marked book was stamped with a version of one or more.
        if (version < 1)
            refuse(Messages::unknownBookFormat(path, version));
        return int(version);
    }
    // Unmarked: a book of an earlier build holds the tables and no version at all.
    if (applicationId != 0 || version != 0 || !holdsBookTables(db))
        refuse(Messages::notABook(path));
    return 0;
}

QString copyPathFor(const QString& path, int version) {
    const QFileInfo book(path);
    const QString stem = book.dir().filePath(book.completeBaseName() +
                                             QStringLiteral(".before-format-%1").arg(version + 1));
    const QString suffix = book.suffix().isEmpty() ? QString() : QLatin1Char('.') + book.suffix();
    QString candidate = stem + suffix;
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = stem + QStringLiteral(" (%1)").arg(n) + suffix;
    return candidate;
}

Upgrade upgrade(const Database& db, const QString& path, int fromVersion, const QList<Step>& steps,
                const QString& shownPath) {
    const QString shown = shownPath.isEmpty() ? path : shownPath;
    // Only versions a build made have steps from them; nothing is copied for any other.
    if (fromVersion < 0 || fromVersion > steps.size())
        refuse(Messages::unknownBookFormat(shown, fromVersion));
    Upgrade done;
    done.fromVersion = fromVersion;
    if (db.dialect().isServer()) {
        // The server's own backups keep its databases; the steps run in one transaction.
        if (fromVersion < kFirstServerVersion)
            refuse(Messages::unknownBookFormat(shown, fromVersion));
        try {
            Transaction transaction(db);
            for (qsizetype step = fromVersion; step < steps.size(); ++step)
                steps.at(step)(db, done.notices);
            stamp(db, int(steps.size()));
            transaction.commit();
        } catch (const Failure& failure) {
            refuse(Messages::upgradeFailed(shown, failure.description()));
        }
        return done;
    }
    done.copyPath = copyPathFor(path, fromVersion);
    try {
        BookCopy::BookSide book(db);
        BookCopy::write(db, done.copyPath);
        BookCopy::verify(book, done.copyPath, BookCopy::Check::Quick);
        Transaction transaction(db);
        for (qsizetype step = fromVersion; step < steps.size(); ++step)
            steps.at(step)(db, done.notices);
        stamp(db, int(steps.size()));
        transaction.commit();
    } catch (const std::exception& error) {
        // The transaction has rolled back, so the copy only repeats the book.
        BookCopy::discard(done.copyPath);
        const auto* failure = dynamic_cast<const Failure*>(&error);
        refuse(Messages::upgradeFailed(shown, failure ? failure->description()
                                                      : QString::fromLocal8Bit(error.what())));
    }
    return done;
}

} // namespace BookFormat
