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

// ---- master files (export and import) ------------------------------------------------
// The questions before each export and import (Yes/No, No the default).
QString exportAccountsQuestion();
QString exportCustomersQuestion();
QString exportVendorsQuestion();
QString importAccountsQuestion();
QString importCustomersQuestion();
QString importVendorsQuestion();
QString noRecordsToExport();
QString exportCancelled();
// The save dialog's question when the chosen file does not exist yet.
QString createFileQuestion(const QString& path);
// An export aimed at the open book or one of its working files.
QString exportOverBook(const QString& path);
QString exportSucceeded(const QString& path, qint64 records);
QString viewExportQuestion();
// Asked when an imported record's key is already in the table.
QString duplicateAccount(const QString& code, const QString& department,
                         const QString& description);
QString duplicateCustomer(const QString& id, const QString& name);
QString duplicateVendor(const QString& id, const QString& name);
QString recordsAdded(qint64 count);

// ---- setup (bank details, company, bank GL account, export settings) ------------------

// ---- shell (switchboard, start-up, compaction, help) ---------------------------------

} // namespace Messages
