#include "bookschemacheck.h"

#include "database.h"
#include "messages.h"
#include "schema.h"

#include <QAtomicInteger>
#include <QMap>

namespace BookSchemaCheck {

namespace {

struct SchemaObject {
    QString type;
    QString name;
    QString sql;
};

// Tables, indexes and views share one name space and triggers another; SQLite compares
// names without regard to case.
QString keyOf(const QString& type, const QString& name) {
    return (type == QLatin1String("trigger") ? QStringLiteral("trigger ") : QStringLiteral("- ")) +
           name.toLower();
}

// Every object of the book by key. The engine's statistics tables (made by ANALYZE or
// PRAGMA optimize, as a maintenance tool may run) hold no code and change no result, so they
// are no difference.
QMap<QString, SchemaObject> objectsOf(const Database& db) {
    QSqlQuery query = db.exec(
        QStringLiteral("SELECT type, name, sql FROM sqlite_schema WHERE NOT (type = 'table' AND "
                       "name IN ('sqlite_stat1', 'sqlite_stat2', 'sqlite_stat3', "
                       "'sqlite_stat4'))"));
    QMap<QString, SchemaObject> objects;
    while (query.next()) {
        SchemaObject object{query.value(0).toString(), query.value(1).toString(),
                            query.value(2).toString()};
        objects.insert(keyOf(object.type, object.name), object);
    }
    return objects;
}

struct Field {
    QString name;
    QString declaration;
};

// A table's fields by lower-case name, each with everything the engine reports of it.
QMap<QString, Field> fieldsOf(const Database& db, const QString& table) {
    QSqlQuery query = db.exec(QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk, "
                                             "hidden FROM pragma_table_xinfo(?)"),
                              {table});
    QMap<QString, Field> fields;
    while (query.next()) {
        QStringList declaration;
        for (int i = 1; i < 6; ++i)
            declaration << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
        const QString name = query.value(0).toString();
        fields.insert(name.toLower(), {name, declaration.join(QLatin1Char('|'))});
    }
    return fields;
}

QStringList fieldDifferences(const Database& db, const Database& expected, const QString& table) {
    const QMap<QString, Field> held = fieldsOf(db, table);
    const QMap<QString, Field> made = fieldsOf(expected, table);
    QStringList found;
    const QString field = QStringLiteral("field");
    const auto qualified = [&](const QString& name) { return table + QLatin1Char('.') + name; };
    for (auto it = held.cbegin(); it != held.cend(); ++it)
        if (!made.contains(it.key()))
            found << Messages::schemaExtra(field, qualified(it->name));
    for (auto it = made.cbegin(); it != made.cend(); ++it) {
        if (!held.contains(it.key()))
            found << Messages::schemaMissing(field, qualified(it->name));
        else if (held.value(it.key()).declaration != it->declaration)
            found << Messages::schemaChanged(field, qualified(it->name));
    }
    return found;
}

// A book of `version` made in memory: the template's tables, then the steps up to it.
// Schema only, a few milliseconds whatever the size of the book checked.
class MadeBook {
public:
    MadeBook(int version, const QList<BookFormat::Step>& steps)
        : m_db(QStringLiteral("quillan-made-schema-%1").arg(serial().fetchAndAddRelaxed(1))) {
        m_db.openForCreate(QStringLiteral(":memory:"));
        Schema::createTables(m_db);
        QStringList notices;
        for (qsizetype step = 0; step < version && step < steps.size(); ++step)
            steps.at(step)(m_db, notices);
    }
    const Database& db() const { return m_db; }

private:
    static QAtomicInteger<int>& serial() {
        static QAtomicInteger<int> counter = 0;
        return counter;
    }
    Database m_db;
};

} // namespace

QStringList differences(const Database& db, int version, const QList<BookFormat::Step>& steps) {
    const MadeBook made(version, steps);
    const QMap<QString, SchemaObject> held = objectsOf(db);
    const QMap<QString, SchemaObject> expected = objectsOf(made.db());
    QStringList found;
    for (const SchemaObject& object : held)
        if (!expected.contains(keyOf(object.type, object.name)))
            found << Messages::schemaExtra(object.type, object.name);
    for (const SchemaObject& object : expected) {
        const auto it = held.constFind(keyOf(object.type, object.name));
        if (it == held.cend()) {
            found << Messages::schemaMissing(object.type, object.name);
            continue;
        }
        QStringList fields;
        if (object.type == QLatin1String("table"))
            fields = fieldDifferences(db, made.db(), object.name);
        found << fields;
        // The declaration's text holds what no field list shows: collations, constraints, the
        // body of a trigger, the columns of an index.
        if (fields.isEmpty() && it->sql != object.sql)
            found << Messages::schemaChanged(object.type, object.name);
    }
    return found;
}

void check(const Database& db, const QString& shownPath, int version,
           const QList<BookFormat::Step>& steps) {
    const QStringList found = differences(db, version, steps);
    if (!found.isEmpty())
        throw Failure(ErrorNumber::Unnumbered, Messages::bookNotAsMade(shownPath, found),
                      Failure::Kind::BookRefused);
}

} // namespace BookSchemaCheck
