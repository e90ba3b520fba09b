#include "reportcommands.h"

#include "kit/handlerguard.h"
#include "reports/reportlaunchers.h"
#include "shell/switchboardwindow.h"

void installReportCommands(SwitchboardWindow& switchboard, const ReportPreparation* preparation) {
    SwitchboardWindow* sb = &switchboard;
    const auto bindBoth = [sb](const char* button, const char* menu, std::function<void()> run) {
        sb->bindCommand(QString::fromLatin1(button), run);
        sb->bindCommand(QString::fromLatin1(menu), run);
    };
    bindBoth("cmdAllTransactions", "mnuReportsAllTransactions",
             [sb] { ReportLaunchers::allTransactions(sb->services(), sb); });
    bindBoth("cmdTaxAnalysis", "mnuReportsTaxAnalysis",
             [sb] { ReportLaunchers::taxAnalysis(sb->services(), sb); });
    bindBoth("cmdPrintPaymentVouchers", "mnuReportsPaymentVouchers",
             [sb] { ReportLaunchers::openPaymentVoucherList(sb->services(), sb); });
    sb->bindCommand(QStringLiteral("cmdPrintReceipt"),
                    [sb] { ReportLaunchers::openReceiptList(sb->services(), sb); });
    sb->bindCommand(QStringLiteral("mnuReportsReceipts"), [sb] {
        // The receipts menu item's failures are reported under the routine name users know.
        guarded(sb->services(), sb->objectName(), QStringLiteral("mnuReportsRreceipts"),
                [sb] { ReportLaunchers::openReceiptList(sb->services(), sb); });
    });
    if (!preparation)
        return;
    const ReportPreparation prepared = *preparation;
    bindBoth("cmdGLListing", "mnuReportsGLListing",
             [sb, prepared] { ReportLaunchers::glListing(sb->services(), prepared, sb); });
    bindBoth("cmdGLSummary", "mnuReportsGLSummary",
             [sb, prepared] { ReportLaunchers::glSummary(sb->services(), prepared, sb); });
    bindBoth("cmdCashbookReport", "mnuReportsCashbook",
             [sb, prepared] { ReportLaunchers::cashbook(sb->services(), prepared, sb); });
    bindBoth("cmdBankReconciliation", "mnuReportsBankReconciliation",
             [sb, prepared] { ReportLaunchers::bankReconciliation(sb->services(), prepared, sb); });
}
