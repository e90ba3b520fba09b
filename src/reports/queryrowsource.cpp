#include "queryrowsource.h"

#include "data/database.h"
#include "data/failure.h"
#include "data/sqlnames.h"

QueryRowSource::QueryRowSource(const Database& db, RowQuery query)
    : m_db(db), m_query(std::move(query)) {}

void QueryRowSource::start(const QStringList& fields, const QVariantList& from) {
    const int keys = orderKeyCount() + 1;
    if (!from.isEmpty() && from.size() != keys)
        throw Failure(ErrorNumber::Unnumbered, QStringLiteral("A report row key of the wrong "
                                                              "size."));
    QStringList columns = SqlNames::quoted(m_query.order);
    columns << QStringLiteral("rowid");
    const QString keyList = columns.join(QStringLiteral(", "));
    // Field names come from the layouts, never from the user; they are quoted all the same.
    QStringList selected = columns;
    for (const QString& field : fields)
        selected << QLatin1Char('"') +
                        QString(field).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                        QLatin1Char('"');

    QStringList conditions;
    QVariantList values;
    if (!m_query.where.isEmpty()) {
        conditions << QLatin1Char('(') + m_query.where + QLatin1Char(')');
        values = m_query.whereValues;
    }
    if (!from.isEmpty()) {
        QStringList marks;
        for (int i = 0; i < keys; ++i)
            marks << QStringLiteral("?");
        conditions << QStringLiteral("(%1) >= (%2)").arg(keyList, marks.join(QStringLiteral(", ")));
        values << from;
    }
    QString sql = QStringLiteral("SELECT %1 FROM %2")
                      .arg(selected.join(QStringLiteral(", ")), SqlNames::quoted(m_query.table));
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY ") + keyList;
    m_rows = m_db.exec(sql, values);
    m_fieldCount = int(fields.size());
}

bool QueryRowSource::next(ReportRow& row) {
    if (!m_rows.isActive() || !m_rows.next())
        return false;
    const int keys = orderKeyCount() + 1;
    row.key.resize(keys);
    for (int i = 0; i < keys; ++i)
        row.key[i] = m_rows.value(i);
    row.values.resize(m_fieldCount);
    for (int i = 0; i < m_fieldCount; ++i)
        row.values[i] = m_rows.value(keys + i);
    return true;
}
