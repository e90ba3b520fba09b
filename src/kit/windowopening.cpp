#include "windowopening.h"

#include "data/sqlnames.h"
#include "kit/services.h"

#include <QDialog>

namespace {

QString noRowsNotice(const QString& plural, const QString& entries) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Please note that you have not yet defined") + crlf +
           QStringLiteral("any ") + plural + QStringLiteral(".") + crlf + crlf +
           QStringLiteral("You are advised to define ") + plural + QStringLiteral(" before") +
           crlf + QStringLiteral("creating ") + entries + QStringLiteral(".");
}

bool hasRows(Services& services, const QString& table) {
    return services.db
        .scalar(QStringLiteral("SELECT 1 FROM ") + SqlNames::quoted(table) +
                QStringLiteral(" LIMIT 1"))
        .isValid();
}

} // namespace

QString noVendorsNotice() {
    return noRowsNotice(QStringLiteral("vendors"), QStringLiteral("Payment Vouchers"));
}

QString noCustomersNotice() {
    return noRowsNotice(QStringLiteral("customers"), QStringLiteral("Receipts"));
}

void checkVendorsDefined(Services& services) {
    if (!hasRows(services, QStringLiteral("tblVendors")))
        services.prompts.information(noVendorsNotice());
}

void checkCustomersDefined(Services& services) {
    if (!hasRows(services, QStringLiteral("tblCustomers")))
        services.prompts.information(noCustomersNotice());
}

void openTransactionWindow(Services& services,
                           const std::function<std::unique_ptr<QDialog>()>& create) {
    services.busy.set();
    const std::unique_ptr<QDialog> window = create();
    window->exec();
    services.busy.reset();
}
