#pragma once

#include <QObject>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>

class Database;

// A window's ordered set of rows over one table, shown one row at a time.
//
// The set is described by a filter and an order; rows are identified by the table's
// primary key, which is also the last tie-breaker of the order, so two rows never share
// a place. Only the current row is held in memory: the count is a COUNT(*), and every
// move reads one row with a keyset query (the row just after or before the current
// row's order values), so reaching the last of a million rows costs the same as the
// next one. The position is kept up to date as the navigator moves and recomputed with
// one COUNT of the rows before the current one when it jumps (moveToKey, a saved row).
//
// Writing rows is the caller's business: it saves through its own transaction and then
// tells the navigator (rowSaved, requery). The navigator itself only deletes.
class RecordNavigator : public QObject {
    Q_OBJECT
public:
    enum class Move { First, Previous, Next, Last };

    struct OrderColumn {
        QString column;
        Qt::SortOrder order = Qt::AscendingOrder;
    };

    struct Definition {
        QString table;
        // The select list; "*" reads every column.
        QString columns = QStringLiteral("*");
        // SQL condition text chosen by the program (never user text); empty for every row.
        // Placeholders (?) take filterValues in order.
        QString filter;
        QVariantList filterValues;
        QList<OrderColumn> order;
        // Primary key columns. Key columns missing from the order are appended to it,
        // ascending, so that ties in the order keys still give one fixed sequence.
        QStringList key;
    };

    RecordNavigator(const Database& db, Definition definition, QObject* parent = nullptr);

    // Asked before First, Previous, Next and Last leave the current row (also the row being
    // added); returning false refuses the move. Not asked when there is no current row,
    // nor by the other moves (add, undo, requery, moveToKey, rowSaved, deleteCurrent).
    void setBeforeMove(std::function<bool(Move)> check) { m_beforeMove = std::move(check); }

    // Counts the set and shows its first row (or nothing, when it is empty).
    void open();

    // Reads the set again. The current row stays current when it is still in the set;
    // otherwise the row that followed it in the order, else the last row. A row being
    // added is dropped.
    void requery();
    // Reads the set again and shows its first row.
    void requeryToFirst();

    // The four navigator moves. Each returns true when the current row changed. Moving
    // past either end stays on the end row without asking the before-move check.
    bool first();
    bool previous();
    bool next();
    bool last();

    // Makes the row with this key current (the find); false, and nothing changes, when no
    // row of the set has it. Drops a row being added.
    bool moveToKey(const QVariantList& key);
    bool moveToKey(const QVariant& key) { return moveToKey(QVariantList{key}); }

    // Begins a new row that is not in the table yet, placed after the last row. Its values
    // are all null. It stays current until rowSaved(), undo() or a move.
    void add();
    // Drops the row being added and returns to the row that was current before it.
    // Without a row being added, reads the current row again from the table.
    void undo();

    // The caller has written the current row (or the row being added) under this key:
    // the navigator reads it back, counts it when it was new, and finds its place.
    void rowSaved(const QVariantList& key);
    void rowSaved(const QVariant& key) { rowSaved(QVariantList{key}); }

    // Deletes the current row from the table, then reads the set again and shows its first
    // row. Windows that show "the next row" afterwards call next() themselves.
    void deleteCurrent();

    bool isEmpty() const { return m_count == 0 && !m_adding; }
    // True at the beginning and the end of an empty set at once.
    bool isBOF() const { return !hasCurrent(); }
    bool isEOF() const { return !hasCurrent(); }
    // A row (stored or being added) is current.
    bool hasCurrent() const { return m_position > 0; }
    bool isAdding() const { return m_adding; }

    // Rows in the set, the row being added included.
    qint64 count() const { return m_count + (m_adding ? 1 : 0); }
    // 1-based position of the current row; 0 when there is none.
    qint64 position() const { return m_position; }

    // The current row's columns; every value is null while adding, and the record has no
    // fields when there is no current row.
    const QSqlRecord& record() const { return m_record; }
    QVariant value(const QString& column) const { return m_record.value(column); }
    QVariantMap values() const;
    // The current row's primary key values (empty while adding or without a row).
    QVariantList currentKey() const { return m_key; }

    const Definition& definition() const { return m_definition; }

signals:
    // After every completed move: a navigator move, add, undo, requery, moveToKey,
    // rowSaved and deleteCurrent.
    void moved();

private:
    struct Loaded {
        bool found = false;
        QSqlRecord record;
        QVariantList orderValues;
        QVariantList key;
    };

    bool askBeforeMove(Move move);
    void show(const Loaded& row, qint64 position);
    void showNothing();
    void emptyRecordTemplate();

    Loaded fetchEdge(bool firstRow) const;
    // First or last row: asks before moving, then shows the edge row (or nothing).
    bool moveToEdge(bool firstRow);
    Loaded fetchBeside(const QVariantList& orderValues, bool after) const;
    Loaded fetchByKey(const QVariantList& key) const;
    Loaded readOne(const QString& condition, const QVariantList& values, bool reverse) const;
    qint64 countAll() const;
    qint64 countBefore(const QVariantList& orderValues) const;

    // The condition for rows strictly after (or before) a row with these order values.
    QString besideCondition(const QVariantList& orderValues, bool after, QVariantList& binds) const;
    QString whereClause(const QString& extra) const;
    QString orderClause(bool reverse) const;

    const Database& m_db;
    Definition m_definition;
    QList<OrderColumn> m_order;
    QString m_selectList;
    QString m_table; // the definition's table as SQL text
    std::function<bool(Move)> m_beforeMove;

    qint64 m_count = 0;
    qint64 m_position = 0;
    bool m_adding = false;
    QSqlRecord m_record;
    QSqlRecord m_blank;
    QVariantList m_orderValues;
    QVariantList m_key;

    // What was current before add(), to return to on undo().
    qint64 m_savedPosition = 0;
    QSqlRecord m_savedRecord;
    QVariantList m_savedOrderValues;
    QVariantList m_savedKey;
};
