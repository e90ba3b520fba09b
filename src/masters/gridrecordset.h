#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class Database;

// One column of a grid window's record set.
struct GridColumn {
    enum class Kind {
        Text, // shown and stored as text
        Code, // text whose leading and trailing blanks are not part of it: " " is no code
        Rate, // a fraction, shown "0.00%"; typed as a percentage
    };
    QString field;
    QString heading;
    Kind kind = Kind::Text;
    // Part of the table's key: the book refuses a row without it.
    bool key = false;
    int width = 120;
};

// The rows of one master table held in memory, with the stored row of each kept by its
// rowid, so that every committed row is written to the book at once. One row at a time
// can be in edit; its pending values are kept apart from the stored ones until
// commitEdit() writes them. An editable set ends in a blank new-row line; a value set on
// that line begins a new row.
class GridRecordSet : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Options {
        QString table;
        QList<GridColumn> columns;
        // The ORDER BY of the window's query; empty for the table's own order.
        QString orderBy;
        bool editable = true;
    };

    GridRecordSet(const Database& db, Options options, QObject* parent = nullptr);

    // The columns of every field of a table, headed by the field names, in table order.
    static QList<GridColumn> columnsOf(const Database& db, const QString& table);

    // (Re)reads every row from the book; a pending edit is dropped. Throws Failure.
    void open();

    const QList<GridColumn>& columns() const { return m_options.columns; }
    // The records, a begun new row included (the blank new-row line is no record).
    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    // The blank line that takes a new row, or -1 when the set is read-only.
    int newRowLine() const { return m_options.editable ? recordCount() : -1; }
    bool isNewRowLine(int row) const { return m_options.editable && row == recordCount(); }

    // The value of a cell: pending while its row is in edit; null on the new-row line.
    QVariant value(int row, int column) const;
    // The cell as the grid shows it.
    QString text(int row, int column) const;

    // Puts a value into a cell and puts the row in edit; on the new-row line a new row is
    // begun. False when another row is in edit or the set is read-only.
    bool setValue(int row, int column, const QVariant& value);
    // The row in edit, or -1.
    int editRow() const { return m_editRow; }
    bool isInEdit() const { return m_editRow >= 0; }
    // Whether the row is a new row not yet written to the book.
    bool isNewRecord(int row) const;

    // Writes the row in edit (insert or update). Throws Failure; the row then stays in edit
    // with its pending values.
    void commitEdit();
    // Drops the pending values; a begun new row disappears.
    void cancelEdit();
    // Deletes a record from the book (a new row not yet written is only dropped) and
    // removes it from the set. Throws Failure.
    void deleteRecord(int row);

    // "0.00%" of a rate; empty text for none.
    static QString formatRate(const QVariant& rate);
    // A typed rate read as a percentage: "7", "7.5", "7.00%" give 0.07, 0.075, 0.07;
    // blank text gives a null value; text that is no number gives nothing.
    static std::optional<QVariant> parseRate(const QString& text);
    // The value a typed text stands for in a column; nothing when it cannot be read. A
    // code column takes the text with its blanks trimmed, so "  " is the empty code, and a
    // blank key code is null (no key).
    std::optional<QVariant> valueFromText(int column, const QString& text) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row {
        qint64 rowid = -1; // -1: not yet written
        QVariantList values;
    };

    QVariant stored(const QVariant& raw, int column) const;

    const Database& m_db;
    Options m_options;
    std::vector<Row> m_rows;
    int m_editRow = -1;
    QVariantList m_pending;
};
