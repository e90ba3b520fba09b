#include "recordnavigator.h"

#include "database.h"
#include "sqlnames.h"

#include <QSqlField>
#include <QSqlQuery>

namespace {

// One piece of the rows beside a given row: all of them share the same leading order
// values and differ in one column, so each piece is a single index range and the pieces
// follow each other in the order. Travelling from a row, the nearest piece comes first.
struct Piece {
    QString condition;
    QVariantList values;
};

} // namespace

RecordNavigator::RecordNavigator(const Database& db, Definition definition, QObject* parent)
    : QObject(parent), m_db(db), m_definition(std::move(definition)) {
    m_order = m_definition.order;
    for (const QString& keyColumn : m_definition.key) {
        bool present = false;
        for (const OrderColumn& column : m_order)
            present = present || column.column.compare(keyColumn, Qt::CaseInsensitive) == 0;
        if (!present)
            m_order.append({keyColumn, Qt::AscendingOrder});
    }
    // The order and key columns are read with every row; add those a narrow select list lacks.
    m_selectList = m_definition.columns.trimmed();
    if (m_selectList != QLatin1String("*")) {
        const QStringList listed = m_selectList.split(QLatin1Char(','), Qt::SkipEmptyParts);
        auto isListed = [&listed](const QString& column) {
            for (const QString& item : listed)
                if (item.trimmed().compare(column, Qt::CaseInsensitive) == 0)
                    return true;
            return false;
        };
        for (const OrderColumn& column : m_order)
            if (!isListed(column.column))
                m_selectList += QStringLiteral(", ") + column.column;
        QStringList names;
        for (const QString& item : m_selectList.split(QLatin1Char(','), Qt::SkipEmptyParts))
            names << SqlNames::quoted(item.trimmed());
        m_selectList = names.join(QStringLiteral(", "));
    }
    m_table = SqlNames::quoted(m_definition.table);
}

QVariantMap RecordNavigator::values() const {
    QVariantMap map;
    for (int i = 0; i < m_record.count(); ++i)
        map.insert(m_record.fieldName(i), m_record.value(i));
    return map;
}

// ---- moves -------------------------------------------------------------------------

void RecordNavigator::open() {
    m_adding = false;
    emptyRecordTemplate();
    m_count = countAll();
    const Loaded row = fetchEdge(true);
    if (row.found)
        show(row, 1);
    else
        showNothing();
}

void RecordNavigator::requery() {
    const bool hadRow = !m_key.isEmpty() || m_adding;
    QVariantList key = m_adding ? m_savedKey : m_key;
    QVariantList orderValues = m_adding ? m_savedOrderValues : m_orderValues;
    m_adding = false;
    m_count = countAll();
    if (m_count == 0) {
        showNothing();
        return;
    }
    if (hadRow && !key.isEmpty()) {
        Loaded row = fetchByKey(key);
        if (!row.found)
            row = fetchBeside(orderValues, true);
        if (row.found) {
            show(row, countBefore(row.orderValues) + 1);
            return;
        }
        const Loaded lastRow = fetchEdge(false);
        if (lastRow.found) {
            show(lastRow, m_count);
            return;
        }
    }
    requeryToFirst();
}

void RecordNavigator::requeryToFirst() {
    m_adding = false;
    m_count = countAll();
    const Loaded row = fetchEdge(true);
    if (row.found)
        show(row, 1);
    else
        showNothing();
}

bool RecordNavigator::first() {
    return moveToEdge(true);
}

bool RecordNavigator::last() {
    return moveToEdge(false);
}

bool RecordNavigator::moveToEdge(bool firstRow) {
    if (!hasCurrent())
        return false;
    if (!askBeforeMove(firstRow ? Move::First : Move::Last))
        return false;
    const Loaded row = fetchEdge(firstRow);
    m_adding = false;
    if (!row.found) {
        showNothing();
        return true;
    }
    show(row, firstRow ? 1 : m_count);
    return true;
}

bool RecordNavigator::next() {
    if (!hasCurrent() || m_adding || m_position >= m_count)
        return false;
    if (!askBeforeMove(Move::Next))
        return false;
    // The check may have saved the row somewhere else in the order; travel from where it is now.
    if (m_adding || !hasCurrent())
        return false;
    const Loaded row = fetchBeside(m_orderValues, true);
    if (!row.found)
        return false;
    show(row, m_position + 1);
    return true;
}

bool RecordNavigator::previous() {
    if (!hasCurrent() || (!m_adding && m_position <= 1))
        return false;
    if (!askBeforeMove(Move::Previous))
        return false;
    if (m_adding) {
        // The row being added sits after the last row.
        const Loaded row = fetchEdge(false);
        m_adding = false;
        if (!row.found) {
            showNothing();
            return true;
        }
        show(row, m_count);
        return true;
    }
    if (!hasCurrent())
        return false;
    const Loaded row = fetchBeside(m_orderValues, false);
    if (!row.found)
        return false;
    show(row, m_position - 1);
    return true;
}

bool RecordNavigator::moveToKey(const QVariantList& key) {
    const Loaded row = fetchByKey(key);
    if (!row.found)
        return false;
    const bool same = !m_adding && row.key == m_key && row.orderValues == m_orderValues;
    const qint64 position = same ? m_position : countBefore(row.orderValues) + 1;
    m_adding = false;
    show(row, position);
    return true;
}

void RecordNavigator::add() {
    if (!m_adding) {
        m_savedPosition = m_position;
        m_savedRecord = m_record;
        m_savedOrderValues = m_orderValues;
        m_savedKey = m_key;
    }
    m_adding = true;
    m_record = m_blank;
    m_orderValues.clear();
    m_key.clear();
    m_position = m_count + 1;
    emit moved();
}

void RecordNavigator::undo() {
    if (m_adding) {
        m_adding = false;
        if (m_savedPosition == 0 || m_savedKey.isEmpty()) {
            if (m_count == 0) {
                showNothing();
                return;
            }
            requeryToFirst();
            return;
        }
        const Loaded row = fetchByKey(m_savedKey);
        if (row.found) {
            show(row, m_savedPosition);
            return;
        }
        m_key = m_savedKey;
        m_orderValues = m_savedOrderValues;
        requery();
        return;
    }
    if (!hasCurrent())
        return;
    const Loaded row = fetchByKey(m_key);
    if (row.found)
        show(row, m_position);
    else
        requery();
}

void RecordNavigator::rowSaved(const QVariantList& key) {
    const bool wasAdding = m_adding;
    const Loaded row = fetchByKey(key);
    if (!row.found) {
        // Saved outside this set (its filter no longer takes it): read the set again.
        if (wasAdding) {
            m_adding = false;
            m_key = m_savedKey;
            m_orderValues = m_savedOrderValues;
        }
        requery();
        return;
    }
    m_adding = false;
    if (wasAdding)
        ++m_count;
    const bool samePlace = !wasAdding && row.key == m_key && row.orderValues == m_orderValues;
    show(row, samePlace ? m_position : countBefore(row.orderValues) + 1);
}

void RecordNavigator::deleteCurrent() {
    if (!hasCurrent())
        return;
    if (m_adding) {
        undo();
        return;
    }
    QStringList terms;
    QVariantList values;
    for (int i = 0; i < m_definition.key.size(); ++i) {
        terms << SqlNames::quoted(m_definition.key.at(i)) + QStringLiteral(" = ?");
        values << m_key.value(i);
    }
    m_db.execute(
        QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_table, terms.join(QStringLiteral(" AND "))),
        values);
    requeryToFirst();
}

// ---- state -------------------------------------------------------------------------

bool RecordNavigator::askBeforeMove(Move move) {
    return !m_beforeMove || m_beforeMove(move);
}

void RecordNavigator::show(const Loaded& row, qint64 position) {
    m_record = row.record;
    m_orderValues = row.orderValues;
    m_key = row.key;
    m_position = position;
    emit moved();
}

void RecordNavigator::showNothing() {
    m_adding = false;
    m_record = QSqlRecord();
    m_orderValues.clear();
    m_key.clear();
    m_position = 0;
    emit moved();
}

void RecordNavigator::emptyRecordTemplate() {
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT %1 FROM %2 LIMIT 0").arg(m_selectList, m_table));
    m_blank = query.record();
    m_blank.clearValues();
}

// ---- queries -----------------------------------------------------------------------

QString RecordNavigator::whereClause(const QString& extra) const {
    QStringList parts;
    if (!m_definition.filter.trimmed().isEmpty())
        parts << QLatin1Char('(') + m_definition.filter + QLatin1Char(')');
    if (!extra.isEmpty())
        parts << QLatin1Char('(') + extra + QLatin1Char(')');
    return parts.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

QString RecordNavigator::orderClause(bool reverse) const {
    QStringList parts;
    for (const OrderColumn& column : m_order) {
        const bool ascending = (column.order == Qt::AscendingOrder) != reverse;
        parts << SqlNames::quoted(column.column) + m_db.dialect().orderDirection(ascending);
    }
    return QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
}

RecordNavigator::Loaded RecordNavigator::readOne(const QString& condition,
                                                 const QVariantList& values, bool reverse) const {
    // Two steps: the key of the wanted row from the order and key columns alone, which an
    // index on (filter, order, key) answers without touching the table, then that one row.
    // Asking for every column at once lets the planner pick an index that does not give the
    // order and sort the whole set instead.
    QStringList keyList;
    for (const QString& keyColumn : m_definition.key)
        keyList << keyColumn;
    QStringList orderList;
    for (const OrderColumn& column : m_order)
        orderList << column.column;
    QVariantList binds = m_definition.filterValues;
    binds += values;
    QSqlQuery query = m_db.exec(QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT 1")
                                    .arg(SqlNames::quoted(orderList).join(QStringLiteral(", ")),
                                         m_table, whereClause(condition), orderClause(reverse)),
                                binds);
    if (!query.next())
        return {};
    QVariantList key;
    for (const QString& keyColumn : keyList) {
        // Every key column is one of the order columns (the constructor sees to it).
        int at = 0;
        while (at < orderList.size() &&
               orderList.at(at).compare(keyColumn, Qt::CaseInsensitive) != 0)
            ++at;
        key << query.value(at);
    }
    query.finish();
    return fetchByKey(key);
}

RecordNavigator::Loaded RecordNavigator::fetchEdge(bool firstRow) const {
    return readOne(QString(), {}, !firstRow);
}

RecordNavigator::Loaded RecordNavigator::fetchByKey(const QVariantList& key) const {
    QStringList terms;
    QVariantList values = m_definition.filterValues;
    for (int i = 0; i < m_definition.key.size(); ++i) {
        const QVariant value = key.value(i);
        if (value.isNull()) {
            terms << SqlNames::quoted(m_definition.key.at(i)) + QStringLiteral(" IS NULL");
        } else {
            terms << SqlNames::quoted(m_definition.key.at(i)) + QStringLiteral(" = ?");
            values << value;
        }
    }
    if (terms.isEmpty())
        return {};
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT %1 FROM %2%3 LIMIT 1")
                      .arg(m_selectList, m_table, whereClause(terms.join(QStringLiteral(" AND ")))),
                  values);
    Loaded row;
    if (!query.next())
        return row;
    row.found = true;
    row.record = query.record();
    for (const OrderColumn& column : m_order)
        row.orderValues << row.record.value(column.column);
    for (const QString& keyColumn : m_definition.key)
        row.key << row.record.value(keyColumn);
    return row;
}

namespace {

// The pieces of the rows strictly after (or before) a row, nearest piece first. The order
// puts nulls first when ascending and last when descending (SQLite's, which orderClause asks
// of the server too); the pieces follow that, so rows with null order values are reached like any
// other.
QList<Piece> besidePieces(const QList<RecordNavigator::OrderColumn>& order,
                          const QVariantList& orderValues, bool after) {
    QList<Piece> pieces;
    for (int i = int(order.size()) - 1; i >= 0; --i) {
        QStringList prefix;
        QVariantList prefixValues;
        for (int j = 0; j < i; ++j) {
            const QVariant value = orderValues.value(j);
            if (value.isNull()) {
                prefix << SqlNames::quoted(order.at(j).column) + QStringLiteral(" IS NULL");
            } else {
                prefix << SqlNames::quoted(order.at(j).column) + QStringLiteral(" = ?");
                prefixValues << value;
            }
        }
        const QString column = SqlNames::quoted(order.at(i).column);
        const QVariant value = orderValues.value(i);
        // Travelling towards larger values: after in ascending order, before in descending.
        const bool towardsLarger = (order.at(i).order == Qt::AscendingOrder) == after;
        QList<Piece> columnPieces;
        if (towardsLarger) {
            if (value.isNull())
                columnPieces.append({column + QStringLiteral(" IS NOT NULL"), {}});
            else
                columnPieces.append({column + QStringLiteral(" > ?"), {value}});
        } else if (!value.isNull()) {
            columnPieces.append({column + QStringLiteral(" < ?"), {value}});
            columnPieces.append({column + QStringLiteral(" IS NULL"), {}});
        }
        for (const Piece& piece : columnPieces) {
            QStringList terms = prefix;
            terms << piece.condition;
            QVariantList values = prefixValues;
            values += piece.values;
            pieces.append({terms.join(QStringLiteral(" AND ")), values});
        }
    }
    return pieces;
}

} // namespace

RecordNavigator::Loaded RecordNavigator::fetchBeside(const QVariantList& orderValues,
                                                     bool after) const {
    if (orderValues.isEmpty())
        return {};
    for (const Piece& piece : besidePieces(m_order, orderValues, after)) {
        Loaded row = readOne(piece.condition, piece.values, !after);
        if (row.found)
            return row;
    }
    return {};
}

qint64 RecordNavigator::countAll() const {
    return m_db
        .scalar(QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(m_table, whereClause(QString())),
                m_definition.filterValues)
        .toLongLong();
}

qint64 RecordNavigator::countBefore(const QVariantList& orderValues) const {
    qint64 total = 0;
    for (const Piece& piece : besidePieces(m_order, orderValues, false)) {
        QVariantList binds = m_definition.filterValues;
        binds += piece.values;
        total += m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1%2")
                                 .arg(m_table, whereClause(piece.condition)),
                             binds)
                     .toLongLong();
    }
    return total;
}
