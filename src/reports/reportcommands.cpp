#include "reportcommands.h"

#include "kit/commandbinder.h"
#include "kit/handlerguard.h"
#include "reports/cashpositionwindow.h"
#include "reports/reportlaunchers.h"
#include "reports/reportperioddialog.h"

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
    // A month-based report asks for its period first: the current month runs the report as it
    // always has, any other period is a look back.
    const auto forPeriod = [services, parent](ReportLaunchers::MonthReport report,
                                              std::function<void()> currentMonth) {
        return [services, parent, report, currentMonth] {
            const std::optional<ReportPeriod> period =
                ReportPeriodDialog::choose(*services, parent);
            if (!period)
                return;
            if (period->isLookBack())
                ReportLaunchers::lookBack(*services, report, *period, parent);
            else
                currentMonth();
        };
    };
    using ReportLaunchers::MonthReport;
    bindBoth("cmdTaxAnalysis", "mnuReportsTaxAnalysis",
             forPeriod(MonthReport::TaxAnalysis,
                       [services, parent] { ReportLaunchers::taxAnalysis(*services, parent); }));
    bindBoth("cmdPrintPaymentVouchers", "mnuReportsPaymentVouchers",
             [services, parent] { ReportLaunchers::openPaymentVoucherList(*services, parent); });
    bindBoth("cmdCashPosition", "mnuReportsCashPosition", [services, parent] {
        CashPositionWindow window(*services, nullptr, parent);
        window.exec();
    });
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
    bindBoth("cmdGLListing", "mnuReportsGLListing",
             forPeriod(MonthReport::GlListing, [services, parent, prepared] {
                 ReportLaunchers::glListing(*services, prepared, parent);
             }));
    bindBoth("cmdGLSummary", "mnuReportsGLSummary",
             forPeriod(MonthReport::GlSummary, [services, parent, prepared] {
                 ReportLaunchers::glSummary(*services, prepared, parent);
             }));
    bindBoth("cmdCashbookReport", "mnuReportsCashbook",
             forPeriod(MonthReport::Cashbook, [services, parent, prepared] {
                 ReportLaunchers::cashbook(*services, prepared, parent);
             }));
    bindBoth("cmdBankReconciliation", "mnuReportsBankReconciliation",
             forPeriod(MonthReport::BankReconciliation, [services, parent, prepared] {
                 ReportLaunchers::bankReconciliation(*services, prepared, parent);
             }));
}
