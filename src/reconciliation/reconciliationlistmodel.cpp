#include "reconciliationlistmodel.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/money.h"
#include "data/pagecache.h"

#include <QSqlQuery>
#include <algorithm>

namespace {

const QString kColumns = QStringLiteral(
    R"("TransDate", "TransID", "TransDesc", "VendorID", "CustID", "DoubleEntryBank", )"
    R"("TransStatus")");
const QString kOrder = QStringLiteral(R"("TransDate"%1, "TransID" COLLATE NOCASE%1)");

// The pages kept; past this the cache starts again from the page asked for.

QString direction(bool reverse) {
    return reverse ? QStringLiteral(" DESC") : QString();
}

} // namespace

ReconciliationListModel::ReconciliationListModel(const Database& db, QObject* parent)
    : QAbstractTableModel(parent), m_db(db) {}

void ReconciliationListModel::select(Selection selection,
                                     std::optional<std::pair<QDate, QDate>> currentMonth) {
    beginResetModel();
    m_selection = selection;
    m_month.reset();
    if (currentMonth)
        m_month = std::make_pair(Codes::dateToStored(currentMonth->first),
                                 Codes::dateToStored(currentMonth->second.addDays(1)));
    m_kept.clear();
    m_pages.clear();
    m_count = 0;
    try {
        for (const Piece& piece : pieces())
            m_count += int(
                m_db.scalar(QStringLiteral(R"(SELECT COUNT(*) FROM "tblCashbook")") + where(piece),
                            piece.values)
                    .toLongLong());
        if (m_count > 0)
            page(0);
    } catch (...) {
        m_count = 0;
        m_pages.clear();
        endResetModel();
        throw;
    }
    endResetModel();
}

QList<ReconciliationListModel::Piece> ReconciliationListModel::pieces() const {
    if (m_selection == Selection::All)
        return {Piece{}};
    QList<Piece> list;
    const QString outstanding = QStringLiteral(R"("TransStatus" = '%1')").arg(Codes::Outstanding);
    list.append({outstanding, {}});
    if (m_month)
        list.append(
            {QStringLiteral(R"("TransDate" >= ? AND "TransDate" < ? AND ("TransStatus" IS NULL )"
                            R"(OR "TransStatus" <> '%1'))")
                 .arg(Codes::Outstanding),
             {m_month->first, m_month->second}});
    if (!m_kept.isEmpty()) {
        // Changed here, and no longer in either piece above.
        QStringList marks;
        QVariantList values;
        for (const QString& id : m_kept) {
            marks << QStringLiteral("?");
            values << id;
        }
        QString condition =
            QStringLiteral(R"("TransID" IN (%1) AND COALESCE("TransStatus", '') <> '%2')")
                .arg(marks.join(QLatin1Char(',')), Codes::Outstanding);
        if (m_month) {
            condition += QStringLiteral(R"( AND NOT (COALESCE("TransDate", '') >= ? AND )"
                                        R"(COALESCE("TransDate", '') < ?))");
            values << m_month->first << m_month->second;
        }
        list.append({condition, values});
    }
    return list;
}

QString ReconciliationListModel::where(const Piece& piece, const QString& extra) const {
    QStringList parts;
    if (!piece.condition.isEmpty())
        parts << QLatin1Char('(') + piece.condition + QLatin1Char(')');
    if (!extra.isEmpty())
        parts << QLatin1Char('(') + extra + QLatin1Char(')');
    return parts.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

int ReconciliationListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

int ReconciliationListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReconciliationListModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const captions[ColumnCount] = {
        "Trans ID", "Trans Date", "Description", "Vendor", "Customer", "Amount", "Rec Status"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(captions[section])
                                                 : QVariant();
}

Qt::ItemFlags ReconciliationListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == StatusColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ReconciliationListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == AmountColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const Row* found = row(index.row());
    if (!found)
        return {};
    switch (index.column()) {
    case TransIdColumn:
        return found->transId;
    case DateColumn:
        return role == Qt::EditRole
                   ? found->date
                   : Codes::dateFromStored(found->date).toString(QStringLiteral("dd-MMM-yy"));
    case DescriptionColumn:
        return found->description;
    case VendorColumn:
        return found->vendor;
    case CustomerColumn:
        return found->customer;
    case AmountColumn:
        if (found->amount.isNull())
            return QString();
        return Money::fromUnits(found->amount.toLongLong()).format(Money::Format::Entry);
    case StatusColumn:
        return found->status;
    default:
        return {};
    }
}

QString ReconciliationListModel::transId(int index) const {
    const Row* found = row(index);
    return found ? found->transId : QString();
}

QString ReconciliationListModel::status(int index) const {
    const Row* found = row(index);
    return found ? found->status : QString();
}

void ReconciliationListModel::statusWritten(int index) {
    const Row* found = row(index);
    if (!found)
        return;
    const QString id = found->transId;
    const Page read = readRows(
        QStringLiteral(R"(SELECT %1 FROM "tblCashbook" WHERE "TransID" = ?)").arg(kColumns), {id});
    if (read.isEmpty())
        return;
    if (m_selection == Selection::CurrentAndOutstanding && !m_kept.contains(id))
        m_kept << id;
    m_pages[index / kPageRows][index % kPageRows] = read.first();
    emit dataChanged(this->index(index, 0), this->index(index, ColumnCount - 1));
}

const ReconciliationListModel::Row* ReconciliationListModel::row(int index) const {
    if (index < 0 || index >= m_count)
        return nullptr;
    const Page& rows = page(index / kPageRows);
    const int at = index % kPageRows;
    return at < rows.size() ? &rows.at(at) : nullptr;
}

const ReconciliationListModel::Page& ReconciliationListModel::page(int index) const {
    return PageCache::page(m_pages, index, [this](int at) { return readPage(at); });
}

ReconciliationListModel::Page ReconciliationListModel::readPage(int index) const {
    return PageCache::readPage(
        m_pages, index, kPageRows, m_count,
        [this](const Row* from, bool after, int limit) { return readBeside(from, after, limit); },
        [this](int offset, int limit) { return readOffset(offset, limit); });
}

QList<ReconciliationListModel::Piece> ReconciliationListModel::besideConditions(const Row* from,
                                                                                bool after) {
    // Undated rows come first in the order.
    if (!from)
        return {Piece{}};
    if (!from->dated) {
        if (after)
            return {{QStringLiteral(R"("TransDate" IS NULL AND "TransID" > ?)"), {from->transId}},
                    {QStringLiteral(R"("TransDate" IS NOT NULL)"), {}}};
        return {{QStringLiteral(R"("TransDate" IS NULL AND "TransID" < ?)"), {from->transId}}};
    }
    const QVariantList key = {from->date, from->transId};
    if (after)
        return {{QStringLiteral(R"(("TransDate", "TransID") > (?, ?))"), key}};
    return {{QStringLiteral(R"(("TransDate", "TransID") < (?, ?))"), key},
            {QStringLiteral(R"("TransDate" IS NULL)"), {}}};
}

ReconciliationListModel::Page ReconciliationListModel::readBeside(const Row* from, bool after,
                                                                  int limit) const {
    if (limit <= 0)
        return {};
    // Each piece reads its own first rows by its index; the merge keeps the nearest.
    QStringList arms;
    QVariantList values;
    const QString order = kOrder.arg(direction(!after));
    for (const Piece& piece : pieces()) {
        for (const Piece& beside : besideConditions(from, after)) {
            arms << QStringLiteral(R"(SELECT * FROM (SELECT %1 FROM "tblCashbook"%2 ORDER BY %3 )"
                                   "LIMIT ?) AS arm")
                        .arg(kColumns, where(piece, beside.condition), order);
            values << piece.values << beside.values << limit;
        }
    }
    values << limit;
    return readRows(arms.join(QStringLiteral(" UNION ALL ")) +
                        QStringLiteral(" ORDER BY %1 LIMIT ?").arg(order),
                    values);
}

ReconciliationListModel::Page ReconciliationListModel::readOffset(int offset, int limit) const {
    QStringList conditions;
    QVariantList values;
    for (const Piece& piece : pieces()) {
        conditions << (piece.condition.isEmpty() ? QStringLiteral("1 = 1") : piece.condition);
        values << piece.values;
    }
    values << limit << offset;
    return readRows(
        QStringLiteral(R"(SELECT %1 FROM "tblCashbook" WHERE (%2) ORDER BY %3 LIMIT ? )"
                       "OFFSET ?")
            .arg(kColumns, conditions.join(QStringLiteral(") OR (")), kOrder.arg(QString())),
        values);
}

ReconciliationListModel::Page ReconciliationListModel::readRows(const QString& sql,
                                                                const QVariantList& values) const {
    Page rows;
    QSqlQuery query = m_db.exec(sql, values);
    while (query.next()) {
        Row row;
        row.dated = !query.value(0).isNull();
        row.date = query.value(0).toString();
        row.transId = query.value(1).toString();
        row.description = query.value(2).toString();
        row.vendor = query.value(3).toString();
        row.customer = query.value(4).toString();
        row.amount = query.value(5);
        row.status = query.value(6).toString();
        rows.append(row);
    }
    return rows;
}
