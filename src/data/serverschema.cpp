#include "serverschema.h"

#include "booklocation.h"
#include "cashbooktotals.h"
#include "messages.h"
#include "schema.h"

#include <QDate>
#include <QMap>

namespace ServerSchema {

namespace {

// The program's own tables as the book file's upgrade steps up to kFirstServerVersion leave
// them, declared as those steps declare them.
struct OwnTable {
    const char* name;
    const char* fields;
};

// clang-format off
const OwnTable kOwnTables[] = {
    {"tblCashbookTotals",
     "TransStatus TEXT COLLATE NOCASE NOT NULL, Period INTEGER NOT NULL, Amount INTEGER NOT NULL, "
     "Transactions INTEGER NOT NULL, PRIMARY KEY (TransStatus, Period)"},
    {"tblStatementLines",
     "LineID INTEGER PRIMARY KEY, BankAccount TEXT COLLATE NOCASE NOT NULL, BankID TEXT NOT NULL, "
     "LineDate TEXT NOT NULL, Amount INTEGER NOT NULL, Reference TEXT COLLATE NOCASE, "
     "PartyName TEXT COLLATE NOCASE, Memo TEXT COLLATE NOCASE, TransID TEXT COLLATE NOCASE, "
     "ImportedOn TEXT NOT NULL"},
    {"tblStatementCsvMapping", "BankAccount TEXT COLLATE NOCASE PRIMARY KEY, Mapping TEXT NOT NULL"},
};

const char* const kOwnIndexes[] = {
    "CREATE INDEX idxCashbookStatusDateID ON tblCashbook (TransStatus, TransDate, TransID)",
    "CREATE INDEX idxStatementLinesTrans ON tblStatementLines (TransID)",
    "CREATE INDEX idxStatementLinesBank ON tblStatementLines (BankAccount, BankID, LineDate, Amount)",
};
// clang-format on

struct SchemaObject {
    QString kind; // as Messages names it: table, view, index, sequence, field, trigger ...
    QString name;
    QString declaration;
};

QString kindOf(const QString& relkind) {
    if (relkind == QLatin1String("v") || relkind == QLatin1String("m"))
        return QStringLiteral("view");
    if (relkind == QLatin1String("i"))
        return QStringLiteral("index");
    if (relkind == QLatin1String("S"))
        return QStringLiteral("sequence");
    return QStringLiteral("table");
}

// Everything the schema `ns` (a namespace's oid as SQL) holds, by kind and name, with what
// declares it, but for the objects of extensions (citext's functions and types); `schemaName` is
// taken out of the declarations, which name it.
QMap<QString, SchemaObject> describe(const Database& db, const QString& ns) {
    const QString schemaName =
        db.scalar(QStringLiteral("SELECT quote_ident(nspname) FROM pg_namespace WHERE oid = %1")
                      .arg(ns))
            .toString();
    QMap<QString, SchemaObject> objects;
    const auto add = [&](const QString& kind, const QString& name, QString declaration) {
        // The temporary schema is named "pg_temp" in declarations, whatever its own name.
        declaration.replace(schemaName + QLatin1Char('.'), QString())
            .replace(QLatin1String("pg_temp."), QString());
        // Tables, views, indexes and sequences share one name space; fields, triggers,
        // functions and constraints each have their own.
        const bool relation = kind == QLatin1String("table") || kind == QLatin1String("view") ||
                              kind == QLatin1String("index") || kind == QLatin1String("sequence");
        objects.insert((relation ? QStringLiteral("relation") : kind) + QLatin1Char(' ') + name,
                       {kind, name, declaration});
    };
    QSqlQuery relations = db.exec(
        QStringLiteral("SELECT relkind, relname, CASE WHEN relkind = 'i' THEN "
                       "pg_get_indexdef(oid) WHEN relkind IN ('v', 'm') THEN "
                       "pg_get_viewdef(oid) ELSE '' END FROM pg_class AS c WHERE relnamespace = %1 "
                       "AND NOT EXISTS (SELECT 1 FROM pg_depend WHERE objid = c.oid AND "
                       "deptype = 'e')")
            .arg(ns));
    while (relations.next())
        add(kindOf(relations.value(0).toString()), relations.value(1).toString(),
            relations.value(2).toString());
    QSqlQuery fields = db.exec(
        QStringLiteral(
            "SELECT c.relname || '.' || a.attname, concat_ws('|', format_type(a.atttypid, "
            "a.atttypmod), a.attnotnull, a.attidentity, a.attgenerated, "
            "pg_get_expr(d.adbin, d.adrelid), a.attnum) FROM pg_attribute AS a JOIN pg_class "
            "AS c ON c.oid = a.attrelid LEFT JOIN pg_attrdef AS d ON d.adrelid = a.attrelid AND "
            "d.adnum = a.attnum WHERE c.relnamespace = %1 AND c.relkind IN ('r', 'p', 'v', "
            "'m', 'f') AND a.attnum > 0 AND NOT a.attisdropped")
            .arg(ns));
    while (fields.next())
        add(QStringLiteral("field"), fields.value(0).toString(), fields.value(1).toString());
    QSqlQuery triggers = db.exec(
        QStringLiteral("SELECT t.tgname, pg_get_triggerdef(t.oid) FROM pg_trigger AS t JOIN "
                       "pg_class AS c ON c.oid = t.tgrelid WHERE c.relnamespace = %1 AND NOT "
                       "t.tgisinternal")
            .arg(ns));
    while (triggers.next())
        add(QStringLiteral("trigger"), triggers.value(0).toString(), triggers.value(1).toString());
    QSqlQuery functions = db.exec(
        QStringLiteral("SELECT proname, pg_get_function_identity_arguments(oid) || prosrc FROM "
                       "pg_proc AS p WHERE pronamespace = %1 AND NOT EXISTS (SELECT 1 FROM "
                       "pg_depend WHERE objid = p.oid AND deptype = 'e')")
            .arg(ns));
    while (functions.next())
        add(QStringLiteral("function"), functions.value(0).toString(),
            functions.value(1).toString());
    QSqlQuery constraints =
        db.exec(QStringLiteral("SELECT conname, contype::text || pg_get_constraintdef(oid) FROM "
                               "pg_constraint WHERE connamespace = %1")
                    .arg(ns));
    while (constraints.next())
        add(QStringLiteral("constraint"), constraints.value(0).toString(),
            constraints.value(1).toString());
    return objects;
}

} // namespace

QStringList differences(const Database& db, int version, const QList<BookFormat::Step>& steps) {
    // Made and read in one transaction that is never committed: nothing of it stays.
    Transaction made(db);
    const QString bookSchema =
        db.scalar(QStringLiteral("SELECT current_schema()::regnamespace::oid")).toString();
    // The book's own schema stays on the path after the temporary one, so its types (citext)
    // and the functions the triggers run are found as in the book; new objects go to the
    // temporary schema.
    db.exec(QStringLiteral("SELECT set_config('search_path', 'pg_temp, ' || "
                           "quote_ident(nspname), true) FROM pg_namespace WHERE oid = %1")
                .arg(bookSchema));
    const QMap<QString, SchemaObject> held = describe(db, bookSchema);
    createTables(db);
    QStringList notices;
    for (qsizetype step = BookFormat::kFirstServerVersion; step < version && step < steps.size();
         ++step)
        steps.at(step)(db, notices);
    const QMap<QString, SchemaObject> expected =
        describe(db, QStringLiteral("pg_my_temp_schema()"));
    QStringList found;
    for (const SchemaObject& object : held)
        if (!expected.contains(object.kind == QLatin1String("field") ||
                                       object.kind == QLatin1String("trigger") ||
                                       object.kind == QLatin1String("function") ||
                                       object.kind == QLatin1String("constraint")
                                   ? object.kind + QLatin1Char(' ') + object.name
                                   : QStringLiteral("relation ") + object.name))
            found << Messages::schemaExtra(object.kind, object.name);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const auto book = held.constFind(it.key());
        if (book == held.cend())
            found << Messages::schemaMissing(it->kind, it->name);
        else if (book->declaration != it->declaration || book->kind != it->kind)
            found << Messages::schemaChanged(it->kind, it->name);
    }
    return found;
}

void check(const Database& db, const QString& shown, int version,
           const QList<BookFormat::Step>& steps) {
    // A standby makes no temporary tables; the book was checked where it is written.
    if (db.scalar(QStringLiteral("SELECT pg_is_in_recovery()")).toBool())
        return;
    const QStringList found = differences(db, version, steps);
    if (!found.isEmpty())
        throw Failure(ErrorNumber::Unnumbered, Messages::bookNotAsMade(shown, found),
                      Failure::Kind::BookRefused);
}

bool holdsTables(const Database& db) {
    return db
        .scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM pg_class WHERE relnamespace = "
                               "current_schema()::regnamespace AND relkind IN ('r', 'p', 'v', "
                               "'m', 'f'))"))
        .toBool();
}

void createTables(const Database& db) {
    // Texts that compare without regard to case, as the book file's codes do. A trusted
    // extension: the database's owner may add it.
    db.exec(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
    Schema::createTables(db);
    const SqlDialect& dialect = db.dialect();
    for (const OwnTable& table : kOwnTables)
        db.exec(dialect.createTable(QString::fromLatin1(table.name),
                                    QString::fromLatin1(table.fields)));
    for (const char* index : kOwnIndexes)
        db.exec(dialect.statement(QString::fromLatin1(index)));
    CashbookTotals::createOnServer(db);
    db.exec(QStringLiteral("CREATE TABLE %1 (\"ApplicationId\" bigint NOT NULL, \"Version\" "
                           "bigint NOT NULL)")
                .arg(SqlDialect::quoted(BookFormat::kServerFormatTable)));
}

void createBook(const BookLocation& location, const Database::PasswordPrompt& prompt) {
    Database db(QStringLiteral("quillan-create-server-book"));
    db.setPasswordPrompt(prompt);
    db.openForCreate(location);
    if (holdsTables(db))
        throw Failure(ErrorNumber::Unnumbered, Messages::targetNotEmpty(location.shown()),
                      Failure::Kind::BookRefused);
    Transaction transaction(db);
    createTables(db);
    QStringList notices;
    const QList<BookFormat::Step>& steps = BookFormat::steps();
    for (qsizetype step = BookFormat::kFirstServerVersion; step < steps.size(); ++step)
        steps.at(step)(db, notices);
    const QDate today = QDate::currentDate();
    Schema::insertTemplateRows(db, today.month(), today.year());
    BookFormat::stamp(db, BookFormat::currentVersion());
    transaction.commit();
}

void resumeNumbering(const Database& db) {
    db.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('\"tblStatementLines\"', "
                           "'LineID'), COALESCE(MAX(\"LineID\"), 0) + 1, false) FROM "
                           "\"tblStatementLines\""));
}

} // namespace ServerSchema
