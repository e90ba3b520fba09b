// The month-end and book-keeping sections of the message catalogue (messages.h): the
// statement import, reconciliation, the GL export, the reports and the book's safety.
#include "messages.h"

#include <QDir>

namespace Messages {

// ---- statement -----------------------------------------------------------------------

QString statementUnreadable(const QString& path, const QString& reason) {
    return QStringLiteral("The statement file %1 cannot be opened: %2").arg(path, reason);
}

QString statementRefused(const QString& detail) {
    return QStringLiteral("The statement cannot be read, and nothing was imported.\n\n%1")
        .arg(detail);
}

QString statementWhichAccount(const QString& bookAccount) {
    return (bookAccount.isEmpty()
                ? QStringLiteral("The book has no bank account number (Fiscal Period and Bank "
                                 "Details).")
                : QStringLiteral("No single account of this statement file has the book's bank "
                                 "account number %1.")
                      .arg(bookAccount)) +
           QStringLiteral("\n\nWhich account's statement should be imported?");
}

QString statementAccountChoice(const QString& account, qint64 lines, const QDate& from,
                               const QDate& to) {
    const QString name = account.isEmpty() ? QStringLiteral("(no account number)") : account;
    if (lines == 0)
        return QStringLiteral("%1: no lines").arg(name);
    return QStringLiteral("%1: %2 line(s), %3 to %4")
        .arg(name)
        .arg(lines)
        .arg(from.toString(QStringLiteral("dd MMM yyyy")),
             to.toString(QStringLiteral("dd MMM yyyy")));
}

QString statementCurrencyQuestion(const QString& currency, const QString& homeCurrency) {
    return QStringLiteral("The statement is in %1, but the book's home currency is %2. Its "
                          "amounts would be taken as they stand, without conversion.\n\n"
                          "Import it anyway?")
        .arg(currency, homeCurrency.isEmpty() ? QStringLiteral("not set") : homeCurrency);
}

QString statementPendingLeftOut(qint64 entries) {
    return QStringLiteral("%1 entry(ies) of the statement are not booked by the bank yet and "
                          "were left out; they come again on a later statement.")
        .arg(entries);
}

QString statementEmpty() {
    return QStringLiteral("The statement holds no transactions.");
}

QString statementAlreadyImported() {
    return QStringLiteral("Every line of this statement was imported before. Nothing was added.");
}

QString statementImported(qint64 lines, qint64 reconciled) {
    return QStringLiteral("%1 statement line(s) kept; %2 transaction(s) set to Reconciled.")
        .arg(lines)
        .arg(reconciled);
}

QString statementNotImported(const QString& reason) {
    return QStringLiteral("The statement was not imported, and nothing was changed.\n\n%1")
        .arg(reason);
}

QString statementEntriesQuestion(qint64 lines) {
    return QStringLiteral("%1 statement line(s) have no transaction in the book (bank charges "
                          "or interest, for example).\n\nCreate bank entries for them now?")
        .arg(lines);
}

QString statementEntryNeedsId() {
    return QStringLiteral("Enter a Transaction ID for the bank entry.");
}

QString statementCsvIndicator(const QString& value, const QString& debitValue,
                              const QString& creditValue) {
    return QStringLiteral("the indicator \"%1\" is neither \"%2\" (money out) nor \"%3\" "
                          "(money in).")
        .arg(value, debitValue, creditValue);
}

QString statementCsvIndicatorValues() {
    return QStringLiteral("The column mapping names an indicator column: give the two "
                          "different values it holds for money out and for money in.");
}

// ---- reconciliation ------------------------------------------------------------------

QString periodEndQuestion(const QString& month, const QString& year) {
    return QStringLiteral("This advances the Cashbook to the next fiscal period. \r\n"
                          "If the current fiscal period is 12, then this will \r\n"
                          "also advance the fiscal year.\r\n\r\n"
                          "Before proceeding, you should have printed\r\n"
                          "any reports such as the Cashbook Report, \r\n"
                          "Bank Reconciliation Report, Tax Analysis \r\n"
                          "Report and GL Distribution Reports, and , \r\n"
                          "if applicable, exported to Accpac/Adagio.\r\n\r\n"
                          "The current month is ") +
           month + QStringLiteral(".\r\nThe current year is ") + year +
           QStringLiteral(".\r\n\r\nDo you wish to proceed?");
}

QString periodEndCompleted(const QString& month, const QString& year) {
    return QStringLiteral("Period End Processing completed.\r\n\r\nThe current month is now ") +
           month + QStringLiteral(".\r\nThe current year is ") + year + QLatin1Char('.');
}

QString statusNotAllowed(const QString& typed) {
    return QStringLiteral("\"%1\" is not a reconciliation status.\r\n\r\n"
                          "Enter 1 (Outstanding), 2 (Reconciled), 3 (Reversed) or 4 (Void); "
                          "an empty status or a number above 4 is taken as 1.\r\n\r\n"
                          "The status was left as it was.")
        .arg(typed);
}

QString statusNotSaved(const QString& transId, const QString& reason) {
    return QStringLiteral("The status of transaction %1 could not be saved:\r\n%2\r\n\r\n"
                          "Its status and the balances are as they were.")
        .arg(transId, reason);
}

QString totalsRecounted() {
    return QStringLiteral("The totals behind the cashbook balances did not agree with the "
                          "transactions; the book may have been changed by another program.\r\n"
                          "\r\nThey have been counted again from the transactions, and the "
                          "balances are right again.");
}

// ---- gl export -----------------------------------------------------------------------

QString exportToAccpacQuestion() {
    return QStringLiteral("This will export the current month C/B data.\r\n\r\n"
                          "The resulting file (GLBATCH.TXT by default) can be imported \r\n"
                          "into Accpac Plus / Adagio as an external batch using the file\r\n"
                          "format of Comma Separated Values (CSV).\r\n\r\n"
                          "After exporting the data, the procedure will prompt you \r\n"
                          "as to whether you want to view the data in an editor.\r\n\r\n"
                          "Before running this procedure, you should have examined\r\n"
                          "the GL Distribution Reports on the Reports Menu to verify\r\n"
                          "your transactions.\r\n\r\nDo you wish to proceed?");
}

QString includeExportedQuestion() {
    return QStringLiteral("Do you want to include any records already exported\r\n"
                          "for the current month?");
}

QString noCurrentMonthTransactions() {
    return QStringLiteral("There are no current month transactions.");
}

QString markExportedQuestion() {
    return QStringLiteral("Would you like to mark the records as exported?");
}

QString exportedAndMarked() {
    return QStringLiteral("Exported procedure completed.\r\n\r\nRecords marked as exported.");
}

namespace glExportParts {
const QString notWritableEnd = QStringLiteral(
    "\r\n\r\nThe GL batch file is Windows-1252 text, which cannot hold this text. Change it "
    "and export again.\r\n\r\nNothing was exported.");
} // namespace glExportParts

QString transactionTextNotWritable(const QString& transId, const QString& date,
                                   const QString& field, const QString& text) {
    return QStringLiteral("Transaction ") + transId + QStringLiteral(" of ") + date +
           QStringLiteral(" holds in ") + field + QStringLiteral(":\r\n\r\n") + text +
           glExportParts::notWritableEnd;
}

QString settingTextNotWritable(const QString& setting, const QString& text) {
    return QStringLiteral("The Accpac / Adagio setting ") + setting +
           QStringLiteral(" holds:\r\n\r\n") + text + glExportParts::notWritableEnd;
}

// ---- reports -------------------------------------------------------------------------

QString printingError() {
    return QStringLiteral("A printing error has occurred. \r\nYou may not have a Printer "
                          "installed.");
}

QString pictureNotSaved(const QString& path) {
    return QStringLiteral("The picture could not be saved to %1.").arg(path);
}

QString paymentVoucherNotSelected() {
    return QStringLiteral("You have not selected a PV.");
}

QString receiptNotSelected() {
    return QStringLiteral("You have not selected a Receipt.");
}

QString noCurrentFiscalMonth() {
    return QStringLiteral("The current fiscal month is not set.\r\nSet it in Fiscal Year and "
                          "Bank Details first.");
}

// ---- safety --------------------------------------------------------------------------

QString bookNotWritable(const QString& path) {
    return QStringLiteral("The book %1 is read-only: the file or its folder may not be "
                          "changed.\r\n\r\nIt was left as it is.")
        .arg(QDir::toNativeSeparators(path));
}

QString bookChangeInProgress(const QString& path) {
    return QStringLiteral("Another program is still writing a change into the book %1.\r\n\r\n"
                          "The book was left as it is; try again when that program has finished.")
        .arg(QDir::toNativeSeparators(path));
}

QString bookOpenedReadOnly(const QString& path) {
    return QStringLiteral("The book %1 is read-only: the file or its folder may not be "
                          "changed.\r\n\r\nIt is opened for looking and printing only; the "
                          "commands that change the book are disabled.")
        .arg(QDir::toNativeSeparators(path));
}

QString bookLogUnreadable(const QString& path) {
    return QStringLiteral("The book %1 is read-only and kept in write-ahead mode, which cannot be "
                          "read safely from a folder you may not change while its log file (%2) "
                          "holds changes or others may write to the folder.\r\n\r\nIt was left "
                          "as it is. Open it once from a folder you may change, or ask for the "
                          "folder to be made writable.")
        .arg(QDir::toNativeSeparators(path),
             QDir::toNativeSeparators(path + QStringLiteral("-wal")));
}

namespace {

// "Quillan on host (process 123)", from what a book's lock file says; the lock file is named
// for the case the program is no longer running there.
QString lockHolder(const QString& path, const QString& host, qint64 processId) {
    QString holder = QStringLiteral("another Quillan program");
    if (!host.isEmpty())
        holder += QStringLiteral(" on %1").arg(host);
    if (processId > 0)
        holder += QStringLiteral(" (process %1)").arg(processId);
    return QStringLiteral("The book %1 is open in %2.").arg(QDir::toNativeSeparators(path), holder);
}

QString staleLockAdvice(const QString& path) {
    return QStringLiteral("If that program is no longer running, delete the file %1.")
        .arg(QDir::toNativeSeparators(path + QStringLiteral(".lock")));
}

} // namespace

QString bookInUseQuestion(const QString& path, const QString& host, qint64 processId,
                          bool inPlaceOfAnother) {
    return lockHolder(path, host, processId) + QStringLiteral(" ") + staleLockAdvice(path) +
           QStringLiteral("\r\n\r\nOpen it read-only, for looking and printing only? ") +
           (inPlaceOfAnother ? QStringLiteral("No opens the book that was open again.")
                             : QStringLiteral("No ends the program."));
}

QString bookInUseElsewhere(const QString& path, const QString& host, qint64 processId) {
    return lockHolder(path, host, processId) +
           QStringLiteral("\r\n\r\nIt was left as it is; close that program first and try "
                          "again. ") +
           staleLockAdvice(path);
}

QString bookDamaged(const QString& detail, const QString& lastBackup) {
    const QString advice =
        lastBackup.isEmpty()
            ? QStringLiteral("No backup of the book was found. Copy the book somewhere safe "
                             "before entering more work.")
            : QStringLiteral("The last backup is %1. Restore it with Tools > Restore Book... "
                             "before entering more work.")
                  .arg(QDir::toNativeSeparators(lastBackup));
    return QStringLiteral("The book is damaged: %1\r\n\r\n").arg(detail) + advice;
}

QString backupMade(const QString& path) {
    return QStringLiteral("The book was backed up to %1 and the backup was checked.")
        .arg(QDir::toNativeSeparators(path));
}

QString backupFailed(const QString& reason) {
    return QStringLiteral("The backup failed and was removed: %1").arg(reason);
}

QString restoreQuestion(const QString& backup) {
    return QStringLiteral("Replace the book with the backup %1?\r\n\r\nThe book as it is now "
                          "is backed up first.")
        .arg(QDir::toNativeSeparators(backup));
}

QString bookRestored(const QString& backup, const QString& safetyCopy) {
    return QStringLiteral("The book was restored from %1.\r\n\r\nThe book as it was before is "
                          "kept in %2.")
        .arg(QDir::toNativeSeparators(backup), QDir::toNativeSeparators(safetyCopy));
}

QString restoreFailed(const QString& reason) {
    return QStringLiteral("The book was not restored and is as it was: %1").arg(reason);
}

QString bookRestoredOverDamaged(const QString& backup, const QString& damagedCopy) {
    return QStringLiteral("The book was restored from %1.\r\n\r\nThe damaged book it replaced is "
                          "kept, byte for byte, as %2.")
        .arg(QDir::toNativeSeparators(backup), QDir::toNativeSeparators(damagedCopy));
}

QString restoredBookPutBack(const QString& reason) {
    return QStringLiteral("The restored book could not be opened: %1\r\n\r\nThe book it "
                          "replaced was put back in its place and is open again.")
        .arg(reason);
}

QString bookNotReopened(const QString& reason, const QString& keptPath) {
    return QStringLiteral("The book could not be opened after the restore: %1\r\n\r\nThe book "
                          "as it was before the restore is kept as %2. Quillan will close; put "
                          "that file in the book's place before starting it again.")
        .arg(reason, QDir::toNativeSeparators(keptPath));
}

QString copyingBook() {
    return QStringLiteral("Copying the book...");
}

QString checkingCopy() {
    return QStringLiteral("Checking the copy...");
}

QString movingIntoPlace() {
    return QStringLiteral("Moving it into place...");
}

} // namespace Messages
