#pragma once

#include "reports/rowsource.h"

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

class Database;

// A report command: the rows of one table, filtered by a condition with bound values, in the
// order of some expressions. The row id is added to the order, so every row has a key of
// its own and a page can be started from its first row's key.
struct RowQuery {
    QString table;
    // Expressions of the table's fields, in the order the rows come in.
    QStringList order;
    // A condition with ? placeholders, or empty.
    QString where;
    QVariantList whereValues;
};

// Reads a RowQuery forward on the shared connection; starting from a key is a seek on the
// order (an index range when the order has one), never a count of the rows before it.
class QueryRowSource : public RowSource {
public:
    QueryRowSource(const Database& db, RowQuery query);

    void start(const QStringList& fields, const QVariantList& from) override;
    bool next(ReportRow& row) override;
    int orderKeyCount() const override { return int(m_query.order.size()); }

    const RowQuery& query() const { return m_query; }

private:
    const Database& m_db;
    RowQuery m_query;
    QSqlQuery m_rows;
    int m_fieldCount = 0;
};
