#pragma once

#include "statement/statemententries.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;
class StatementReviewModel;
struct CsvMapping;
struct Services;

// The "Import Statement..." command of the reconciliation screen: the open dialog, the
// format read from the file (OFX, an ISO 20022 XML file, or comma-delimited through the bank
// account's column mapping, asked for once), the account whose statements are imported
// (the one matching the book's bank account number, or the one the user picks), the
// currency checked against the book's home currency, the lines imported before left out,
// the review, and the accepted matches written in one transaction. Nothing is written
// before the user accepts.
namespace StatementImport {

// The dialogs of the import; tests replace them with scripted ones.
struct Dialogs {
    // The account to import when a file holds several, or none with the book's bank account
    // number: the index of the chosen one in `accounts` (each described by its identifier,
    // number of lines and date range), or -1 when cancelled.
    std::function<int(QWidget* parent, const QString& question, const QStringList& accounts)>
        chooseAccount;
    // The column mapping for a comma-delimited file, starting from `start`; nothing when
    // cancelled.
    std::function<std::optional<CsvMapping>(QWidget* parent, const QByteArray& data,
                                            const CsvMapping& start)>
        csvMapping;
    // The review; true when the user accepted.
    std::function<bool(QWidget* parent, StatementReviewModel& model, const Statement& statement,
                       int alreadyImported)>
        review;
    // A bank entry for a line without a transaction, starting from the proposal.
    enum class Answer { Create, Skip, Stop };
    std::function<Answer(QWidget* parent, const StatementLine& line,
                         StatementEntries::Choice& choice)>
        bankEntry;
};
Dialogs standardDialogs(Services& services);

// What an import accepted, for the screen to show.
struct Outcome {
    int reconciled = 0;
    int entriesCreated = 0;
    std::optional<Money> closingBalance;
    QDate closingDate;
};

// Runs the command; nothing when it was cancelled, refused or wrote nothing. After the
// matches are kept, the lines left without a transaction may become bank entries: the
// user is asked, then confirms each entry.
std::optional<Outcome> run(Services& services, QWidget* parent, const Dialogs& dialogs);

} // namespace StatementImport
