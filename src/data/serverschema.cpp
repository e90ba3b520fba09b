#include "serverschema.h"

#include "booklocation.h"
#include "cashbooktotals.h"
#include "messages.h"
#include "schema.h"

#include <QDate>

namespace ServerSchema {

namespace {

// The program's own tables as the book file's upgrade steps up to kFirstServerVersion leave
// them, declared as those steps declare them.
struct OwnTable {
    const char* name;
    const char* fields;
};

// clang-format off
const OwnTable kOwnTables[] = {
    {"tblCashbookTotals",
     "TransStatus TEXT COLLATE NOCASE NOT NULL, Period INTEGER NOT NULL, Amount INTEGER NOT NULL, "
     "Transactions INTEGER NOT NULL, PRIMARY KEY (TransStatus, Period)"},
    {"tblStatementLines",
     "LineID INTEGER PRIMARY KEY, BankAccount TEXT COLLATE NOCASE NOT NULL, BankID TEXT NOT NULL, "
     "LineDate TEXT NOT NULL, Amount INTEGER NOT NULL, Reference TEXT COLLATE NOCASE, "
     "PartyName TEXT COLLATE NOCASE, Memo TEXT COLLATE NOCASE, TransID TEXT COLLATE NOCASE, "
     "ImportedOn TEXT NOT NULL"},
    {"tblStatementCsvMapping", "BankAccount TEXT COLLATE NOCASE PRIMARY KEY, Mapping TEXT NOT NULL"},
};

const char* const kOwnIndexes[] = {
    "CREATE INDEX idxCashbookStatusDateID ON tblCashbook (TransStatus, TransDate, TransID)",
    "CREATE INDEX idxStatementLinesTrans ON tblStatementLines (TransID)",
    "CREATE INDEX idxStatementLinesBank ON tblStatementLines (BankAccount, BankID, LineDate, Amount)",
};
// clang-format on

} // namespace

bool holdsTables(const Database& db) {
    return db
        .scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM pg_class WHERE relnamespace = "
                               "current_schema()::regnamespace AND relkind IN ('r', 'p', 'v', "
                               "'m', 'f'))"))
        .toBool();
}

void createTables(const Database& db) {
    // Texts that compare without regard to case, as the book file's codes do. A trusted
    // extension: the database's owner may add it.
    db.exec(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
    Schema::createTables(db);
    const SqlDialect& dialect = db.dialect();
    for (const OwnTable& table : kOwnTables)
        db.exec(dialect.createTable(QString::fromLatin1(table.name),
                                    QString::fromLatin1(table.fields)));
    for (const char* index : kOwnIndexes)
        db.exec(dialect.statement(QString::fromLatin1(index)));
    CashbookTotals::createOnServer(db);
    db.exec(QStringLiteral("CREATE TABLE %1 (\"ApplicationId\" bigint NOT NULL, \"Version\" "
                           "bigint NOT NULL)")
                .arg(SqlDialect::quoted(BookFormat::kServerFormatTable)));
}

void createBook(const BookLocation& location, const Database::PasswordPrompt& prompt) {
    Database db(QStringLiteral("quillan-create-server-book"));
    db.setPasswordPrompt(prompt);
    db.openForCreate(location);
    if (holdsTables(db))
        throw Failure(ErrorNumber::Unnumbered, Messages::targetNotEmpty(location.shown()),
                      Failure::Kind::BookRefused);
    Transaction transaction(db);
    createTables(db);
    QStringList notices;
    const QList<BookFormat::Step>& steps = BookFormat::steps();
    for (qsizetype step = BookFormat::kFirstServerVersion; step < steps.size(); ++step)
        steps.at(step)(db, notices);
    const QDate today = QDate::currentDate();
    Schema::insertTemplateRows(db, today.month(), today.year());
    BookFormat::stamp(db, BookFormat::currentVersion());
    transaction.commit();
}

void resumeNumbering(const Database& db) {
    db.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('\"tblStatementLines\"', "
                           "'LineID'), COALESCE(MAX(\"LineID\"), 0) + 1, false) FROM "
                           "\"tblStatementLines\""));
}

} // namespace ServerSchema
