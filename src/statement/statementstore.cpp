#include "statementstore.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/failure.h"

#include <QHash>
#include <QSet>

namespace {

// Rows per statement: a statement file has thousands of lines, and one statement per line
// costs more than the work itself. SQLite takes up to 32,766 bound values.
constexpr qsizetype kChunk = 250;

// "(?, ?), (?, ?)" for rows of width values; one "?, ?" list when width is 1.
QString placeholders(qsizetype rows, int width) {
    QStringList row(width, QStringLiteral("?"));
    const QString one = row.join(QStringLiteral(", "));
    if (width == 1)
        return QStringList(rows, QStringLiteral("?")).join(QStringLiteral(", "));
    return QStringList(rows, QLatin1Char('(') + one + QLatin1Char(')')).join(QStringLiteral(", "));
}

// "YYYY-MM-DD" as the book stores dates, read without the cost of a general date parser.
QDate storedDate(const QString& text) {
    if (text.size() < 10)
        return {};
    return QDate(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
}

// What makes a stored line the same line: the bank's identifier, the date and the amount.
QString lineKey(const QString& bankId, const QString& storedDate, qint64 units) {
    return bankId + QChar(0x1f) + storedDate + QChar(0x1f) + QString::number(units);
}

QString lineKey(const StatementLine& line) {
    return lineKey(line.bankId, Codes::dateToStored(line.date), line.amount.units());
}

} // namespace

QList<StatementMatcher::BookEntry> StatementStore::outstanding() const {
    QList<StatementMatcher::BookEntry> entries;
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT TransID, TransDate, DoubleEntryBank FROM tblCashbook "
                                 "WHERE TransStatus = ? ORDER BY TransDate"),
                  {Codes::Outstanding});
    while (query.next())
        entries.append({query.value(0).toString(), storedDate(query.value(1).toString()),
                        Money::fromUnits(query.value(2).toLongLong())});
    return entries;
}

QList<bool> StatementStore::importedBefore(const QString& bankAccount,
                                           const QList<StatementLine>& lines) const {
    QStringList ids;
    QSet<QString> listed;
    for (const StatementLine& line : lines)
        if (!listed.contains(line.bankId)) {
            listed.insert(line.bankId);
            ids << line.bankId;
        }
    QHash<QString, qint64> stored; // lines the book holds, per key
    for (qsizetype from = 0; from < ids.size(); from += kChunk) {
        const qsizetype count = std::min<qsizetype>(kChunk, ids.size() - from);
        QVariantList values{bankAccount};
        for (qsizetype i = from; i < from + count; ++i)
            values.append(ids.at(i));
        QSqlQuery query = m_db.exec(
            QStringLiteral("SELECT BankID, LineDate, Amount, COUNT(*) FROM tblStatementLines "
                           "WHERE BankAccount = ? AND BankID IN (%1) "
                           "GROUP BY BankID, LineDate, Amount")
                .arg(placeholders(count, 1)),
            values);
        while (query.next())
            stored.insert(lineKey(query.value(0).toString(), query.value(1).toString(),
                                  query.value(2).toLongLong()),
                          query.value(3).toLongLong());
    }
    QList<bool> before;
    before.reserve(lines.size());
    for (const StatementLine& line : lines) {
        const auto held = stored.find(lineKey(line));
        const bool known = held != stored.end() && *held > 0;
        if (known)
            --*held;
        before.append(known);
    }
    return before;
}

QList<StatementLine>
StatementStore::keptWithoutTransaction(const QString& bankAccount,
                                       const QList<StatementLine>& lines) const {
    QList<StatementLine> left;
    QHash<QString, qint64> taken; // a line twice in the file needs two such rows
    for (const StatementLine& line : lines) {
        const qint64 held =
            m_db.scalar(
                    QStringLiteral("SELECT COUNT(*) FROM tblStatementLines WHERE "
                                   "BankAccount = ? AND BankID = ? AND LineDate = ? AND "
                                   "Amount = ? AND TransID IS NULL"),
                    {bankAccount, line.bankId, Codes::dateToStored(line.date), line.amount.units()})
                .toLongLong();
        if (taken[lineKey(line)]++ < held)
            left.append(line);
    }
    return left;
}

int StatementStore::accept(const QString& bankAccount, const QList<Accepted>& accepted,
                           const QDate& today) const {
    Transaction transaction(m_db);
    const QString importedOn = Codes::dateToStored(today);
    int kept = 0;
    for (qsizetype from = 0; from < accepted.size(); from += kChunk) {
        const qsizetype count = std::min<qsizetype>(kChunk, accepted.size() - from);
        QVariantList matched{Codes::Reconciled, Codes::Outstanding};
        QVariantList rows;
        for (qsizetype i = from; i < from + count; ++i) {
            const Accepted& item = accepted.at(i);
            const StatementLine& line = item.line;
            if (!item.transId.isEmpty())
                matched.append(item.transId);
            rows << bankAccount << line.bankId << Codes::dateToStored(line.date)
                 << line.amount.units() << line.reference << line.name << line.memo
                 << (item.transId.isEmpty() ? QVariant() : QVariant(item.transId)) << importedOn;
        }
        const qsizetype toReconcile = matched.size() - 2;
        if (toReconcile > 0 &&
            // By the key: the status index would scan every outstanding row per chunk.
            m_db.execute(QStringLiteral("UPDATE tblCashbook SET TransStatus = ? WHERE "
                                        "+TransStatus = ? AND TransID IN (%1)")
                             .arg(placeholders(toReconcile, 1)),
                         matched) != toReconcile)
            throw Failure(ErrorNumber::OperationCancelled, notOutstanding(matched.mid(2)));
        kept += m_db.execute(
            QStringLiteral("INSERT INTO tblStatementLines (BankAccount, BankID, LineDate, "
                           "Amount, Reference, PartyName, Memo, TransID, ImportedOn) "
                           "VALUES %1")
                .arg(placeholders(count, 9)),
            rows);
    }
    transaction.commit();
    return kept;
}

QString StatementStore::notOutstanding(const QVariantList& transIds) const {
    QStringList ids;
    for (const QVariant& id : transIds)
        if (m_db.scalar(QStringLiteral("SELECT TransStatus FROM tblCashbook WHERE TransID = ?"),
                        {id})
                .toString() != Codes::Outstanding)
            ids << id.toString();
    return QStringLiteral("No longer outstanding: transaction %1.")
        .arg(ids.join(QStringLiteral(", ")));
}

std::optional<CsvMapping> StatementStore::csvMapping(const QString& bankAccount) const {
    const QVariant text = m_db.scalar(
        QStringLiteral("SELECT Mapping FROM tblStatementCsvMapping WHERE BankAccount = ?"),
        {bankAccount});
    return text.isValid() ? CsvMapping::fromText(text.toString()) : std::nullopt;
}

void StatementStore::saveCsvMapping(const QString& bankAccount, const CsvMapping& mapping) const {
    m_db.exec(QStringLiteral("INSERT OR REPLACE INTO tblStatementCsvMapping (BankAccount, Mapping) "
                             "VALUES (?, ?)"),
              {bankAccount, mapping.toText()});
}
