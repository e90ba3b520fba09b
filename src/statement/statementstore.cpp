#include "statementstore.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/failure.h"

#include <QHash>
#include <QSet>
#include <QSqlError>

namespace {

// Rows per statement: a statement file has thousands of lines, and one statement per line
// costs more than the work itself. SQLite takes up to 32,766 bound values.
constexpr qsizetype kChunk = 250;
// Values bound to one multi-row insert.
constexpr qsizetype kBoundValues = 2250;
// The values of a kept line.
constexpr int kLineWidth = 9;
// The transactions an acceptance reconciles, for the one UPDATE that joins them.
constexpr char kChosenTable[] = "StatementChosen";

// "?, ?, ?": a list of n values.
QString valueList(qsizetype n) {
    return QStringList(n, QStringLiteral("?")).join(QStringLiteral(", "));
}

// "(?, ?), (?, ?)": rows of width values.
QString rowList(qsizetype rows, int width) {
    return QStringList(rows, QLatin1Char('(') + valueList(width) + QLatin1Char(')'))
        .join(QStringLiteral(", "));
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
    QSqlQuery query = m_db.exec(
        QStringLiteral(R"(SELECT "TransID", "TransDate", "DoubleEntryBank" FROM "tblCashbook" )"
                       R"(WHERE "TransStatus" = ? ORDER BY "TransDate")"),
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
            QStringLiteral(
                R"(SELECT "BankID", "LineDate", "Amount", COUNT(*) FROM "tblStatementLines" )"
                R"(WHERE "BankAccount" = ? AND "BankID" IN (%1) )"
                R"(GROUP BY "BankID", "LineDate", "Amount")")
                .arg(valueList(count)),
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
                    QStringLiteral(R"(SELECT COUNT(*) FROM "tblStatementLines" WHERE )"
                                   R"("BankAccount" = ? AND "BankID" = ? AND "LineDate" = ? AND )"
                                   R"("Amount" = ? AND "TransID" IS NULL)"),
                    {bankAccount, line.bankId, Codes::dateToStored(line.date), line.amount.units()})
                .toLongLong();
        if (taken[lineKey(line)]++ < held)
            left.append(line);
    }
    return left;
}

int StatementStore::accept(const QString& bankAccount, const QList<Accepted>& accepted,
                           const QDate& today) const {
    const QString importedOn = Codes::dateToStored(today);
    QVariantList chosen;
    QVariantList rows;
    rows.reserve(accepted.size() * kLineWidth);
    for (const Accepted& item : accepted) {
        const StatementLine& line = item.line;
        if (!item.transId.isEmpty())
            chosen.append(item.transId);
        rows << bankAccount << line.bankId << Codes::dateToStored(line.date) << line.amount.units()
             << line.reference << line.name << line.memo
             << (item.transId.isEmpty() ? QVariant() : QVariant(item.transId)) << importedOn;
    }
    {
        Transaction transaction(m_db);
        if (chosen.isEmpty() || reconcile(chosen)) {
            const int kept = insertRows(
                QStringLiteral(
                    R"(INSERT INTO "tblStatementLines" ("BankAccount", "BankID", "LineDate", )"
                    R"("Amount", "Reference", "PartyName", "Memo", "TransID", "ImportedOn") )"
                    R"(VALUES )"),
                kLineWidth, rows);
            transaction.commit();
            return kept;
        }
    }
    // Named once the transaction is rolled back, when the statuses are those the user saw.
    throw Failure(ErrorNumber::OperationCancelled, notOutstanding(chosen));
}

bool StatementStore::reconcile(const QVariantList& transIds) const {
    const QString chosen = QStringLiteral("temp.") + QLatin1String(kChosenTable);
    // The key is the book's (TransID is NOCASE): a transaction chosen for two lines is kept once.
    m_db.execute(
        QStringLiteral(R"(CREATE TEMP TABLE IF NOT EXISTS %1 ("TransID" TEXT COLLATE NOCASE )"
                       "PRIMARY KEY)")
            .arg(QLatin1String(kChosenTable)));
    m_db.execute(QStringLiteral("DELETE FROM ") + chosen);
    if (insertRows(QStringLiteral(R"(INSERT OR IGNORE INTO %1 ("TransID") VALUES )").arg(chosen), 1,
                   transIds) != transIds.size())
        return false;
    // Through the key: the status index would scan every outstanding row. The totals' triggers
    // keep the months' totals inside this statement.
    const int reconciled = m_db.execute(
        QStringLiteral(
            R"(UPDATE "tblCashbook" SET "TransStatus" = ? WHERE "TransID" IN (SELECT "TransID" )"
            R"(FROM %1) AND +"TransStatus" = ?)")
            .arg(chosen),
        {Codes::Reconciled, Codes::Outstanding});
    m_db.execute(QStringLiteral("DELETE FROM ") + chosen);
    return reconciled == transIds.size();
}

int StatementStore::insertRows(const QString& insertValues, int width,
                               const QVariantList& values) const {
    const qsizetype rows = values.size() / width;
    const qsizetype chunk = kBoundValues / width;
    // One statement prepared for the full chunks, another for the rest.
    QSqlQuery full(m_db.connection());
    QSqlQuery rest(m_db.connection());
    bool fullPrepared = false;
    int inserted = 0;
    for (qsizetype from = 0; from < rows; from += chunk) {
        const qsizetype count = std::min(chunk, rows - from);
        const bool whole = count == chunk;
        QSqlQuery& query = whole ? full : rest;
        if (!whole || !fullPrepared) {
            query.setForwardOnly(true);
            if (!query.prepare(insertValues + rowList(count, width)))
                Database::fail(query.lastError());
            fullPrepared = fullPrepared || whole;
        }
        for (qsizetype i = 0; i < count * width; ++i)
            query.bindValue(int(i), values.at(from * width + i));
        if (!query.exec())
            Database::fail(query.lastError());
        inserted += query.numRowsAffected();
    }
    return inserted;
}

QString StatementStore::notOutstanding(const QVariantList& transIds) const {
    QStringList ids;
    QSet<QString> seen;
    for (const QVariant& id : transIds) {
        // A transaction chosen twice is no longer outstanding for its second line.
        const QString key = id.toString().toLower();
        const bool twice = seen.contains(key);
        seen.insert(key);
        if (twice || m_db.scalar(QStringLiteral(R"(SELECT "TransStatus" FROM "tblCashbook" WHERE )"
                                                R"("TransID" = ?)"),
                                 {id})
                             .toString() != Codes::Outstanding)
            ids << id.toString();
    }
    return QStringLiteral("No longer outstanding: transaction %1.")
        .arg(ids.join(QStringLiteral(", ")));
}

std::optional<CsvMapping> StatementStore::csvMapping(const QString& bankAccount) const {
    const QVariant text = m_db.scalar(
        QStringLiteral(R"(SELECT "Mapping" FROM "tblStatementCsvMapping" WHERE "BankAccount" = ?)"),
        {bankAccount});
    return text.isValid() ? CsvMapping::fromText(text.toString()) : std::nullopt;
}

void StatementStore::saveCsvMapping(const QString& bankAccount, const CsvMapping& mapping) const {
    // The key is written again too, as the replaced row's would be: the account as last typed.
    m_db.exec(
        QStringLiteral(
            R"(INSERT INTO "tblStatementCsvMapping" ("BankAccount", "Mapping") VALUES (?, ?) )"
            R"(ON CONFLICT ("BankAccount") DO UPDATE SET "BankAccount" = )"
            R"(excluded."BankAccount", "Mapping" = excluded."Mapping")"),
        {bankAccount, mapping.toText()});
}
