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

QString noRecordToSave() {
    return QStringLiteral("There is no record to save.");
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

// ---- setup ---------------------------------------------------------------------------

// ---- shell ---------------------------------------------------------------------------

} // namespace Messages
