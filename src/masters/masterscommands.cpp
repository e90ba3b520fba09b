#include "masterscommands.h"

#include "masters/chartofaccountswindow.h"
#include "masters/codelistwindow.h"
#include "masters/departmentswindow.h"
#include "masters/taxtablewindow.h"
#include "shell/switchboardwindow.h"

namespace {

// Binds a button and its menu item to opening one window modally.
template <typename Open>
void bindBoth(SwitchboardWindow& switchboard, const char* button, const char* menuItem, Open open) {
    switchboard.bindCommand(QString::fromLatin1(button), open);
    switchboard.bindCommand(QString::fromLatin1(menuItem), open);
}

} // namespace

void installMastersCommands(SwitchboardWindow& switchboard) {
    SwitchboardWindow* sb = &switchboard;
    bindBoth(switchboard, "cmdTransactionType", "mnuDataEntryTransactionType", [sb] {
        CodeListWindow window(sb->services(), CodeListWindow::List::TransactionTypes, sb);
        window.exec();
    });
    bindBoth(switchboard, "cmdReconciliationStatuses", "mnuDataEntryReconciliationStatuses", [sb] {
        CodeListWindow window(sb->services(), CodeListWindow::List::TransactionStatuses, sb);
        window.exec();
    });
    bindBoth(switchboard, "cmdDepartments", "mnuDataEntryDepartments", [sb] {
        DepartmentsWindow window(sb->services(), sb);
        window.exec();
    });
    bindBoth(switchboard, "cmdChartOfAccounts", "mnuDataEntryCOA", [sb] {
        ChartOfAccountsWindow window(sb->services(), sb);
        window.exec();
    });
    bindBoth(switchboard, "cmdTaxTable", "mnuDataEntryTaxTable", [sb] {
        TaxTableWindow window(sb->services(), sb);
        window.exec();
    });
}
