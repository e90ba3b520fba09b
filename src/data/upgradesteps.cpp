#include "upgradesteps.h"

#include "cashbooktotals.h"
#include "database.h"
#include "messages.h"

namespace UpgradeSteps {

namespace {

// A stored text of one or more spaces: the old grid's way of writing "no department".
const QString kBlank = QStringLiteral(" TRIM(%1) = '' AND %1 <> ''");

QString blank(const QString& column) {
    return kBlank.arg(column);
}

} // namespace

void emptyBlankDepartments(const Database& db, QStringList& notices) {
    // Columns that are part of no key simply become empty.
    const QList<std::pair<const char*, QStringList>> plain = {
        {"tblSystemSetup", {"BankAccountDept"}},
        {"tblAccpacSettings",
         {"GLAPControlDept", "GLAPClearingDept", "GLARControlDept", "GLARClearingDept"}},
        {"tblTaxTable", {"GLAccountDept"}},
        {"tblCashbook", {"BankAccountGLDeptCode", "OffsetGLDeptCode", "OffsetGSTGLDeptCode"}},
        {"tblGLDistribution", {"DeptCode"}},
        {"tblGLDistributionAccpacGL", {"DeptCode"}},
    };
    for (const auto& [table, columns] : plain)
        for (const QString& column : columns)
            db.exec(
                QStringLiteral("UPDATE %1 SET %2 = '' WHERE").arg(QLatin1String(table), column) +
                blank(column));

    // In a key, a row whose empty form is already there is skipped (OR IGNORE) and stays blank.
    db.exec(QStringLiteral("UPDATE OR IGNORE tblDepartments SET DeptCode = '' WHERE") +
            blank(QStringLiteral("DeptCode")));
    db.exec(QStringLiteral("UPDATE OR IGNORE tblChartOfAccountsSample SET DeptCode = '' WHERE") +
            blank(QStringLiteral("DeptCode")));
    // The import's account-and-department text follows its department.
    db.exec(QStringLiteral("UPDATE OR IGNORE tblChartOfAccounts SET DeptCode = '', AcctDept = "
                           "CASE WHEN AcctDept = AccountCode || ',' || DeptCode THEN AccountCode "
                           "|| ',' ELSE AcctDept END WHERE") +
            blank(QStringLiteral("DeptCode")));
    QSqlQuery kept =
        db.exec(QStringLiteral("SELECT DISTINCT AccountCode FROM tblChartOfAccounts "
                               "WHERE") +
                blank(QStringLiteral("DeptCode")) + QStringLiteral(" ORDER BY AccountCode"));
    QStringList accounts;
    while (kept.next())
        accounts << kept.value(0).toString();
    if (!accounts.isEmpty())
        notices << Messages::mergeAccounts(accounts);
}

void addStatementTables(const Database& db, QStringList&) {
    db.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS tblStatementLines (LineID INTEGER PRIMARY KEY, "
        "BankID TEXT NOT NULL UNIQUE, LineDate TEXT NOT NULL, Amount INTEGER NOT NULL, "
        "Reference TEXT COLLATE NOCASE, PartyName TEXT COLLATE NOCASE, "
        "Memo TEXT COLLATE NOCASE, TransID TEXT COLLATE NOCASE, ImportedOn TEXT NOT NULL)"));
    db.exec(QStringLiteral(
        "CREATE INDEX IF NOT EXISTS idxStatementLinesTrans ON tblStatementLines (TransID)"));
    db.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS tblStatementCsvMapping (BankAccount TEXT COLLATE NOCASE "
        "PRIMARY KEY, Mapping TEXT NOT NULL)"));
}

void addCashbookTotals(const Database& db, QStringList&) {
    CashbookTotals::create(db);
}

void keepStatementLinesPerAccount(const Database& db, QStringList&) {
    // SQLite cannot drop a UNIQUE constraint: the table is made again and its rows copied,
    // each given the book's bank account, which is the only one it has imported into.
    db.exec(QStringLiteral(
        "CREATE TABLE tblStatementLinesNew (LineID INTEGER PRIMARY KEY, "
        "BankAccount TEXT COLLATE NOCASE NOT NULL, BankID TEXT NOT NULL, "
        "LineDate TEXT NOT NULL, Amount INTEGER NOT NULL, Reference TEXT COLLATE NOCASE, "
        "PartyName TEXT COLLATE NOCASE, Memo TEXT COLLATE NOCASE, TransID TEXT COLLATE NOCASE, "
        "ImportedOn TEXT NOT NULL)"));
    db.exec(QStringLiteral(
        "INSERT INTO tblStatementLinesNew (LineID, BankAccount, BankID, LineDate, Amount, "
        "Reference, PartyName, Memo, TransID, ImportedOn) SELECT LineID, "
        "COALESCE((SELECT GLBankAccountCode FROM tblSystemSetup LIMIT 1), ''), BankID, "
        "LineDate, Amount, Reference, PartyName, Memo, TransID, ImportedOn "
        "FROM tblStatementLines ORDER BY LineID"));
    db.exec(QStringLiteral("DROP TABLE tblStatementLines"));
    db.exec(QStringLiteral("ALTER TABLE tblStatementLinesNew RENAME TO tblStatementLines"));
    db.exec(QStringLiteral("CREATE INDEX idxStatementLinesTrans ON tblStatementLines (TransID)"));
    db.exec(QStringLiteral("CREATE INDEX idxStatementLinesBank ON tblStatementLines "
                           "(BankAccount, BankID, LineDate, Amount)"));
    // A kept mapping gains its four new fields empty: no indicator column, no values, the
    // amount's sign as written.
    db.exec(QStringLiteral("UPDATE tblStatementCsvMapping SET Mapping = 'v2' || "
                           "substr(Mapping, 3) || '|-1|||0' WHERE substr(Mapping, 1, 3) = 'v1|'"));
}

void renewCashbookTotals(const Database& db, QStringList&) {
    CashbookTotals::renew(db);
}

} // namespace UpgradeSteps
