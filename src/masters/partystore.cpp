#include "partystore.h"

#include "data/database.h"
#include "data/sqlnames.h"

#include <QSqlQuery>
#include <QSqlRecord>

PartyStore::PartyStore(const Database& db, const PartyKind& kind) : m_db(db), m_kind(kind) {}

RecordNavigator::Definition PartyStore::recordSet() const {
    RecordNavigator::Definition definition;
    definition.table = m_kind.table;
    definition.columns = m_kind.columnList();
    definition.order = {{m_kind.numberColumn(), Qt::AscendingOrder}};
    definition.key = {m_kind.numberColumn()};
    return definition;
}

PartyRecord PartyStore::texts(const QSqlRecord& record) const {
    PartyRecord texts;
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        texts[size_t(i)] = record.value(m_kind.fields[size_t(i)]).toString();
    return texts;
}

void PartyStore::insert(const PartyRecord& record) const {
    QVariantList values;
    for (const QString& text : record)
        values.append(text);
    m_db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (?,?,?,?,?,?,?)")
                  .arg(SqlNames::quoted(m_kind.table),
                       SqlNames::quoted(QStringList(m_kind.fields.begin(), m_kind.fields.end()))
                           .join(QLatin1Char(','))),
              values);
}

void PartyStore::update(const QString& number, const PartyRecord& before,
                        const PartyRecord& after) const {
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < PartyKind::FieldCount; ++i) {
        if (after[size_t(i)] == before[size_t(i)])
            continue;
        assignments.append(SqlNames::quoted(m_kind.fields[size_t(i)]) + QStringLiteral(" = ?"));
        values.append(after[size_t(i)]);
    }
    if (assignments.isEmpty())
        return;
    values.append(number);
    const int changed =
        m_db.execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                         .arg(SqlNames::quoted(m_kind.table), assignments.join(QLatin1Char(',')),
                              SqlNames::quoted(m_kind.numberColumn())),
                     values);
    if (changed != 1)
        throw Failure(ErrorNumber::RowNotFound,
                      QStringLiteral("The record %1 is no longer in the book; it "
                                     "cannot be changed.")
                          .arg(number));
}

std::optional<QString> PartyStore::firstNumberWhere(int field, const QString& value) const {
    if (field < 0 || field >= PartyKind::FieldCount)
        return std::nullopt;
    const QVariant number = m_db.scalar(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY %1 LIMIT 1")
            .arg(SqlNames::quoted(m_kind.numberColumn()), SqlNames::quoted(m_kind.table),
                 SqlNames::quoted(m_kind.fields[size_t(field)])),
        {value});
    if (!number.isValid())
        return std::nullopt;
    return number.toString();
}

std::optional<int> PartyStore::missingField(const PartyRecord& record) {
    if (record[PartyKind::NumberField].isEmpty())
        return PartyKind::NumberField;
    if (record[PartyKind::NameField].isEmpty())
        return PartyKind::NameField;
    return std::nullopt;
}
