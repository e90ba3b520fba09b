#include "booktransfer.h"

#include "bookformat.h"
#include "cashbooktotals.h"
#include "database.h"
#include "messages.h"
#include "schema.h"
#include "serverschema.h"

#include <QSqlError>

namespace BookTransfer {

namespace {

enum class Kind { Whole, Rate, Text };

struct Field {
    QString name;
    Kind kind;
};

// A table's fields in declaration order, each with what kind of value it holds.
QList<Field> fieldsOf(const Database& db, const QString& table) {
    QSqlQuery query =
        db.dialect().isServer()
            ? db.exec(QStringLiteral("SELECT attname, format_type(atttypid, atttypmod) FROM "
                                     "pg_attribute WHERE attrelid = to_regclass(?) AND attnum > 0 "
                                     "AND NOT attisdropped ORDER BY attnum"),
                      {SqlDialect::quoted(table)})
            : db.exec(QStringLiteral("SELECT name, type FROM pragma_table_info(?) ORDER BY cid"),
                      {table});
    QList<Field> fields;
    while (query.next()) {
        const QString type = query.value(1).toString().toUpper();
        const Kind kind =
            type.contains(QLatin1String("INT")) ? Kind::Whole
            : type.contains(QLatin1String("REAL")) || type.contains(QLatin1String("DOUBLE"))
                ? Kind::Rate
                : Kind::Text;
        fields.append({query.value(0).toString(), kind});
    }
    return fields;
}

QStringList namesOf(const QList<Field>& fields) {
    QStringList names;
    for (const Field& field : fields)
        names << field.name;
    return names;
}

// Makes the current format's tables, empty, in the target's engine.
void makeTables(const Database& db) {
    QStringList notices;
    const QList<BookFormat::Step>& steps = BookFormat::steps();
    qsizetype first = 0;
    if (db.dialect().isServer()) {
        ServerSchema::createTables(db);
        first = BookFormat::kFirstServerVersion;
    } else {
        Schema::createTables(db);
    }
    for (qsizetype step = first; step < steps.size(); ++step)
        steps.at(step)(db, notices);
}

bool holdsTables(const Database& db) {
    if (db.dialect().isServer())
        return ServerSchema::holdsTables(db);
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")).toLongLong() > 0;
}

// Copies one table's rows; returns their number.
qint64 copyRows(const Database& from, const Database& to, const QString& table,
                const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << SqlDialect::quoted(field);
    const QString list = quoted.join(QStringLiteral(", "));
    // Rows the target's own triggers made while others were copied give way to the source's.
    to.exec(QStringLiteral("DELETE FROM ") + SqlDialect::quoted(table));
    QSqlQuery rows =
        from.exec(QStringLiteral("SELECT %1 FROM %2").arg(list, SqlDialect::quoted(table)));
    QSqlQuery insert(to.connection());
    if (!insert.prepare(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(SqlDialect::quoted(table), list,
                     QStringList(fields.size(), QStringLiteral("?")).join(QStringLiteral(", ")))))
        Database::fail(insert.lastError());
    qint64 count = 0;
    while (rows.next()) {
        for (int i = 0; i < fields.size(); ++i)
            insert.bindValue(i, rows.value(i));
        if (!insert.exec())
            Database::fail(insert.lastError());
        ++count;
    }
    if (rows.lastError().isValid())
        Database::fail(rows.lastError());
    return count;
}

// Reads the source as one state of the book, however long the copy takes.
class Snapshot {
public:
    explicit Snapshot(const Database& db) : m_db(db) {
        m_db.exec(m_db.dialect().isServer()
                      ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")
                      : QStringLiteral("BEGIN"));
    }
    ~Snapshot() {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (...) {
            // Only read: nothing to undo.
        }
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

private:
    const Database& m_db;
};

} // namespace

QStringList tables(const Database& db) {
    QSqlQuery query =
        db.dialect().isServer()
            ? db.exec(QStringLiteral("SELECT relname FROM pg_class WHERE relnamespace = "
                                     "current_schema()::regnamespace AND relkind = 'r' AND "
                                     "relname <> ? ORDER BY relname"),
                      {BookFormat::kServerFormatTable})
            : db.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                     "name NOT LIKE 'sqlite%' ORDER BY name"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    if (names.removeAll(CashbookTotals::kTable) > 0)
        names << CashbookTotals::kTable;
    return names;
}

QStringList tally(const Database& db, const QString& table) {
    QStringList parts = {QStringLiteral("CAST(COUNT(*) AS TEXT)")};
    for (const Field& field : fieldsOf(db, table)) {
        const QString name = SqlDialect::quoted(field.name);
        switch (field.kind) {
        case Kind::Whole:
            parts << QStringLiteral("CAST(SUM(%1) AS TEXT)").arg(name);
            break;
        case Kind::Rate:
            parts << QStringLiteral("CAST(SUM(CAST(ROUND(%1 * 1000000) AS BIGINT)) AS TEXT)")
                         .arg(name);
            break;
        case Kind::Text:
            parts << QStringLiteral("CAST(SUM(LENGTH(%1)) AS TEXT)").arg(name);
            break;
        }
    }
    QSqlQuery query =
        db.exec(QStringLiteral("SELECT %1 FROM %2")
                    .arg(parts.join(QStringLiteral(", ")), SqlDialect::quoted(table)));
    QStringList values;
    if (query.next())
        for (int i = 0; i < parts.size(); ++i)
            values << (query.isNull(i) ? QStringLiteral("-") : query.value(i).toString());
    return values;
}

namespace {

// Copies every table's rows from `from` into the tables of the current format on `to`, stamps
// the version and compares each table's tally on both sides; throws, leaving the caller's
// transaction to roll back, when anything differs.
qint64 fill(const Database& from, const Database& to, const QString& shownTarget,
            Tallies* sourceTallies) {
    const QStringList names = tables(from);
    QStringList differences;
    if (names != tables(to))
        differences << QStringLiteral("the tables %1 against %2")
                           .arg(names.join(QStringLiteral(", ")),
                                tables(to).join(QStringLiteral(", ")));
    qint64 rows = 0;
    for (const QString& table : differences.isEmpty() ? names : QStringList()) {
        const QStringList fields = namesOf(fieldsOf(from, table));
        if (fields != namesOf(fieldsOf(to, table))) {
            differences << QStringLiteral("the fields of %1").arg(table);
            continue;
        }
        rows += copyRows(from, to, table, fields);
    }
    if (to.dialect().isServer())
        ServerSchema::resumeNumbering(to);
    BookFormat::stamp(to, BookFormat::currentVersion());
    for (const QString& table : differences.isEmpty() ? names : QStringList()) {
        const QStringList source = tally(from, table);
        if (source != tally(to, table))
            differences << table;
        if (sourceTallies)
            sourceTallies->insert(table, source);
    }
    if (!differences.isEmpty())
        throw Failure(ErrorNumber::Unnumbered, Messages::copyDiffers(shownTarget, differences),
                      Failure::Kind::BookRefused);
    return rows;
}

} // namespace

qint64 copy(const Database& from, const Database& to, const QString& shownTarget,
            Tallies* sourceTallies) {
    if (holdsTables(to))
        throw Failure(ErrorNumber::Unnumbered, Messages::targetNotEmpty(shownTarget),
                      Failure::Kind::BookRefused);
    const Snapshot snapshot(from);
    Transaction transaction(to);
    makeTables(to);
    const qint64 rows = fill(from, to, shownTarget, sourceTallies);
    transaction.commit();
    return rows;
}

qint64 replaceRows(const Database& from, const Database& to, const QString& shownTarget) {
    const Snapshot snapshot(from);
    Transaction transaction(to);
    // copyRows empties each table before it fills it, so nothing of the target's rows stays.
    const qint64 rows = fill(from, to, shownTarget, nullptr);
    transaction.commit();
    return rows;
}

} // namespace BookTransfer
