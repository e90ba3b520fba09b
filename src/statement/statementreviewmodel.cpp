#include "statementreviewmodel.h"

StatementReviewModel::StatementReviewModel(QList<StatementLine> lines,
                                           QList<StatementMatcher::BookEntry> entries,
                                           QObject* parent)
    : QAbstractTableModel(parent), m_lines(std::move(lines)), m_entries(std::move(entries)) {
    const QList<StatementMatcher::Proposal> proposals = StatementMatcher::match(m_lines, m_entries);
    for (const StatementMatcher::Proposal& proposal : proposals) {
        Row row;
        row.proposal = proposal;
        row.chosen = proposal.entry;
        row.accepted = proposal.entry >= 0;
        m_rows.append(row);
    }
}

int StatementReviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int StatementReviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString StatementReviewModel::describe(int entry) const {
    if (entry < 0)
        return QStringLiteral("(none)");
    const StatementMatcher::BookEntry& e = m_entries.at(entry);
    return QStringLiteral("%1  %2  %3")
        .arg(e.transId, e.date.toString(QStringLiteral("dd MMM yyyy")),
             e.bankAmount.format(Money::Format::Written));
}

QString StatementReviewModel::matchText(const Row& row) const {
    using StatementMatcher::Kind;
    if (row.chosen >= 0 && row.chosen != row.proposal.entry)
        return QStringLiteral("Chosen");
    switch (row.proposal.kind) {
    case Kind::Reference:
        return QStringLiteral("Exact: amount and number");
    case Kind::Date:
        return row.proposal.days == 0
                   ? QStringLiteral("Amount and date")
                   : QStringLiteral("Amount, %1 day(s) apart").arg(row.proposal.days);
    case Kind::Ambiguous:
        return QStringLiteral("Ambiguous: %1 candidates").arg(row.proposal.candidates.size());
    case Kind::None:
        break;
    }
    return QStringLiteral("No match");
}

QVariant StatementReviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Row& row = m_rows.at(index.row());
    const StatementLine& line = m_lines.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == Accept)
        return row.accepted ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && index.column() == Amount)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (index.column()) {
    case Date:
        return line.date.toString(QStringLiteral("dd MMM yyyy"));
    case Amount:
        return line.amount.format(Money::Format::Written);
    case Reference:
        return line.reference;
    case Text:
        return line.name.isEmpty()   ? line.memo
               : line.memo.isEmpty() ? line.name
                                     : line.name + QStringLiteral(" - ") + line.memo;
    case Transaction:
        return role == Qt::EditRole ? QVariant(row.chosen) : QVariant(describe(row.chosen));
    case Match:
        return matchText(row);
    default:
        return {};
    }
}

QVariant StatementReviewModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[] = {"Accept",    "Date",        "Amount", "Reference",
                                           "Statement", "Transaction", "Match"};
    return QString::fromLatin1(captions[section]);
}

Qt::ItemFlags StatementReviewModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Accept && m_rows.at(index.row()).chosen >= 0)
        flags |= Qt::ItemIsUserCheckable;
    if (index.column() == Transaction)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool StatementReviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid())
        return false;
    if (index.column() == Accept && role == Qt::CheckStateRole) {
        Row& row = m_rows[index.row()];
        const bool accepted = value.toInt() == Qt::Checked && row.chosen >= 0;
        if (accepted == row.accepted)
            return false;
        row.accepted = accepted;
        emit dataChanged(index, index);
        return true;
    }
    if (index.column() == Transaction && role == Qt::EditRole) {
        const int entry = value.toInt();
        if (entry != -1 && !choicesFor(index.row()).contains(entry))
            return false;
        choose(index.row(), entry);
        return true;
    }
    return false;
}

QList<int> StatementReviewModel::choicesFor(int row) const {
    // The proposal and the candidates near in date first, then every other outstanding
    // transaction of the same amount, however far.
    QList<int> choices = m_rows.at(row).proposal.candidates;
    const int proposed = m_rows.at(row).proposal.entry;
    if (proposed >= 0 && !choices.contains(proposed))
        choices.prepend(proposed);
    const Money amount = m_lines.at(row).amount;
    for (int e = 0; e < m_entries.size(); ++e)
        if (m_entries.at(e).bankAmount == amount && !choices.contains(e))
            choices.append(e);
    return choices;
}

void StatementReviewModel::choose(int row, int entry) {
    if (entry >= 0) {
        // One transaction, one line.
        for (int other = 0; other < m_rows.size(); ++other) {
            if (other != row && m_rows.at(other).chosen == entry) {
                m_rows[other].chosen = -1;
                m_rows[other].accepted = false;
                emit dataChanged(index(other, 0), index(other, ColumnCount - 1));
            }
        }
    }
    m_rows[row].chosen = entry;
    m_rows[row].accepted = entry >= 0;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

QList<StatementStore::Accepted> StatementReviewModel::result() const {
    QList<StatementStore::Accepted> accepted;
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row& row = m_rows.at(i);
        accepted.append({m_lines.at(i), row.accepted && row.chosen >= 0
                                            ? m_entries.at(row.chosen).transId
                                            : QString()});
    }
    return accepted;
}

int StatementReviewModel::acceptedCount() const {
    int count = 0;
    for (const Row& row : m_rows)
        count += row.accepted && row.chosen >= 0;
    return count;
}
