#pragma once

#include <QString>

// The texts the program shows in its message boxes, each written once. Windows and core
// code take their texts from here, and tests name them instead of copying them, so a text
// is changed in one place. Grouped by the part of the program that shows them; each group
// keeps its own section of this file and of messages.cpp.
namespace Messages {

// ---- amounts (every window that takes an amount) -------------------------------------
// An amount beyond what the book accepts.
QString amountOutOfRange();

// ---- book (opening, format, upgrades) ------------------------------------------------

// ---- entry (payment vouchers, receipts, bank entries) --------------------------------

// ---- masters (chart, departments, tax table, customers, vendors, find) ---------------
// Save in a master window that holds no record.
QString noRecordToSave();
// A master record written by Save.
QString recordSaved();
// Delete in a master window that holds no record.
QString noRecordsToDelete();
// The question before one master record is deleted.
QString confirmDelete();
// A chart row written without an account code.
QString accountCodeRequired();
// A department row written without a code.
QString departmentCodeRequired();
// The question before the whole chart of accounts is deleted.
QString confirmDeleteAllAccounts();
// The question before the sample chart is copied in.
QString confirmRestoreSampleChart();
// The sample chart holds an account the chart already has.
QString sampleChartWouldDuplicate();
// A rate cell whose text is no percentage; column is the column's heading.
QString notAPercentage(const QString& column);
// A customer or vendor record without its number or its name; noun is "Customer" or "Vendor".
QString partyNumberRequired(const QString& noun);
QString partyNameRequired(const QString& noun);
// Follows the missing-field message when Save was pressed.
QString notValidatedNotSaved();
// The entry chosen in the find dialog is in no record; label ends in a space ("Customer ").
QString notFound(const QString& label, const QString& value);

// ---- master files (export and import) ------------------------------------------------

// ---- setup (bank details, company, bank GL account, export settings) ------------------

// ---- shell (switchboard, start-up, compaction, help) ---------------------------------

} // namespace Messages
