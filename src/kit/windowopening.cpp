#include "windowopening.h"

#include "data/messages.h"
#include "data/sqlnames.h"
#include "kit/services.h"

#include <QDialog>

namespace {

bool hasRows(Services& services, const QString& table) {
    return services.db
        .scalar(QStringLiteral("SELECT 1 FROM ") + SqlNames::quoted(table) +
                QStringLiteral(" LIMIT 1"))
        .isValid();
}

} // namespace

void checkVendorsDefined(Services& services) {
    if (!hasRows(services, QStringLiteral("tblVendors")))
        services.prompts.information(Messages::noVendorsNotice());
}

void checkCustomersDefined(Services& services) {
    if (!hasRows(services, QStringLiteral("tblCustomers")))
        services.prompts.information(Messages::noCustomersNotice());
}

void openTransactionWindow(Services& services,
                           const std::function<std::unique_ptr<QDialog>()>& create) {
    services.busy.set();
    const std::unique_ptr<QDialog> window = create();
    window->exec();
    services.busy.reset();
}
