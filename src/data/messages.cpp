#include "messages.h"

#include <QDir>

namespace Messages {

// ---- amounts -------------------------------------------------------------------------

QString amountOutOfRange() {
    return QStringLiteral("Amounts must lie between -$999,999,999,999.99 and "
                          "$999,999,999,999.99.");
}

// ---- records -------------------------------------------------------------------------

QString noRecordToSave() {
    return QStringLiteral("There is no record to save.");
}

QString saved() {
    return QStringLiteral("Saved.");
}

QString recordSaved() {
    return QStringLiteral("Saved!");
}

QString noRecordsToDelete() {
    return QStringLiteral("There are no records to delete.");
}

QString confirmDelete() {
    return QStringLiteral("Are you sure?");
}

// ---- book ----------------------------------------------------------------------------

QString missingBook(const QString& path) {
    return QStringLiteral("The book %1 was not found.\r\n\r\nNothing was made in its place. "
                          "To start a new book there, use New Book... on the File menu.")
        .arg(QDir::toNativeSeparators(path));
}

QString bookExists(const QString& path) {
    return QStringLiteral("The file %1 already exists.\r\n\r\nA new book is never written over "
                          "a file: choose another name.")
        .arg(QDir::toNativeSeparators(path));
}

QString bookNotMade(const QString& path, const QString& reason) {
    return QStringLiteral("The book %1 could not be made.\r\n\r\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString firstBookQuestion(const QString& path) {
    return QStringLiteral("There is no book yet. Quillan keeps a business's cashbook in a book "
                          "file.\r\n\r\nMake a new book at %1?")
        .arg(QDir::toNativeSeparators(path));
}

QString mainWindowTitle(const QString& shownPath, bool readOnly) {
    return QStringLiteral("%1%2 - Quillan - Main Menu")
        .arg(shownPath, readOnly ? QStringLiteral(" (read-only)") : QString());
}

QString notABook(const QString& path) {
    return QStringLiteral("The file %1 is not a Quillan book.\r\n\r\nIt was left as it is.")
        .arg(QDir::toNativeSeparators(path));
}

QString newerBook(const QString& path) {
    return QStringLiteral("The book %1 was made by a newer version of Quillan and cannot be "
                          "opened by this one.\r\n\r\nIt was left as it is.")
        .arg(QDir::toNativeSeparators(path));
}

QString unknownBookFormat(const QString& path, qint64 version) {
    return QStringLiteral("The book %1 carries the format number %2, which no version of Quillan "
                          "made, so it cannot be opened.\r\n\r\nIt was left as it is.")
        .arg(QDir::toNativeSeparators(path))
        .arg(version);
}

QString bookNotAsMade(const QString& path, const QStringList& differences) {
    return QStringLiteral("The book %1 is not as Quillan makes a book of its format: %2.\r\n\r\n"
                          "It was left as it is.")
        .arg(QDir::toNativeSeparators(path), differences.join(QStringLiteral("; ")));
}

QString schemaExtra(const QString& kind, const QString& name) {
    return QStringLiteral("it holds the %1 %2, which Quillan does not make").arg(kind, name);
}

QString schemaMissing(const QString& kind, const QString& name) {
    return QStringLiteral("it has no %1 %2").arg(kind, name);
}

QString schemaChanged(const QString& kind, const QString& name) {
    return QStringLiteral("its %1 %2 is not as Quillan makes it").arg(kind, name);
}

QString upgradeFailed(const QString& path, const QString& reason) {
    return QStringLiteral("The book %1 could not be brought up to date for this version of "
                          "Quillan, so it was left exactly as it was.\r\n\r\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString bookUpgraded(const QString& copyPath) {
    return QStringLiteral("The book was brought up to date for this version of Quillan. A copy "
                          "of it as it was before is kept as %1.")
        .arg(QDir::toNativeSeparators(copyPath));
}

QString mergeAccounts(const QStringList& accountCodes) {
    return QStringLiteral("These accounts are held twice in the chart of accounts, once with no "
                          "department and once with a blank one: %1.\r\n\r\nEntries now use "
                          "the one with no department. In the Chart of Accounts, keep the right "
                          "description on it and delete the other.")
        .arg(accountCodes.join(QStringLiteral(", ")));
}

// ---- server books --------------------------------------------------------------------

QString badServerUri(const QString& uri, const QString& reason) {
    return QStringLiteral("The book's address %1 cannot be read: %2.").arg(uri, reason);
}

QString serverUnreachable(const QString& server, const QString& uri, const QString& detail) {
    return QStringLiteral("The database server %1 did not answer, so the book %2 cannot be "
                          "opened. The server may be stopped, or not reachable from this "
                          "computer.\r\n\r\n%3")
        .arg(server, uri, detail.trimmed());
}

QString serverRefusedLogin(const QString& server, const QString& uri, const QString& detail) {
    return QStringLiteral("The database server %1 refused to open the book %2 for you. Check "
                          "the user name, the password and the database name.\r\n\r\n%3")
        .arg(server, uri, detail.trimmed());
}

QString serverDriverMissing() {
    return QStringLiteral("A book on a database server needs Qt's PostgreSQL driver, which is "
                          "not installed (on Debian, the package libqt6sql6-psql).");
}

QString notAServerBook(const QString& uri) {
    return QStringLiteral("The database %1 does not hold a Quillan book.\r\n\r\nIt was left "
                          "as it is.")
        .arg(uri);
}

QString targetNotEmpty(const QString& target) {
    return QStringLiteral("%1 already holds tables. A book is made or copied only into an empty "
                          "database or a new file; it was left as it is.")
        .arg(target);
}

QString copyDiffers(const QString& target, const QStringList& differences) {
    return QStringLiteral("The copy in %1 does not hold what the book holds, so it was not kept: "
                          "%2.")
        .arg(target, differences.join(QStringLiteral("; ")));
}

QString copyNotSound(const QString& copy, const QString& found) {
    return QStringLiteral("The copy %1 of the book failed its integrity check: %2")
        .arg(copy, found);
}

// ---- entry ---------------------------------------------------------------------------

QString notANumber() {
    return QStringLiteral("Must enter a number.");
}

QString missingAmount() {
    return QStringLiteral("Must enter an amount.");
}

QString missingType() {
    return QStringLiteral("Must enter a Transaction Type.");
}

QString missingAccount() {
    return QStringLiteral("Must enter a GL Account Code.");
}

QString missingTransId() {
    return QStringLiteral("Must enter a transaction ID.");
}

QString duplicateNumber() {
    return QStringLiteral(
        "That Transaction ID appears to already exist.\r\nTransaction IDs must be "
        "unique.\r\n\r\nPlease enter a new one.");
}

QString moveRefused() {
    return QStringLiteral("The record has not passed validation.\r\n\r\nTherefore, you cannot move "
                          "to the next/previous record.");
}

QString closeQuestion() {
    return QStringLiteral("The record has not passed validation.\r\n\r\nIf you close, your changes "
                          "will be abandoned.\r\n\r\nDo you wish to close?");
}

QString negativeAmountQuestion() {
    return QStringLiteral("You have entered a negative amount.\r\n\r\nAre you sure?");
}

QString unknownAccount() {
    return QStringLiteral("That Account Code is unknown.\r\n\r\nPlease select from an existing "
                          "Account Code, \r\nor create a new one.");
}

QString accountHasDepartments(const QString& code) {
    return QStringLiteral("Account Code %1 has more than one department.\r\n\r\nPlease choose the "
                          "account and its department from the list (Alt+Down).")
        .arg(code);
}

QString unknownTaxCode() {
    return QStringLiteral("That Tax Code is unknown.\r\n\r\nPlease select from an existing Tax "
                          "Code, \r\nor create a new one in the Tax Table.");
}

QString taxCodeWithoutAccount() {
    return QStringLiteral(
        "The Tax Code has no GL Account Code, so the tax amount\r\nwould be posted "
        "to no account.\r\n\r\nPlease set its GL Account Code in the Tax Table.");
}

QString bankAccountAsOffset() {
    return QStringLiteral("You cannot select the GL Bank Account Code\r\nas it is the control "
                          "account and is used \r\nautomatically as one half of the "
                          "double-entry\r\nbook-keeping.");
}

QString apControlAsOffset() {
    return QStringLiteral("Integrated with AP.  Therefore, you cannot\r\nchoose the AP Control "
                          "Account.");
}

QString arControlAsOffset() {
    return QStringLiteral("Integrated with AR.  Therefore, you cannot\r\nchoose the AR Control "
                          "Account.");
}

QString bankAccountNotSet() {
    return QStringLiteral("The bank's GL Account Code is not set, so this entry would post its "
                          "bank side\r\nto no account.\r\n\r\nPlease set it first: Setup, Bank "
                          "GL Account Code.");
}

QString notSaved() {
    return QStringLiteral("Not saved.");
}

QString deleteNotOutstanding() {
    return QStringLiteral("Cannot delete when Reconciliation Status\r\nis not Outstanding.");
}

// ---- masters -------------------------------------------------------------------------

QString accountCodeRequired() {
    return QStringLiteral("Must enter an Account Code.");
}

QString departmentCodeRequired() {
    return QStringLiteral("Must enter a Department Code.");
}

QString confirmDeleteAllAccounts() {
    return QStringLiteral("This will delete all the records.  \r\n\r\nAre you sure?");
}

QString confirmRestoreSampleChart() {
    return QStringLiteral("This will restore the sample CoA.\r\n\r\nAfter restoring, the form "
                          "will close.\r\nYou will need to re-open the form to \r\nsee the "
                          "restored CoA.");
}

QString sampleChartWouldDuplicate() {
    return QStringLiteral("That would cause duplicate accounts.");
}

QString notAPercentage(const QString& column) {
    return column + QStringLiteral(" must be a percentage, such as 7, 7.5 or 7.00%.");
}

QString partyNumberRequired(const QString& noun) {
    return QStringLiteral("Must enter %1 Number.").arg(noun);
}

QString partyNameRequired(const QString& noun) {
    return QStringLiteral("Must enter %1 Name.").arg(noun);
}

QString notValidatedNotSaved() {
    return QStringLiteral("Has not passed validation so not saved!");
}

QString notFound(const QString& label, const QString& value) {
    return label + value + QStringLiteral(" was not found.");
}

// ---- master files --------------------------------------------------------------------

// Named apart from the other sections' helpers.
namespace masterFileParts {
const QString crlf = QStringLiteral("\r\n");
const QString continueQuestion = QStringLiteral("\r\n\r\nDo you wish to continue?");

QString exportPeopleQuestion(const QString& firstLine) {
    return firstLine + crlf +
           QStringLiteral("Address1, Address2, Address3, Address4 and Postal Code to a text file "
                          "(*.txt).") +
           continueQuestion;
}

// The import questions end alike: what is added and what must be done first.
QString importQuestion(const QString& head, const QString& addsLine) {
    return head + crlf + crlf + addsLine + crlf + QStringLiteral("this would cause duplication. ") +
           crlf + crlf +
           QStringLiteral("Before this procedure can work, you must have already exported ") +
           crlf +
           QStringLiteral("eg from Accpac / Adagio those fields to a text file using comma "
                          "delimited format.") +
           continueQuestion;
}

QString importPeopleQuestion(const QString& firstLine, const QString& addsLine) {
    return importQuestion(firstLine + crlf +
                              QStringLiteral("Address1, Address2, Address3, Address4 and Postal "
                                             "Code from ") +
                              crlf + QStringLiteral("a text file (*.txt, *.csv)."),
                          addsLine);
}

QString duplicatePerson(const QString& idLabel, const QString& id, const QString& nameLabel,
                        const QString& name) {
    return idLabel + id + crlf + nameLabel + name + crlf + crlf +
           QStringLiteral("appears to be a duplicate and will not be imported.") + continueQuestion;
}
} // namespace masterFileParts

QString exportAccountsQuestion() {
    return QStringLiteral("This procedure exports the fields account codes, departments ") +
           masterFileParts::crlf + QStringLiteral("and descriptions to a text file (*.txt).") +
           masterFileParts::continueQuestion;
}

QString exportCustomersQuestion() {
    return masterFileParts::exportPeopleQuestion(
        QStringLiteral("This procedure exports the fields Customer ID, Customer Name, "));
}

QString exportVendorsQuestion() {
    return masterFileParts::exportPeopleQuestion(
        QStringLiteral("This procedure exports the fields Vendor ID, Vendor Name, "));
}

QString importAccountsQuestion() {
    return masterFileParts::importQuestion(
        QStringLiteral("This procedure imports the fields account codes, departments ") +
            masterFileParts::crlf +
            QStringLiteral("and descriptions from a text file (*.txt, *.csv)."),
        QStringLiteral("It will add the accounts to any existing accounts except where "));
}

QString importCustomersQuestion() {
    return masterFileParts::importPeopleQuestion(
        QStringLiteral("This procedure imports the fields Customer Number, Customer Name,"),
        QStringLiteral("It will add the Customers to any existing records except where "));
}

QString importVendorsQuestion() {
    return masterFileParts::importPeopleQuestion(
        QStringLiteral("This procedure imports the fields Vendor Number, Vendor Name,"),
        QStringLiteral("It will add the Vendors to any existing records except where "));
}

QString noRecordsToExport() {
    return QStringLiteral("There are no records to export.");
}

QString exportCancelled() {
    return QStringLiteral("The export operation was cancelled.") + masterFileParts::crlf;
}

QString createFileQuestion(const QString& path) {
    return QStringLiteral("The file ") + path + QStringLiteral(" does not exist.") +
           masterFileParts::crlf + masterFileParts::crlf +
           QStringLiteral("Do you want to create it?");
}

QString exportOverBook(const QString& path) {
    return path + masterFileParts::crlf + masterFileParts::crlf +
           QStringLiteral("is the open cashbook or one of its working files. An export cannot "
                          "be written over it.") +
           masterFileParts::crlf + masterFileParts::crlf +
           QStringLiteral("Nothing was exported. Choose another file name.");
}

QString exportSucceeded(const QString& path, qint64 records) {
    return QStringLiteral("Export File ") + path + QStringLiteral(" successfully created.") +
           masterFileParts::crlf + masterFileParts::crlf + QString::number(records) +
           QStringLiteral(" records exported.") + masterFileParts::crlf;
}

QString viewExportQuestion() {
    return QStringLiteral("Would you like to view the contents of the exported file?");
}

QString duplicateAccount(const QString& code, const QString& department,
                         const QString& description) {
    return QStringLiteral("Account Code:  ") + code + masterFileParts::crlf +
           QStringLiteral("Dept Code:     ") + department + masterFileParts::crlf +
           QStringLiteral("Description:   ") + description + masterFileParts::crlf +
           masterFileParts::crlf + QStringLiteral("is a duplicate and will not be imported.") +
           masterFileParts::continueQuestion;
}

QString duplicateCustomer(const QString& id, const QString& name) {
    return masterFileParts::duplicatePerson(QStringLiteral("Customer ID:  "), id,
                                            QStringLiteral("Customer Name: "), name);
}

QString duplicateVendor(const QString& id, const QString& name) {
    return masterFileParts::duplicatePerson(QStringLiteral("Vendor ID:  "), id,
                                            QStringLiteral("Vendor Name: "), name);
}

QString recordsAdded(qint64 count) {
    return QStringLiteral("Records Added:  ") + QString::number(count);
}

// ---- setup ---------------------------------------------------------------------------

QString bankDetailsEditQuestion() {
    return QStringLiteral("Please note that the settings here \r\nare extremely important for "
                          "the proper\r\nfunctioning of the Cashbook.\r\n\r\nOnce setup, these "
                          "settings should be left alone.\r\n\r\nBy default, the values are "
                          "read-only.\r\n\r\nDo you wish to modify them?");
}

QString onlyNumbersForVouchers() {
    return QStringLiteral(
        "You are allowed to enter only numbers\r\nfor automatic Payment Voucher numbering.");
}

QString onlyNumbersForReceipts() {
    return QStringLiteral(
        "You are allowed to enter only numbers\r\nfor automatic Receipt numbering.");
}

QString distinctNumberingAdvice() {
    return QStringLiteral("\r\n\r\nYour numbering sequence for Payment Vouchers \r\nand "
                          "Receipts should be different.");
}

QString takeOnBalanceNotAmount() {
    return QStringLiteral(
        "The Take-on Bank Balance must be an amount,\r\nfor example 1,234.56 or -250.00.");
}

QString mustEnterSetting(const QString& what) {
    return QStringLiteral("Must enter %1.").arg(what);
}

QString mustEnterCompanyName() {
    return QStringLiteral("Must enter a Company Name.");
}

QString noSettingsRecordToSave() {
    return QStringLiteral("There is no record to save.");
}

// ---- shell ---------------------------------------------------------------------------

QString errorReport(qint64 number, const QString& description, const QString& form,
                    const QString& routine) {
    const QString crlf = QStringLiteral("\r\n");
    QString text = QStringLiteral("An error has occurred.") + crlf + crlf +
                   QStringLiteral("Error Number: ") + QString::number(number) + crlf +
                   QStringLiteral("Error Description: ") + description + crlf;
    if (!form.isEmpty())
        text += QStringLiteral("Form: ") + form + crlf;
    return text + QStringLiteral("Routine: ") + routine;
}

QString functionKeyList() {
    return QStringLiteral("F1  - Help\r\nF2  - Calculator\r\nF3  - Undefined\r\nF4  - Undefined\r\n"
                          "F5  - Undefined\r\nF6  - Undefined\r\nF7  - Undefined\r\n"
                          "F8  - Undefined\r\nF9  - Undefined\r\nF10 - Quit Quillan\r\n"
                          "F11 - Undefined\r\nF12 - Undefined");
}

QString quitQuestion() {
    return QStringLiteral("Do you wish to quit Quillan?");
}

QString aboutText() {
    return QStringLiteral("Quillan v1.0\r\n\r\n"
                          "Design Philosophy: Does the Job;Easy to Use; Affordable to Buy\r\n\r\n"
                          "Written by the Quillan project.\r\n"
                          "A cashbook for the small business:\r\n"
                          "payments, receipts, bank reconciliation,\r\n"
                          "period-end processing and month-end reports,\r\n"
                          "all kept in one book.\r\n\r\n"
                          "Quillan is free software, released under the\r\n"
                          "GNU General Public License version 3 or later.");
}

namespace {

QString noRowsNotice(const QString& plural, const QString& entries) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Please note that you have not yet defined") + crlf +
           QStringLiteral("any ") + plural + QStringLiteral(".") + crlf + crlf +
           QStringLiteral("You are advised to define ") + plural + QStringLiteral(" before") +
           crlf + QStringLiteral("creating ") + entries + QStringLiteral(".");
}

} // namespace

QString noVendorsNotice() {
    return noRowsNotice(QStringLiteral("vendors"), QStringLiteral("Payment Vouchers"));
}

QString noCustomersNotice() {
    return noRowsNotice(QStringLiteral("customers"), QStringLiteral("Receipts"));
}

} // namespace Messages
