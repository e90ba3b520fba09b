#include "findlistmodel.h"

#include "data/database.h"
#include "data/pagecache.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <algorithm>
#include <functional>

namespace {

// The pages kept; past this the cache starts again from the page asked for.

} // namespace

std::optional<FindListModel::Source> FindListModel::Source::fromQuery(const QString& sql) {
    // The listed column is the ordered one; a second selected column is not shown. The
    // filter may run into ORDER BY without a space, as some of the program's queries do.
    // Names may be double-quoted; they are kept as written, as SQL text.
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*SELECT\s+("\w+"|\w+)(?:\s*,\s*(?:"\w+"|\w+))*\s+FROM\s+("\w+"|\w+))"
                       R"((?:\s+WHERE\s+(.+?))?\s*ORDER\s+BY\s+("\w+"|\w+)(?:\s+ASC)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression clauses(QStringLiteral(R"(\b(UNION|GROUP|ORDER|LIMIT)\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(sql);
    if (!match.hasMatch() ||
        match.captured(1).compare(match.captured(4), Qt::CaseInsensitive) != 0 ||
        match.captured(3).contains(clauses))
        return std::nullopt;
    return Source{match.captured(2), match.captured(1), match.captured(3).trimmed()};
}

FindListModel::FindListModel(const Database& db, QString query, QObject* parent)
    : QAbstractListModel(parent), m_db(db), m_query(std::move(query)),
      m_source(Source::fromQuery(m_query)) {}

void FindListModel::open() {
    beginResetModel();
    m_pages.clear();
    m_last.reset();
    m_all.clear();
    m_count = 0;
    try {
        if (m_source) {
            m_count = int(
                m_db.scalar(
                        QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(m_source->table, where({})))
                    .toLongLong());
            if (m_count > 0)
                page(0);
        } else {
            QSqlQuery query = m_db.exec(m_query);
            while (query.next())
                m_all.append(query.value(0).toString());
            m_count = int(m_all.size());
        }
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

int FindListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_count;
}

QVariant FindListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_count)
        return {};
    return text(index.row());
}

QString FindListModel::text(int row) const {
    if (row < 0 || row >= m_count)
        return {};
    if (!m_source)
        return m_all.at(row);
    const Page& rows = page(row / kPageRows);
    const int at = row % kPageRows;
    return at < rows.size() ? rows.at(at).text : QString();
}

int FindListModel::findPrefix(const QString& text) const {
    if (m_count == 0)
        return -1;
    auto begins = [&text](const QString& entry) {
        return entry.startsWith(text, Qt::CaseInsensitive);
    };
    if (!m_source) {
        for (int i = 1; i < m_count; ++i)
            if (begins(m_all.at(i)))
                return i;
        return begins(m_all.at(0)) ? 0 : -1;
    }
    // The column compares without case, so the entries that begin with the text stand
    // together from the first entry not below it: that one, or the second when the first
    // is entry 0 and another follows.
    const Page found = readPiece(m_source->column + QStringLiteral(" >= ?"), {text}, false, 2);
    if (found.isEmpty() || !begins(found.first().text))
        return -1;
    const int first = rowsBefore(found.first());
    const bool second = first == 0 && found.size() > 1 && begins(found.at(1).text);
    const Row& row = second ? found.at(1) : found.first();
    const int position = second ? 1 : first;
    // The page around the row is read from the row itself, so it shows where it was found.
    const int index = position / kPageRows;
    if (!m_pages.contains(index)) {
        const int start = index * kPageRows;
        Page rows = readBeside(&row, false, position - start);
        std::reverse(rows.begin(), rows.end());
        rows.append(row);
        rows += readBeside(&row, true, std::min(m_count, start + kPageRows) - position - 1);
        if (m_pages.size() >= PageCache::kPagesKept)
            m_pages.clear();
        m_pages.insert(index, rows);
    }
    return position;
}

const FindListModel::Page& FindListModel::page(int index) const {
    return PageCache::page(m_pages, index, [this](int at) { return readPage(at); });
}

FindListModel::Page FindListModel::readPage(int index) const {
    return PageCache::readPage(
        m_pages, index, kPageRows, m_count,
        [this](const Row* from, bool after, int limit) { return readBeside(from, after, limit); },
        [this](int offset, int limit) { return readOffset(offset, limit); });
}

FindListModel::Page FindListModel::readOffset(int start, int rows) const {
    Page page;
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT %1, rowid FROM %2%3 ORDER BY %1, rowid LIMIT ? OFFSET ?")
                      .arg(m_source->column, m_source->table, where({})),
                  {rows, start});
    while (query.next())
        page.append({query.value(0).toString(), query.value(0), query.value(1).toLongLong()});
    return page;
}

FindListModel::Page FindListModel::readBeside(const Row* from, bool after, int limit) const {
    const QString& column = m_source->column;
    QList<Piece> pieces;
    if (!from) {
        pieces.append({QString(), {}});
    } else if (from->value.isNull()) {
        // Nulls come first in the order.
        pieces.append({column + QStringLiteral(" IS NULL AND rowid ") +
                           (after ? QStringLiteral("> ?") : QStringLiteral("< ?")),
                       {from->rowid}});
        if (after)
            pieces.append({column + QStringLiteral(" IS NOT NULL"), {}});
    } else {
        pieces.append({column + QStringLiteral(" = ? AND rowid ") +
                           (after ? QStringLiteral("> ?") : QStringLiteral("< ?")),
                       {from->value, from->rowid}});
        pieces.append(
            {column + (after ? QStringLiteral(" > ?") : QStringLiteral(" < ?")), {from->value}});
        if (!after)
            pieces.append({column + QStringLiteral(" IS NULL"), {}});
    }
    Page rows;
    for (const Piece& piece : std::as_const(pieces)) {
        if (rows.size() >= limit)
            break;
        rows += readPiece(piece.condition, piece.values, !after, limit - int(rows.size()));
    }
    return rows;
}

FindListModel::Page FindListModel::readPiece(const QString& condition, const QVariantList& values,
                                             bool reverse, int limit) const {
    Page rows;
    if (limit <= 0)
        return rows;
    const QString direction = reverse ? QStringLiteral(" DESC") : QString();
    QVariantList binds = values;
    binds << limit;
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT %1, rowid FROM %2%3 ORDER BY %1%4, rowid%4 "
                                 "LIMIT ?")
                      .arg(m_source->column, m_source->table, where(condition), direction),
                  binds);
    while (query.next())
        rows.append({query.value(0).toString(), query.value(0), query.value(1).toLongLong()});
    return rows;
}

int FindListModel::rowsBefore(const Row& row) const {
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it)
        for (int i = 0; i < it->size(); ++i)
            if (it->at(i).rowid == row.rowid)
                return it.key() * kPageRows + i;
    const QString& column = m_source->column;
    QList<Piece> pieces;
    qint64 total = 0;
    // Counted from the nearest page read before the row (an earlier seek reads the page around
    // its row), so a keystroke after the first counts only the rows between them.
    const std::optional<int> page = row.value.isNull() ? std::nullopt : pageBefore(row);
    if (page && nearerTheEnd(row, *page)) {
        // Nulls come first, so the rows from a value to the end have values.
        pieces.append({column + QStringLiteral(" = ? AND rowid >= ?"), {row.value, row.rowid}});
        pieces.append({column + QStringLiteral(" > ?"), {row.value}});
        total = m_count;
        for (const Piece& piece : std::as_const(pieces))
            total -= count(piece);
        return int(total);
    }
    if (page) {
        const Row& from = m_pages.constFind(*page)->first();
        total = qint64(*page) * kPageRows;
        pieces.append({column + QStringLiteral(" = ? AND rowid >= ? AND (") + column +
                           QStringLiteral(" < ? OR (") + column +
                           QStringLiteral(" = ? AND rowid < ?))"),
                       {from.value, from.rowid, row.value, row.value, row.rowid}});
        pieces.append({column + QStringLiteral(" > ? AND ") + column + QStringLiteral(" < ?"),
                       {from.value, row.value}});
        pieces.append(
            {column + QStringLiteral(" > ? AND ") + column + QStringLiteral(" = ? AND rowid < ?"),
             {from.value, row.value, row.rowid}});
    } else if (row.value.isNull()) {
        pieces.append({column + QStringLiteral(" IS NULL AND rowid < ?"), {row.rowid}});
    } else {
        pieces.append({column + QStringLiteral(" = ? AND rowid < ?"), {row.value, row.rowid}});
        pieces.append({column + QStringLiteral(" < ?"), {row.value}});
        pieces.append({column + QStringLiteral(" IS NULL"), {}});
    }
    for (const Piece& piece : std::as_const(pieces))
        total += count(piece);
    return int(total);
}

qint64 FindListModel::count(const Piece& piece) const {
    return m_db
        .scalar(QStringLiteral("SELECT COUNT(*) FROM %1%2")
                    .arg(m_source->table, where(piece.condition)),
                piece.values)
        .toLongLong();
}

bool FindListModel::nearerTheEnd(const Row& row, int page) const {
    if (!m_last)
        m_last = readBeside(nullptr, false, 1).value(0);
    const QString from = m_pages.constFind(page)->first().text.toCaseFolded();
    const QString to = m_last->text.toCaseFolded();
    const QString at = row.text.toCaseFolded();
    // Only a guess of which way fewer rows lie, by where the value stands between the page's
    // first and the last by its first characters after the ones they share; both ways count
    // the same rows.
    qsizetype shared = 0;
    while (shared < from.size() && shared < to.size() && from.at(shared) == to.at(shared))
        ++shared;
    auto weight = [shared](const QString& text) {
        double value = 0;
        for (qsizetype i = shared; i < shared + 3; ++i)
            value = value * 65536 + (i < text.size() ? text.at(i).unicode() : 0);
        return value;
    };
    const double span = weight(to) - weight(from);
    if (span <= 0)
        return false;
    const double share = std::clamp((weight(at) - weight(from)) / span, 0.0, 1.0);
    return share > 0.5;
}

std::optional<int> FindListModel::pageBefore(const Row& row) const {
    QList<int> pages = m_pages.keys();
    std::sort(pages.begin(), pages.end(), std::greater<>());
    // The order is the column's own (its collation and affinity), so the database compares.
    const QString before =
        QStringLiteral(
            "SELECT COUNT(*) FROM %1 WHERE rowid = ? AND (%2 < ? OR (%2 = ? AND rowid < ?))")
            .arg(m_source->table, m_source->column);
    for (int index : std::as_const(pages)) {
        const Page& rows = *m_pages.constFind(index);
        if (rows.isEmpty() || rows.first().value.isNull())
            continue;
        if (m_db.scalar(before, {rows.first().rowid, row.value, row.value, row.rowid})
                .toLongLong() > 0)
            return index;
    }
    return std::nullopt;
}

QString FindListModel::where(const QString& condition) const {
    QStringList parts;
    if (!m_source->filter.isEmpty())
        parts << QLatin1Char('(') + m_source->filter + QLatin1Char(')');
    if (!condition.isEmpty())
        parts << QLatin1Char('(') + condition + QLatin1Char(')');
    return parts.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}
