#include "reconciliationcommands.h"

#include "kit/services.h"
#include "kit/windowopening.h"
#include "reconciliation/cashbookwindow.h"
#include "reconciliation/periodendcommand.h"
#include "shell/switchboardwindow.h"

#include <memory>

void installReconciliationCommands(SwitchboardWindow& switchboard) {
    const auto cashbook = [&switchboard] {
        Services& services = switchboard.services();
        openTransactionWindow(services, [&services, &switchboard] {
            return std::make_unique<CashbookWindow>(services, &switchboard);
        });
    };
    switchboard.bindCommand(QStringLiteral("cmdCashbook"), cashbook);
    switchboard.bindCommand(QStringLiteral("mnuDataEntry2Cashbook"), cashbook);
    // Its menu item presses this button (installShellCommands).
    switchboard.bindCommand(QStringLiteral("cmdPEProcessing"),
                            [&switchboard] { runPeriodEnd(switchboard.services()); });
}
