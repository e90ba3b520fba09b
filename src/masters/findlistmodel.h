#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <optional>

class Database;

// The rows the find dialog lists: the values of one column of a query, in the query's order.
//
// A query of the program's form "SELECT column FROM table [WHERE filter] ORDER BY column" is
// read in windows: the count from one COUNT, the rows the view shows in pages by keyset on
// (column, rowid), and the type-ahead as a keyed seek, so half a million numbers cost the
// same as fifty. Any other query is read whole and searched in turn.
class FindListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The parts of a query of the keyed form; program text, never user text.
    struct Source {
        QString table;
        QString column;
        QString filter;
        // The source of a query of the keyed form, or nothing.
        static std::optional<Source> fromQuery(const QString& sql);
    };

    static constexpr int kPageRows = 256;

    FindListModel(const Database& db, QString query, QObject* parent = nullptr);

    // Counts (or reads) the rows and the first page. Throws Failure when the query fails.
    void open();
    bool isKeyed() const { return m_source.has_value(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QString text(int row) const;

    // The type-ahead: the row of the first entry that begins with text (ignoring case),
    // searching from the second entry to the end and then from the first; -1 when none does.
    int findPrefix(const QString& text) const;

private:
    struct Piece {
        QString condition;
        QVariantList values;
    };
    struct Row {
        QString text;
        QVariant value;
        qint64 rowid = 0;
    };
    using Page = QList<Row>;

    const Page& page(int index) const;
    Page readPage(int index) const;
    Page readOffset(int start, int rows) const;
    // Up to limit rows strictly after (or before, nearest first) the row (value, rowid);
    // without a row, from the start (or the end).
    Page readBeside(const Row* from, bool after, int limit) const;
    Page readPiece(const QString& condition, const QVariantList& values, bool reverse,
                   int limit) const;
    int rowsBefore(const Row& row) const;
    // The highest page read whose first row (not null) comes before the row.
    std::optional<int> pageBefore(const Row& row) const;
    // Whether the row seems nearer the end than the first row of that page.
    bool nearerTheEnd(const Row& row, int page) const;
    qint64 count(const Piece& piece) const;
    QString where(const QString& condition) const;

    const Database& m_db;
    QString m_query;
    std::optional<Source> m_source;
    int m_count = 0;
    // Keyed: the pages read so far, by page number. Read whole: every row.
    mutable QHash<int, Page> m_pages;
    // Keyed: the last row, read when first needed.
    mutable std::optional<Row> m_last;
    QStringList m_all;
};
