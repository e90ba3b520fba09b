#pragma once

#include "masters/choices.h"

#include <QString>
#include <optional>

class QWidget;
struct Services;

// The lookups: each opens a master window modally as a chooser and returns what was
// chosen in it, or nothing when it was closed without a choice.
std::optional<AccountChoice> lookupChartOfAccounts(Services& services, QWidget* parent);
std::optional<QString> lookupDepartment(Services& services, QWidget* parent);
std::optional<TaxChoice> lookupTaxCode(Services& services, QWidget* parent);
std::optional<PartyChoice> lookupCustomer(Services& services, QWidget* parent);
std::optional<PartyChoice> lookupVendor(Services& services, QWidget* parent);
std::optional<QString> lookupTransactionStatus(Services& services, QWidget* parent);

// After a modal chooser or dialog has closed: makes focus's window the active one again
// (with no window manager nothing else does, and the keys of the next field would go
// nowhere) and gives focus the keyboard focus.
void returnAfterChooser(QWidget* focus);

// The find dialog: shows frmFind with the prompt and the list query,
// and returns the chosen entry (nothing when cancelled or nothing chosen).
std::optional<QString> findValue(Services& services, QWidget* parent, const QString& caption,
                                 const QString& listQuery);
