#include "lookups.h"

#include "kit/services.h"
#include "masters/chartofaccountswindow.h"
#include "masters/codelistwindow.h"
#include "masters/departmentswindow.h"
#include "masters/finddialog.h"
#include "masters/partykind.h"
#include "masters/partywindow.h"
#include "masters/taxtablewindow.h"

#include <QWidget>

namespace {

// Shows a master window as a chooser and returns its choice.
template <typename Window> auto choose(Window& window) {
    window.setChoosing(true);
    window.exec();
    return window.chosen();
}

} // namespace

std::optional<AccountChoice> lookupChartOfAccounts(Services& services, QWidget* parent) {
    ChartOfAccountsWindow window(services, parent);
    return choose(window);
}

std::optional<QString> lookupDepartment(Services& services, QWidget* parent) {
    DepartmentsWindow window(services, parent);
    return choose(window);
}

std::optional<TaxChoice> lookupTaxCode(Services& services, QWidget* parent) {
    TaxTableWindow window(services, parent);
    return choose(window);
}

std::optional<PartyChoice> lookupCustomer(Services& services, QWidget* parent) {
    PartyWindow window(services, PartyKind::customers(), parent);
    return choose(window);
}

std::optional<PartyChoice> lookupVendor(Services& services, QWidget* parent) {
    PartyWindow window(services, PartyKind::vendors(), parent);
    return choose(window);
}

std::optional<QString> lookupTransactionStatus(Services& services, QWidget* parent) {
    CodeListWindow window(services, CodeListWindow::List::TransactionStatuses, parent);
    return choose(window);
}

void returnAfterChooser(QWidget* focus) {
    if (!focus)
        return;
    QWidget* window = focus->window();
    window->activateWindow();
    focus->setFocus(Qt::OtherFocusReason);
}

std::optional<QString> findValue(Services& services, QWidget* parent, const QString& caption,
                                 const QString& listQuery) {
    FindDialog dialog(services, parent);
    dialog.setAddCaption(caption);
    dialog.setRecordSource(listQuery);
    // A query that fails is reported by the caller's handler, under the caller's label.
    dialog.fill();
    dialog.exec();
    const std::optional<QString> chosen = dialog.chosen();
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    return chosen;
}
