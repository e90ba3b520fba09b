#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <utility>

class Database;

// The transactions of the reconciliation screen, in date order (TransDate, then TransID).
//
// A selection is a few disjoint pieces of tblCashbook, each read by an index in that order:
// every transaction ("All Transactions"), or the outstanding ones of any month and the others
// of the current fiscal month ("Current and Outstanding Transactions"). Only the rows a view
// shows are read: the count is one COUNT a piece, and rows come in pages of kPageRows read by
// keyset from a neighbouring page or either end (the pieces merged in order), so the last of
// a million rows costs what the first does. A transaction whose status was changed here stays
// listed, with its new status, until the selection is read again.
class ReconciliationListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Selection { CurrentAndOutstanding, All };
    enum Column {
        TransIdColumn,
        DateColumn,
        DescriptionColumn,
        VendorColumn,
        CustomerColumn,
        AmountColumn,
        StatusColumn,
        ColumnCount
    };
    static constexpr int kPageRows = 128;

    ReconciliationListModel(const Database& db, QObject* parent = nullptr);

    // Reads a selection; currentMonth is the first and last day of the current fiscal month
    // (nothing when the settings name no real month: then no transaction is current). Throws
    // Failure when the book cannot be read.
    void select(Selection selection, std::optional<std::pair<QDate, QDate>> currentMonth);
    Selection selection() const { return m_selection; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString transId(int row) const;
    QString status(int row) const;

    // The status of the row was written: it is read again from the book and stays listed.
    void statusWritten(int row);

private:
    struct Row {
        bool dated = false; // TransDate is not Null
        QString date;       // as stored (YYYY-MM-DD)
        QString transId;
        QString description;
        QString vendor;
        QString customer;
        QVariant amount;
        QString status;
    };
    using Page = QList<Row>;
    struct Piece {
        QString condition;
        QVariantList values;
    };

    const Row* row(int index) const;
    const Page& page(int index) const;
    Page readPage(int index) const;
    // Up to limit rows of the selection after (or, nearest first, before) from; without
    // from, from the start (or the end).
    Page readBeside(const Row* from, bool after, int limit) const;
    Page readOffset(int offset, int limit) const;
    Page readRows(const QString& sql, const QVariantList& values) const;
    QList<Piece> pieces() const;
    QString where(const Piece& piece, const QString& extra = {}) const;
    static QList<Piece> besideConditions(const Row* from, bool after);

    const Database& m_db;
    Selection m_selection = Selection::CurrentAndOutstanding;
    std::optional<std::pair<QString, QString>> m_month; // first day, first day after
    QStringList m_kept;
    int m_count = 0;
    mutable QHash<int, Page> m_pages;
};
