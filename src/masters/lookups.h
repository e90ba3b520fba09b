#pragma once

#include <QString>
#include <optional>

class QWidget;
struct Services;

// The lookup protocol: each opens a master window modally as a chooser. It first empties
// the strings it will read, shows the window, and returns true when a choice came back
// (the chooser's key string is not empty). The values are in services.lookup:
//   chart of accounts: LookupValue1 code, 2 department, 3 description
//   departments:       LookupValue2 code
//   tax table:         LookupValue4 code, 5 rate as shown ("7.00%"), 6 GL account, 7 GL dept
//   customers/vendors: LookupValue1 .. 7 (number, name, four address lines, postal code)
//   statuses:          LookupValue1 status code
bool lookupChartOfAccounts(Services& services, QWidget* parent);
bool lookupDepartment(Services& services, QWidget* parent);
bool lookupTaxCode(Services& services, QWidget* parent);
bool lookupCustomer(Services& services, QWidget* parent);
bool lookupVendor(Services& services, QWidget* parent);
bool lookupTransactionStatus(Services& services, QWidget* parent);

// After a modal chooser or dialog has closed: makes focus's window the active one again
// (with no window manager nothing else does, and the keys of the next field would go
// nowhere) and gives focus the keyboard focus.
void returnAfterChooser(QWidget* focus);

// The find dialog: empties FindResult, shows frmFind with the prompt and the list query,
// and returns the chosen entry (nothing when cancelled or nothing chosen).
std::optional<QString> findValue(Services& services, QWidget* parent, const QString& caption,
                                 const QString& listQuery);
