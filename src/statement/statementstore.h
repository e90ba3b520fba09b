#pragma once

#include "statement/csvstatement.h"
#include "statement/statementmatcher.h"

#include <QSet>

class Database;

// The book's side of a statement import: the outstanding transactions offered to the
// matcher, the lines already imported, the accepted matches and the CSV mapping kept per
// bank account.
class StatementStore {
public:
    explicit StatementStore(const Database& db) : m_db(db) {}

    // Every outstanding transaction with its bank amount, oldest first.
    QList<StatementMatcher::BookEntry> outstanding() const;
    // The bank identifiers of the given lines that the book already holds.
    QSet<QString> alreadyImported(const QList<StatementLine>& lines) const;

    // Of the given lines, those the book keeps without a transaction.
    QList<StatementLine> keptWithoutTransaction(const QList<StatementLine>& lines) const;

    // A line and the transaction accepted for it (empty: kept unmatched).
    struct Accepted {
        StatementLine line;
        QString transId;
    };
    // In one transaction: keeps every line not imported before, and sets each accepted
    // transaction to Reconciled. A transaction that is no longer outstanding refuses the
    // whole (Failure naming it); nothing is then written. Returns the lines kept.
    int accept(const QList<Accepted>& accepted, const QDate& today) const;

    std::optional<CsvMapping> csvMapping(const QString& bankAccount) const;
    void saveCsvMapping(const QString& bankAccount, const CsvMapping& mapping) const;

private:
    QString notOutstanding(const QVariantList& transIds) const;

    const Database& m_db;
};
