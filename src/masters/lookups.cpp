#include "lookups.h"

#include "masters/chartofaccountswindow.h"
#include "masters/codelistwindow.h"
#include "masters/departmentswindow.h"
#include "masters/finddialog.h"
#include "masters/taxtablewindow.h"
#include "kit/services.h"

#include <QWidget>

bool lookupChartOfAccounts(Services& services, QWidget* parent) {
    services.lookup.clear(1, 3);
    ChartOfAccountsWindow window(services, parent);
    window.setChoosing(true);
    window.exec();
    return !services.lookup.LookupValue1.isEmpty();
}

bool lookupDepartment(Services& services, QWidget* parent) {
    // The departments window empties LookupValue2 itself when it opens.
    DepartmentsWindow window(services, parent);
    window.setChoosing(true);
    window.exec();
    return !services.lookup.LookupValue2.isEmpty();
}

bool lookupTaxCode(Services& services, QWidget* parent) {
    services.lookup.clear(4, 7);
    TaxTableWindow window(services, parent);
    window.setChoosing(true);
    window.exec();
    return !services.lookup.LookupValue4.isEmpty();
}

bool lookupTransactionStatus(Services& services, QWidget* parent) {
    services.lookup.LookupValue1.clear();
    CodeListWindow window(services, CodeListWindow::List::TransactionStatuses, parent);
    window.setChoosing(true);
    window.exec();
    return !services.lookup.LookupValue1.isEmpty();
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
    services.lookup.FindResult.clear();
    FindDialog dialog(services, parent);
    dialog.setAddCaption(caption);
    dialog.setRecordSource(listQuery);
    // A query that fails is reported by the caller's handler, under the caller's label.
    dialog.fill();
    dialog.exec();
    if (services.lookup.FindResult.isEmpty())
        return std::nullopt;
    return services.lookup.FindResult;
}
