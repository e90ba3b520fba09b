#include "statemententries.h"

#include "data/codes.h"
#include "data/database.h"
#include "data/failure.h"
#include "data/messages.h"
#include "entry/bankentryrules.h"
#include "entry/cashbookstore.h"

namespace StatementEntries {

QString typeFor(const StatementLine& line) {
    return line.amount < Money() ? QStringLiteral("5") : QStringLiteral("6");
}

QString proposedId(const Database& db, const StatementLine& line, const QString& type) {
    const QString prefix = type == QLatin1String("5")   ? QStringLiteral("BC")
                           : type == QLatin1String("6") ? QStringLiteral("INT")
                                                        : QStringLiteral("MISC");
    const QString base = prefix + line.date.toString(QStringLiteral("yyMMdd"));
    const CashbookStore store(db);
    QString id = base;
    for (int n = 2; store.transIdExists(id); ++n)
        id = base + QStringLiteral("-%1").arg(n);
    return id;
}

BankEntryFields fieldsFor(const StatementLine& line, const Choice& choice) {
    BankEntryFields fields;
    fields.transType = choice.type;
    fields.transId = choice.transId.trimmed();
    fields.transDate = Codes::dateToStored(line.date);
    fields.transDesc = choice.description.left(50);
    fields.amount = (-line.amount).toPlainString();
    fields.accountCode = choice.accountCode;
    fields.deptCode = choice.deptCode;
    fields.status = Codes::Outstanding;
    return fields;
}

std::optional<EntryRules::Refusal> create(const Database& db, const EntryRules::Settings& settings,
                                          const QDate& today, const QString& bankAccount,
                                          const StatementLine& line, const Choice& choice) {
    BankEntryFields fields = fieldsFor(line, choice);
    if (fields.transId.isEmpty())
        return EntryRules::Refusal{Messages::statementEntryNeedsId(), QStringLiteral("txtTransID")};
    const CashbookStore store(db);
    if (store.transIdExists(fields.transId))
        return EntryRules::Refusal{Messages::duplicateNumber(), QStringLiteral("txtTransID")};
    const QList<CashbookStore::Account> accounts = store.accountRows(fields.accountCode);
    const auto account = std::find_if(accounts.cbegin(), accounts.cend(), [&](const auto& a) {
        return EntryRules::sameCode(a.dept, fields.deptCode);
    });
    if (account == accounts.cend())
        return EntryRules::Refusal{Messages::unknownAccount(),
                                   QStringLiteral("cboGLOffsetAccountCode")};
    fields.accountDesc = account->description;
    if (auto refusal = BankEntryRules::validate(fields, settings, today))
        return refusal;
    if (auto refusal = BankEntryRules::writeRefusal(fields, settings))
        return refusal;
    QVariantMap columns = fields.toColumns();
    columns.insert(QStringLiteral("TransStatus"), Codes::Reconciled);
    try {
        store.write(columns, QString(), std::nullopt);
    } catch (const Failure& failure) {
        if (!failure.isDuplicateKey())
            throw;
        return EntryRules::Refusal{Messages::duplicateNumber(), QStringLiteral("txtTransID")};
    }
    // One stored line: banks reuse identifiers, and a file may hold the same line twice.
    db.exec(QStringLiteral(
                R"(UPDATE "tblStatementLines" SET "TransID" = ? WHERE "LineID" = (SELECT )"
                R"("LineID" FROM "tblStatementLines" WHERE "BankAccount" = ? AND "BankID" = ? )"
                R"(AND "LineDate" = ? AND "Amount" = ? AND "TransID" IS NULL ORDER BY "LineID" )"
                "LIMIT 1)"),
            {fields.transId, bankAccount, line.bankId, Codes::dateToStored(line.date),
             line.amount.units()});
    return std::nullopt;
}

} // namespace StatementEntries
