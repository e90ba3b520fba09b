#pragma once

#include "statement/statementmatcher.h"
#include "statement/statementstore.h"

#include <QAbstractTableModel>

// The proposals of a statement import as the review shows them: one row per statement
// line with its date, amount, reference and text, the transaction chosen for it and how
// sure the match is. A row is accepted through the check box of its first column; exact
// and date matches start accepted, ties and lines without a match do not. The user may
// choose another of the line's candidates, or none.
class StatementReviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Accept, Date, Amount, Reference, Text, Transaction, Match, ColumnCount };

    StatementReviewModel(QList<StatementLine> lines, QList<StatementMatcher::BookEntry> entries,
                         QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The transactions a line may be matched with: its candidates and the proposal.
    QList<int> choicesFor(int row) const;
    QString describe(int entry) const; // "1002  05 Mar 2024  -$50.00"
    // Chooses a transaction for a line (-1: none) and accepts the line when one is chosen.
    // A transaction chosen for another line is taken from it.
    void choose(int row, int entry);

    // Every line of the statement with the transaction accepted for it (none when the line
    // is not accepted): what the store keeps.
    QList<StatementStore::Accepted> result() const;
    int acceptedCount() const;
    const StatementLine& line(int row) const { return m_lines.at(row); }

private:
    struct Row {
        StatementMatcher::Proposal proposal;
        int chosen = -1;
        bool accepted = false;
    };
    QString matchText(const Row& row) const;

    QList<StatementLine> m_lines;
    QList<StatementMatcher::BookEntry> m_entries;
    QList<Row> m_rows;
};
