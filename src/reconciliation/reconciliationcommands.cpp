#include "reconciliationcommands.h"

#include "kit/commandbinder.h"
#include "kit/services.h"
#include "kit/windowopening.h"
#include "reconciliation/cashbookwindow.h"
#include "reconciliation/periodendcommand.h"

#include <memory>

void installReconciliationCommands(CommandBinder& commands) {
    Services& services = commands.services();
    QWidget* parent = commands.parentWindow();
    const auto cashbook = [&services, parent] {
        openTransactionWindow(services, [&services, parent] {
            return std::make_unique<CashbookWindow>(services, parent);
        });
    };
    commands.bindCommand(QStringLiteral("cmdCashbook"), cashbook);
    commands.bindCommand(QStringLiteral("mnuDataEntry2Cashbook"), cashbook);
    // Its menu item presses this button (installShellCommands).
    commands.bindCommand(QStringLiteral("cmdPEProcessing"),
                         [&services] { runPeriodEnd(services); });
}
