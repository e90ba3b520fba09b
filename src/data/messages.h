#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The texts the program shows in its message boxes, each written once. Windows and core
// code take their texts from here, and tests name them instead of copying them, so a text
// is changed in one place. Grouped by the part of the program that shows them; each group
// keeps its own section of this file and of messages.cpp (the month-end and safety groups:
// monthendmessages.cpp).
namespace Messages {

// ---- amounts (every window that takes an amount) -------------------------------------
// An amount beyond what the book accepts.
QString amountOutOfRange();

// ---- records (every window that saves and deletes records) ---------------------------
// Save with no record shown.
QString noRecordToSave();
// A record written by Save in the entry windows and the bank GL account window.
QString saved();
// A record written by Save in the master and setup windows.
QString recordSaved();
// Delete with no record shown.
QString noRecordsToDelete();
// The question before one record is deleted.
QString confirmDelete();

// ---- book (opening, format, upgrades) ------------------------------------------------
// A book named (on the command line, in the File menu) that is not there; nothing is made.
QString missingBook(const QString& path);
// A new book asked for where a file already is; the file is left as it is.
QString bookExists(const QString& path);
// A new book that could not be written; `reason` is what went wrong.
QString bookNotMade(const QString& path, const QString& reason);
// The first start with no book anywhere: the question before one is made at `path`.
QString firstBookQuestion(const QString& path);
// The main window's title: the book it works in (`shownPath`), marked when only read.
QString mainWindowTitle(const QString& shownPath, bool readOnly);
// A file that is no book of this program (another program's, not SQLite, no book tables).
QString notABook(const QString& path);
// A book of a format newer than this version of the program reads.
QString newerBook(const QString& path);
// A book marked as the program's whose format version no version of the program made.
QString unknownBookFormat(const QString& path, qint64 version);
// A book that does not hold exactly what the program makes for its format; `differences`
// are phrases made by the three below.
QString bookNotAsMade(const QString& path, const QStringList& differences);
// `kind` is "table", "index", "trigger", "view" or "field"; a field is named table.field.
QString schemaExtra(const QString& kind, const QString& name);
QString schemaMissing(const QString& kind, const QString& name);
QString schemaChanged(const QString& kind, const QString& name);
// An upgrade that failed and was undone; `reason` is what went wrong.
QString upgradeFailed(const QString& path, const QString& reason);
// After an upgrade: where the copy of the book as it was is kept.
QString bookUpgraded(const QString& copyPath);
// Accounts held twice after blank departments became empty, to be merged by the user.
QString mergeAccounts(const QStringList& accountCodes);

// ---- server books (a book in a PostgreSQL database) ----------------------------------
// A server book's address that cannot be read; `reason` says what is wrong in it.
QString badServerUri(const QString& uri, const QString& reason);
// No server answered at `server` (down, or not reachable from here); `detail` is the
// connection library's own words.
QString serverUnreachable(const QString& server, const QString& uri, const QString& detail);
// The server answered but refused the login or the database; `detail` as above.
QString serverRefusedLogin(const QString& server, const QString& uri, const QString& detail);
// Qt's PostgreSQL driver (Debian's libqt6sql6-psql) is not installed.
QString serverDriverMissing();
// A database that holds no book of this program.
QString notAServerBook(const QString& uri);
// A new book or a copy asked for in a database (or file) that already holds tables.
QString targetNotEmpty(const QString& target);
// A copy of a book whose tables did not come out the same: `differences` name each table.
QString copyDiffers(const QString& target, const QStringList& differences);
// A copy of the book whose pages failed the engine's check (`found`: what the check found).
QString copyNotSound(const QString& copy, const QString& found);

// ---- entry (payment vouchers, receipts, bank entries) --------------------------------
QString notANumber();
QString missingAmount();
QString missingType();
QString missingAccount();
QString missingTransId(); // bank entries
QString duplicateNumber();
QString moveRefused();
QString closeQuestion();
QString negativeAmountQuestion();
QString unknownAccount();
// A typed account code that the chart holds under more than one department.
QString accountHasDepartments(const QString& code);
QString unknownTaxCode();
// A tax amount whose tax code posts to no GL account.
QString taxCodeWithoutAccount();
QString bankAccountAsOffset();
QString apControlAsOffset();
QString arControlAsOffset();
// Saving any entry while the bank's own GL account is not set.
QString bankAccountNotSet();
QString notSaved();
QString deleteNotOutstanding();

// ---- masters (chart, departments, tax table, customers, vendors, find) ---------------
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
// Asked before the fiscal period and bank details become editable.
QString bankDetailsEditQuestion();
// A next voucher or receipt number that is not a whole number.
QString onlyNumbersForVouchers();
QString onlyNumbersForReceipts();
// Added to the two above when the user leaves a numbering field.
QString distinctNumberingAdvice();
// A take-on bank balance that is not an amount.
QString takeOnBalanceNotAmount();
// A required setting left empty: "Must enter <what>.".
QString mustEnterSetting(const QString& what);
QString mustEnterCompanyName();
// Save with no settings row in the book.
QString noSettingsRecordToSave();

// ---- shell (switchboard, start-up, compaction, help) ---------------------------------
// Any failure a handler reports: five lines, six when it names the window.
QString errorReport(qint64 number, const QString& description, const QString& form,
                    const QString& routine);
// The twelve-line list shown for a function key without an action.
QString functionKeyList();
QString quitQuestion();
QString aboutText();

// ---- statement (bank statement import on the reconciliation screen) -------------------
// A statement file that cannot be opened.
QString statementUnreadable(const QString& path, const QString& reason);
// A statement file that cannot be read as its format; `detail` names the line at fault.
QString statementRefused(const QString& detail);
// Asked when a statement file holds several accounts, or none with the book's bank account
// number (`bookAccount`, which may be empty); the answers are statementAccountChoice texts.
QString statementWhichAccount(const QString& bookAccount);
// One account of a statement file: its identifier, its number of lines and their dates.
QString statementAccountChoice(const QString& account, qint64 lines, const QDate& from,
                               const QDate& to);
// A statement in another currency than the book's home currency; Yes imports it.
QString statementCurrencyQuestion(const QString& currency, const QString& homeCurrency);
// Entries of the statement the bank has not booked yet were left out.
QString statementPendingLeftOut(qint64 entries);
QString statementEmpty();
// Every line of the statement is in the book already.
QString statementAlreadyImported();
// After the user accepted: lines kept and transactions reconciled.
QString statementImported(qint64 lines, qint64 reconciled);
// Accepting failed and nothing was written; `reason` says why.
QString statementNotImported(const QString& reason);
// Asked after accepting when lines have no transaction in the book.
QString statementEntriesQuestion(qint64 lines);
// A bank entry from a statement line without a number.
QString statementEntryNeedsId();
// A comma-delimited statement's debit/credit indicator that is neither value of the mapping.
QString statementCsvIndicator(const QString& value, const QString& debitValue,
                              const QString& creditValue);
// A column mapping with an indicator column but not two different values for it.
QString statementCsvIndicatorValues();

// ---- reconciliation (balances, reconciliation screen, period end) --------------------
// The question before period-end processing; month is the current month's name.
QString periodEndQuestion(const QString& month, const QString& year);
QString periodEndCompleted(const QString& month, const QString& year);
// A status typed into the reconciliation grid that is no status code; the stored one is kept.
QString statusNotAllowed(const QString& typed);
// A status change the book refused; nothing was changed.
QString statusNotSaved(const QString& transId, const QString& reason);
// The start-up check found the balances' totals out of step with the transactions and
// counted them again.
QString totalsRecounted();

// ---- gl export (the GL batch file for Accpac / Adagio) --------------------------------
// The first question of the export (Yes/No, Yes the default).
QString exportToAccpacQuestion();
// Whether transactions exported before go into the file (Yes/No, No the default).
QString includeExportedQuestion();
// The GL distribution found no transaction to distribute.
QString noCurrentMonthTransactions();
// After the file is written (Yes/No, Yes the default).
QString markExportedQuestion();
QString exportedAndMarked();
// A text of a transaction, or a setting, that the Windows-1252 batch file cannot hold.
QString transactionTextNotWritable(const QString& transId, const QString& date,
                                   const QString& field, const QString& text);
QString settingTextNotWritable(const QString& setting, const QString& text);

// ---- reports (preview, printing, selection windows) ----------------------------------
// Printing found no printer, or the printer could not be started.
QString printingError();
// "Print / Preview" with no voucher or receipt chosen in the list.
QString paymentVoucherNotSelected();
QString receiptNotSelected();
// A report of the current fiscal month when the settings name no month.
QString noCurrentFiscalMonth();
// The cash position chart could not be written to the file the user chose.
QString pictureNotSaved(const QString& path);

// ---- safety (compaction, read-only books, the start-up check, backups) ---------------
// A book the user may not change, named by its real file (compaction, restore).
QString bookNotWritable(const QString& path);
// Compaction found another program's change still being written into the book.
QString bookChangeInProgress(const QString& path);
// Start-up: the book opens for looking and printing only.
QString bookOpenedReadOnly(const QString& path);
// A write-ahead book in a folder the user may not write cannot be read safely: its log holds
// changes, or others may write in the folder.
QString bookLogUnreadable(const QString& path);
// Opening: another Quillan program has the book open (its lock names the host and process;
// a process id of 0 is not known). Yes opens it read-only; No ends the program at start-up,
// and opens the book that was open again when this one was to take its place.
QString bookInUseQuestion(const QString& path, const QString& host, qint64 processId,
                          bool inPlaceOfAnother = false);
// Compaction or restore while another Quillan program has the book open.
QString bookInUseElsewhere(const QString& path, const QString& host, qint64 processId);
// The start-up check found damage; `lastBackup` is empty when there is none.
QString bookDamaged(const QString& detail, const QString& lastBackup);
QString backupMade(const QString& path);
// A backup that was not made or did not pass its check.
QString backupFailed(const QString& reason);
QString restoreQuestion(const QString& backup);
// After a restore: where the book as it was before is kept.
QString bookRestored(const QString& backup, const QString& safetyCopy);
QString restoreFailed(const QString& reason);
// After a restore over a damaged book: where that book is kept, byte for byte.
QString bookRestoredOverDamaged(const QString& backup, const QString& damagedCopy);
// The restored book did not open, so the book it replaced went back in its place.
QString restoredBookPutBack(const QString& reason);
// After a restore no book could be opened; `keptPath` holds the book as it was before.
QString bookNotReopened(const QString& reason, const QString& keptPath);
// The steps of a backup, a restore, period end and compaction, in their progress dialog.
QString copyingBook();
QString checkingCopy();
QString movingIntoPlace();

// The notices shown when a payment voucher or receipt is about to be entered in a book
// without a single vendor or customer.
QString noVendorsNotice();
QString noCustomersNotice();

} // namespace Messages
