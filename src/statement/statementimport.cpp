#include "statementimport.h"

#include "data/failure.h"
#include "data/messages.h"
#include "data/settings.h"
#include "entry/entrysettings.h"
#include "kit/filedialogs.h"
#include "kit/mrlookup.h"
#include "kit/services.h"
#include "statement/bankentrydialog.h"
#include "statement/camtreader.h"
#include "statement/csvmappingdialog.h"
#include "statement/ofxreader.h"
#include "statement/statementreviewdialog.h"
#include "statement/statementreviewmodel.h"
#include "statement/statementstore.h"

#include <QFile>
#include <QInputDialog>

#include <algorithm>

namespace StatementImport {

Dialogs standardDialogs(Services& services) {
    Dialogs dialogs;
    dialogs.csvMapping = [&services](QWidget* parent, const QByteArray& data,
                                     const CsvMapping& start) -> std::optional<CsvMapping> {
        CsvMappingDialog dialog(data, start, services.clock.today(), parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.mapping();
    };
    dialogs.review = [](QWidget* parent, StatementReviewModel& model, const Statement& statement,
                        int alreadyImported) {
        StatementReviewDialog dialog(model, statement, alreadyImported, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.bankEntry = [&services](QWidget* parent, const StatementLine& line,
                                    StatementEntries::Choice& choice) {
        BankEntryDialog dialog(services, line, choice, parent);
        const int result = dialog.exec();
        choice = dialog.choice();
        return result == BankEntryDialog::Create ? Dialogs::Answer::Create
               : result == BankEntryDialog::Stop ? Dialogs::Answer::Stop
                                                 : Dialogs::Answer::Skip;
    };
    dialogs.chooseAccount = [](QWidget* parent, const QString& question,
                               const QStringList& accounts) {
        QInputDialog dialog(parent);
        dialog.setObjectName(QStringLiteral("dlgStatementAccount"));
        dialog.setWindowTitle(QStringLiteral("Import Statement"));
        dialog.setLabelText(question);
        dialog.setComboBoxItems(accounts);
        dialog.setComboBoxEditable(false);
        if (dialog.exec() != QDialog::Accepted)
            return -1;
        return int(accounts.indexOf(dialog.textValue()));
    };
    return dialogs;
}

namespace {

// A comma-delimited statement through the bank account's mapping; the mapping is asked
// for when there is none or when the kept one no longer reads the file, and kept once the
// user has confirmed it.
std::optional<Statement> readCsv(Services& services, QWidget* parent, const Dialogs& dialogs,
                                 const QByteArray& data) {
    const StatementStore store(services.db);
    const QString bank = mrLookupText(services, Settings::BankAccount, Settings::Code);
    const std::optional<CsvMapping> kept = store.csvMapping(bank);
    if (kept) {
        try {
            return CsvStatement::read(data, *kept, services.clock.today());
        } catch (const StatementError& error) {
            services.prompts.critical(Messages::statementRefused(error.message()));
        }
    }
    const std::optional<CsvMapping> chosen =
        dialogs.csvMapping(parent, data, kept.value_or(CsvMapping{}));
    if (!chosen)
        return std::nullopt;
    Statement statement = CsvStatement::read(data, *chosen, services.clock.today());
    store.saveCsvMapping(bank, *chosen);
    return statement;
}

// The statements of the book's bank account, joined: those of the one account whose
// identifier matches the book's bank account number, else of the account the user picks.
// A file without account identifiers (comma-delimited) is one account. Nothing when the
// user cancels.
std::optional<Statement> chooseAccount(Services& services, QWidget* parent, const Dialogs& dialogs,
                                       const QList<Statement>& read) {
    struct Account {
        QString id;
        QList<Statement> statements;
    };
    QList<Account> accounts;
    for (const Statement& statement : read) {
        const QString id = statement.accountId.trimmed();
        const QString key = StatementAccounts::significant(id);
        auto same = std::find_if(accounts.begin(), accounts.end(), [&](const Account& a) {
            return StatementAccounts::significant(a.id) == key;
        });
        if (same == accounts.end())
            accounts.append({id, {statement}});
        else
            same->statements.append(statement);
    }
    if (accounts.isEmpty())
        return Statement{};
    if (accounts.size() == 1 && accounts.front().id.isEmpty())
        return StatementAccounts::join(accounts.front().statements);
    const QString number =
        services.db.scalar(QStringLiteral(R"(SELECT "BankAccountNumber" FROM "tblBankDetails")"))
            .toString()
            .trimmed();
    QList<qsizetype> matching;
    for (qsizetype i = 0; i < accounts.size(); ++i)
        if (StatementAccounts::matches(accounts.at(i).id, number))
            matching.append(i);
    if (matching.size() == 1)
        return StatementAccounts::join(accounts.at(matching.front()).statements);
    QStringList offered;
    for (const Account& account : std::as_const(accounts)) {
        const Statement joined = StatementAccounts::join(account.statements);
        QDate from;
        QDate to;
        for (const StatementLine& line : joined.lines) {
            if (!from.isValid() || line.date < from)
                from = line.date;
            if (!to.isValid() || line.date > to)
                to = line.date;
        }
        offered.append(Messages::statementAccountChoice(account.id, joined.lines.size(), from, to));
    }
    const int chosen =
        dialogs.chooseAccount(parent, Messages::statementWhichAccount(number), offered);
    if (chosen < 0 || chosen >= accounts.size())
        return std::nullopt;
    return StatementAccounts::join(accounts.at(chosen).statements);
}

// Each line the user confirms becomes a bank entry; a refused entry is shown and asked again.
int createEntries(Services& services, QWidget* parent, const Dialogs& dialogs, const QString& bank,
                  const QList<StatementLine>& lines) {
    int created = 0;
    for (const StatementLine& line : lines) {
        StatementEntries::Choice choice;
        choice.type = StatementEntries::typeFor(line);
        choice.transId = StatementEntries::proposedId(services.db, line, choice.type);
        choice.description = (line.name + QLatin1Char(' ') + line.memo).trimmed();
        for (;;) {
            const Dialogs::Answer answer = dialogs.bankEntry(parent, line, choice);
            if (answer == Dialogs::Answer::Stop)
                return created;
            if (answer == Dialogs::Answer::Skip)
                break;
            const std::optional<EntryRules::Refusal> refusal =
                StatementEntries::create(services.db, readEntrySettings(services),
                                         services.clock.today(), bank, line, choice);
            if (!refusal) {
                ++created;
                break;
            }
            services.prompts.critical(refusal->message);
        }
    }
    return created;
}

} // namespace

std::optional<Outcome> run(Services& services, QWidget* parent, const Dialogs& dialogs) {
    FileDialogRequest request;
    request.title = QStringLiteral("Import Statement");
    request.filter = QStringLiteral("Bank statements (*.ofx *.qfx *.xml *.csv *.txt)|*.ofx;*.qfx;"
                                    "*.xml;*.csv;*.txt|All files (*.*)|*.*");
    request.directory = services.bookFolder();
    request.confirmOverwrite = false;
    const std::optional<QString> path = services.fileDialogs.openFileName(request);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        services.prompts.critical(Messages::statementUnreadable(*path, file.errorString()));
        return std::nullopt;
    }

    std::optional<Statement> statement;
    try {
        StatementText::checkSize(file.size());
        const QByteArray data = file.readAll();
        // An XML file is an ISO 20022 message or refused as one: never a column mapping.
        if (OfxReader::looksLike(data))
            statement = chooseAccount(services, parent, dialogs, OfxReader::read(data));
        else if (CamtReader::looksLike(data))
            statement = chooseAccount(services, parent, dialogs, CamtReader::read(data));
        else
            statement = readCsv(services, parent, dialogs, data);
    } catch (const StatementError& error) {
        services.prompts.critical(Messages::statementRefused(error.message()));
        return std::nullopt;
    }
    if (!statement)
        return std::nullopt;
    for (StatementLine& line : statement->lines)
        StatementText::cap(line);
    if (!statement->currency.isEmpty()) {
        const QString home = mrLookupText(services, Settings::HomeCurrency, Settings::Plain);
        if (statement->currency.compare(home.trimmed(), Qt::CaseInsensitive) != 0 &&
            !services.prompts.ask(Messages::statementCurrencyQuestion(statement->currency, home)))
            return std::nullopt;
    }
    if (statement->pendingLeftOut > 0)
        services.prompts.information(Messages::statementPendingLeftOut(statement->pendingLeftOut));
    if (statement->lines.isEmpty()) {
        services.prompts.information(Messages::statementEmpty());
        return std::nullopt;
    }

    StatementStore store(services.db);
    const QString bank = mrLookupText(services, Settings::BankAccount, Settings::Code);
    const QList<bool> before = store.importedBefore(bank, statement->lines);
    const auto known = before.count(true);
    if (known == statement->lines.size()) {
        services.prompts.information(Messages::statementAlreadyImported());
        // Lines kept without a transaction last time may still become bank entries.
        const QList<StatementLine> left = store.keptWithoutTransaction(bank, statement->lines);
        if (left.isEmpty() ||
            !services.prompts.ask(Messages::statementEntriesQuestion(left.size())))
            return std::nullopt;
        Outcome outcome;
        outcome.closingBalance = statement->closingBalance;
        outcome.closingDate = statement->closingDate;
        outcome.entriesCreated = createEntries(services, parent, dialogs, bank, left);
        return outcome;
    }
    QList<StatementLine> fresh;
    for (qsizetype i = 0; i < statement->lines.size(); ++i)
        if (!before.at(i))
            fresh.append(statement->lines.at(i));
    StatementReviewModel model(fresh, store.outstanding());
    if (!dialogs.review(parent, model, *statement, int(known)))
        return std::nullopt;
    const QList<StatementStore::Accepted> accepted = model.result();
    int kept = 0;
    try {
        kept = store.accept(bank, accepted, services.clock.today());
    } catch (const Failure& failure) {
        services.prompts.critical(Messages::statementNotImported(failure.description()));
        return std::nullopt;
    }
    Outcome outcome;
    outcome.reconciled = model.acceptedCount();
    outcome.closingBalance = statement->closingBalance;
    outcome.closingDate = statement->closingDate;
    services.prompts.information(Messages::statementImported(kept, outcome.reconciled));

    QList<StatementLine> unmatched;
    for (const StatementStore::Accepted& item : accepted)
        if (item.transId.isEmpty())
            unmatched.append(item.line);
    if (!unmatched.isEmpty() &&
        services.prompts.ask(Messages::statementEntriesQuestion(unmatched.size())))
        outcome.entriesCreated = createEntries(services, parent, dialogs, bank, unmatched);
    return outcome;
}

} // namespace StatementImport
