#include "masterscommands.h"

#include "kit/commandbinder.h"
#include "masters/chartofaccountswindow.h"
#include "masters/codelistwindow.h"
#include "masters/departmentswindow.h"
#include "masters/taxtablewindow.h"

namespace {

// Binds a button and its menu item to opening one window modally.
template <typename Open>
void bindBoth(CommandBinder& commands, const char* button, const char* menuItem, Open open) {
    commands.bindCommand(QString::fromLatin1(button), open);
    commands.bindCommand(QString::fromLatin1(menuItem), open);
}

} // namespace

void installMastersCommands(CommandBinder& commands) {
    Services* services = &commands.services();
    QWidget* parent = commands.parentWindow();
    bindBoth(commands, "cmdTransactionType", "mnuDataEntryTransactionType", [services, parent] {
        CodeListWindow window(*services, CodeListWindow::List::TransactionTypes, parent);
        window.exec();
    });
    bindBoth(commands, "cmdReconciliationStatuses", "mnuDataEntryReconciliationStatuses",
             [services, parent] {
                 CodeListWindow window(*services, CodeListWindow::List::TransactionStatuses,
                                       parent);
                 window.exec();
             });
    bindBoth(commands, "cmdDepartments", "mnuDataEntryDepartments", [services, parent] {
        DepartmentsWindow window(*services, parent);
        window.exec();
    });
    bindBoth(commands, "cmdChartOfAccounts", "mnuDataEntryCOA", [services, parent] {
        ChartOfAccountsWindow window(*services, parent);
        window.exec();
    });
    bindBoth(commands, "cmdTaxTable", "mnuDataEntryTaxTable", [services, parent] {
        TaxTableWindow window(*services, parent);
        window.exec();
    });
}
