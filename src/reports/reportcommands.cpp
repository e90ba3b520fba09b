#include "reportcommands.h"

#include "kit/commandbinder.h"
#include "kit/handlerguard.h"
#include "reports/reportlaunchers.h"

#include <QWidget>

void installReportCommands(CommandBinder& commands, const ReportPreparation* preparation) {
    Services* services = &commands.services();
    QWidget* parent = commands.parentWindow();
    const auto bindBoth = [&commands](const char* button, const char* menu,
                                      std::function<void()> run) {
        commands.bindCommand(QString::fromLatin1(button), run);
        commands.bindCommand(QString::fromLatin1(menu), run);
    };
    bindBoth("cmdAllTransactions", "mnuReportsAllTransactions",
             [services, parent] { ReportLaunchers::allTransactions(*services, parent); });
    bindBoth("cmdTaxAnalysis", "mnuReportsTaxAnalysis",
             [services, parent] { ReportLaunchers::taxAnalysis(*services, parent); });
    bindBoth("cmdPrintPaymentVouchers", "mnuReportsPaymentVouchers",
             [services, parent] { ReportLaunchers::openPaymentVoucherList(*services, parent); });
    commands.bindCommand(QStringLiteral("cmdPrintReceipt"), [services, parent] {
        ReportLaunchers::openReceiptList(*services, parent);
    });
    commands.bindCommand(QStringLiteral("mnuReportsReceipts"), [services, parent] {
        // The receipts menu item's failures are reported under the routine name users know.
        guarded(*services, parent->objectName(), QStringLiteral("mnuReportsRreceipts"),
                [services, parent] { ReportLaunchers::openReceiptList(*services, parent); });
    });
    if (!preparation)
        return;
    const ReportPreparation prepared = *preparation;
    bindBoth("cmdGLListing", "mnuReportsGLListing", [services, parent, prepared] {
        ReportLaunchers::glListing(*services, prepared, parent);
    });
    bindBoth("cmdGLSummary", "mnuReportsGLSummary", [services, parent, prepared] {
        ReportLaunchers::glSummary(*services, prepared, parent);
    });
    bindBoth("cmdCashbookReport", "mnuReportsCashbook", [services, parent, prepared] {
        ReportLaunchers::cashbook(*services, prepared, parent);
    });
    bindBoth("cmdBankReconciliation", "mnuReportsBankReconciliation", [services, parent, prepared] {
        ReportLaunchers::bankReconciliation(*services, prepared, parent);
    });
}
