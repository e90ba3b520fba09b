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

// ---- setup (bank details, company, bank GL account, export settings) ------------------

// ---- shell (switchboard, start-up, compaction, help) ---------------------------------

} // namespace Messages
