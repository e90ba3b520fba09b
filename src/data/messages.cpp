#include "messages.h"

namespace Messages {

// ---- amounts -------------------------------------------------------------------------

QString amountOutOfRange() {
    return QStringLiteral("Amounts must lie between -$999,999,999,999.99 and "
                          "$999,999,999,999.99.");
}

// ---- book ----------------------------------------------------------------------------

// ---- entry ---------------------------------------------------------------------------

// ---- masters -------------------------------------------------------------------------

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

// ---- shell ---------------------------------------------------------------------------

} // namespace Messages
