#include "statementstore.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/failure.h"

QList<StatementMatcher::BookEntry> StatementStore::outstanding() const {
    QList<StatementMatcher::BookEntry> entries;
    QSqlQuery query =
        m_db.exec(QStringLiteral("SELECT TransID, TransDate, DoubleEntryBank FROM tblCashbook "
                                 "WHERE TransStatus = ? ORDER BY TransDate, TransID"),
                  {Codes::Outstanding});
    while (query.next())
        entries.append({query.value(0).toString(), Codes::dateFromStored(query.value(1).toString()),
                        Money::fromUnits(query.value(2).toLongLong())});
    return entries;
}

QSet<QString> StatementStore::alreadyImported(const QList<StatementLine>& lines) const {
    QSet<QString> known;
    for (const StatementLine& line : lines)
        if (m_db.scalar(QStringLiteral("SELECT 1 FROM tblStatementLines WHERE BankID = ?"),
                        {line.bankId})
                .isValid())
            known.insert(line.bankId);
    return known;
}

int StatementStore::accept(const QList<Accepted>& accepted, const QDate& today) const {
    Transaction transaction(m_db);
    int kept = 0;
    for (const Accepted& item : accepted) {
        if (!item.transId.isEmpty() &&
            m_db.execute(QStringLiteral("UPDATE tblCashbook SET TransStatus = ? "
                                        "WHERE TransID = ? AND TransStatus = ?"),
                         {Codes::Reconciled, item.transId, Codes::Outstanding}) != 1)
            throw Failure(
                ErrorNumber::OperationCancelled,
                QStringLiteral("Transaction %1 is no longer outstanding.").arg(item.transId));
        const StatementLine& line = item.line;
        kept += m_db.execute(
            QStringLiteral("INSERT OR IGNORE INTO tblStatementLines (BankID, LineDate, Amount, "
                           "Reference, PartyName, Memo, TransID, ImportedOn) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            {line.bankId, Codes::dateToStored(line.date), line.amount.units(), line.reference,
             line.name, line.memo, item.transId.isEmpty() ? QVariant() : QVariant(item.transId),
             Codes::dateToStored(today)});
    }
    transaction.commit();
    return kept;
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
