#pragma once

#include <QString>
#include <QStringList>

// The texts the program shows in its message boxes, each written once. Windows and core
// code take their texts from here, and tests name them instead of copying them, so a text
// is changed in one place. Grouped by the part of the program that shows them; each group
// keeps its own section of this file and of messages.cpp.
namespace Messages {

// ---- amounts (every window that takes an amount) -------------------------------------
// An amount beyond what the book accepts.
QString amountOutOfRange();

// ---- book (opening, format, upgrades) ------------------------------------------------
// At start-up, when the book is not in the application directory.
QString missingBook(const QString& appDir);
// A file that is no book of this program (another program's, not SQLite, no book tables).
QString notABook(const QString& path);
// A book of a format newer than this version of the program reads.
QString newerBook(const QString& path);
// An upgrade that failed and was undone; `reason` is what went wrong.
QString upgradeFailed(const QString& path, const QString& reason);
// After an upgrade: where the copy of the book as it was is kept.
QString bookUpgraded(const QString& copyPath);
// Accounts held twice after blank departments became empty, to be merged by the user.
QString mergeAccounts(const QStringList& accountCodes);

// ---- entry (payment vouchers, receipts, bank entries) --------------------------------

// ---- masters (chart, departments, tax table, customers, vendors, find) ---------------

// ---- master files (export and import) ------------------------------------------------

// ---- setup (bank details, company, bank GL account, export settings) ------------------

// ---- shell (switchboard, start-up, compaction, help) ---------------------------------

} // namespace Messages
