#pragma once

#include "statement/csvstatement.h"
#include "statement/statementmatcher.h"

#include <QList>

class Database;

// The book's side of a statement import: the outstanding transactions offered to the
// matcher, the lines already imported, the accepted matches and the CSV mapping kept per
// bank account. Banks reuse their identifiers (a month's FITIDs "1", "2" come back the next
// month), so a stored line is known by its bank account, identifier, date and amount, and
// one file may hold that same line more than once.
class StatementStore {
public:
    explicit StatementStore(const Database& db) : m_db(db) {}

    // Every outstanding transaction with its bank amount, oldest first.
    QList<StatementMatcher::BookEntry> outstanding() const;
    // For each given line, whether it was imported before into the bank account: as many
    // lines of the same identifier, date and amount as the book holds for it, the first
    // ones in the file's order.
    QList<bool> importedBefore(const QString& bankAccount, const QList<StatementLine>& lines) const;

    // Of the given lines, those the book keeps for the bank account without a transaction.
    QList<StatementLine> keptWithoutTransaction(const QString& bankAccount,
                                                const QList<StatementLine>& lines) const;

    // A line and the transaction accepted for it (empty: kept unmatched).
    struct Accepted {
        StatementLine line;
        QString transId;
    };
    // In one transaction: keeps every line for the bank account (the caller leaves out those
    // imported before, see importedBefore), and sets each accepted transaction to Reconciled. A
    // transaction that is no longer outstanding refuses the whole (Failure naming it); nothing is
    // then written. Returns the lines kept.
    int accept(const QString& bankAccount, const QList<Accepted>& accepted,
               const QDate& today) const;

    std::optional<CsvMapping> csvMapping(const QString& bankAccount) const;
    void saveCsvMapping(const QString& bankAccount, const CsvMapping& mapping) const;

private:
    // Sets the given outstanding transactions to Reconciled; false when one is no longer
    // outstanding or is given twice (the caller's transaction then holds a partial change).
    bool reconcile(const QVariantList& transIds) const;
    // Runs "INSERT ... VALUES " followed by rows of `width` of the values, many rows to a
    // statement prepared once; returns the rows inserted.
    int insertRows(const QString& insertValues, int width, const QVariantList& values) const;
    QString notOutstanding(const QVariantList& transIds) const;

    const Database& m_db;
};
