#pragma once

#include "data/money.h"

#include <QString>
#include <optional>

// What every cashbook entry window checks the same way: the settings the record check
// compares with, the offset account's refusals, the amount text, and the messages the
// windows share.
namespace EntryRules {

// The settings the record check compares with.
struct Settings {
    QString bankAccount; // GLBankAccountCode
    QString bankDept;    // BankAccountDept
    bool integrateWithAP = false;
    QString apControl; // GLAPControl
    bool integrateWithAR = false;
    QString arControl; // GLARControl
};

// The first check that failed: its message and the field that gets the focus.
struct Refusal {
    QString message;
    QString field; // objectName
};

// Two codes compared as the book compares text: without regard to case.
bool sameCode(const QString& a, const QString& b);

// A field text read as an amount; nothing for blank text. Throws Failure (type mismatch)
// for text that is not an amount.
std::optional<Money> amount(const QString& text);
// Whether a non-blank text reads as an amount.
bool isAmount(const QString& text);
// Refuses an amount field whose text is an amount beyond what the book accepts
// (Money::withinEntryLimit); blank text and text that is not an amount pass here.
std::optional<Refusal> limitRefusal(const QString& text, const QString& field);

// The offset account's checks, in their order: it must be given, and it must be neither the
// bank's own GL account nor, while integrated with AP or AR, the AP or AR control account.
// The refusal names cboGLOffsetAccountCode.
std::optional<Refusal> offsetAccountRefusal(const QString& account, const Settings& settings);
// The record check's last step: the offset account's checks and, when they pass, the bank
// side takes the settings' bank GL account and department.
// The rules of writing a row, checked only when a row is about to be written (Save, or a
// changed row left or closed), so that a stored row that breaks them can still be viewed and
// left: the bank's GL account must be set, or the bank side would post to no account.
std::optional<Refusal> writeRefusal(const Settings& settings);
std::optional<Refusal> settleAccounts(const QString& offsetAccount, const Settings& settings,
                                      QString& bankAccount, QString& bankDept);

} // namespace EntryRules
