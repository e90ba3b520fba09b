#pragma once

#include <QString>
#include <functional>
#include <memory>

class QDialog;
struct Services;

// How commands open their task windows.

// Before payment vouchers (the button only, not the menu item): shows the notice
// (Messages::noVendorsNotice) when no
// vendor is defined. The window opens afterwards either way.
void checkVendorsDefined(Services& services);
// Before receipts (the button only): the same for customers.
void checkCustomersDefined(Services& services);

// Opens a transaction window: the hourglass shows while `create` builds the window and it
// loads its data, the window runs modally, and the normal pointer is back once it has
// closed. A failure on the way leaves the pointer to the error report.
// Usage: openTransactionWindow(services, [&] { return std::make_unique<W>(services, &sb); });
void openTransactionWindow(Services& services,
                           const std::function<std::unique_ptr<QDialog>()>& create);
