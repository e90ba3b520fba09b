#include "reportlaunchers.h"

#include "data/codes.h"
#include "data/messages.h"
#include "kit/busypointer.h"
#include "kit/services.h"
#include "reports/printselectionwindow.h"
#include "reports/report.h"
#include "reports/reportlayouts.h"
#include "reports/reportletterhead.h"
#include "reports/reportpreviewwindow.h"
#include "reports/reportqueries.h"

namespace ReportLaunchers {

namespace {

std::unique_ptr<Report> paginated(Services& services, ReportLayout layout, RowQuery query) {
    auto report = std::make_unique<Report>(
        std::move(layout), std::make_unique<QueryRowSource>(services.db, std::move(query)),
        services.clock.today());
    report->paginate();
    return report;
}

void preview(Services& services, std::unique_ptr<Report> report, QWidget* parent,
             ReportPrinting* printing) {
    ReportPreviewWindow window(services, std::move(report), printing, parent);
    // The pointer is normal again while the user reads the preview.
    services.busy.reset();
    window.exec();
}

// Rebuilds the distribution for `mode`, then shows the report with the balances set.
void distributionReport(Services& services, const ReportPreparation& preparation, int mode,
                        ReportLayout layout, RowQuery query,
                        std::initializer_list<std::pair<const char*, int>> balances,
                        QWidget* parent, ReportPrinting* printing) {
    BusyScope busy(services.busy);
    if (!preparation.prepareDistribution(mode))
        return;
    ReportLetterhead::addBank(services.db, layout);
    for (const auto& [label, balanceMode] : balances)
        layout.setLabel(QString::fromLatin1(label),
                        preparation.currentBalance(balanceMode).format(Money::Format::Plain));
    preview(services, paginated(services, std::move(layout), std::move(query)), parent, printing);
}

} // namespace

void show(Services& services, ReportLayout layout, RowQuery query, QWidget* parent,
          ReportPrinting* printing) {
    BusyScope busy(services.busy);
    preview(services, paginated(services, std::move(layout), std::move(query)), parent, printing);
}

void allTransactions(Services& services, QWidget* parent, ReportPrinting* printing) {
    show(services, ReportLayouts::allTransactions(), ReportQueries::allTransactions(), parent,
         printing);
}

void taxAnalysis(Services& services, QWidget* parent, ReportPrinting* printing) {
    const auto month = ReportQueries::currentFiscalMonth(services.db);
    if (!month) {
        services.prompts.critical(Messages::noCurrentFiscalMonth());
        return;
    }
    ReportLayout layout = ReportLayouts::taxAnalysis();
    layout.setLabel(QStringLiteral("lblPeriod"), QStringLiteral("%1 %2")
                                                     .arg(Codes::monthName(month->first.month()))
                                                     .arg(month->first.year()));
    show(services, std::move(layout), ReportQueries::byTaxCode(month->first, month->second), parent,
         printing);
}

void glListing(Services& services, const ReportPreparation& preparation, QWidget* parent,
               ReportPrinting* printing) {
    distributionReport(services, preparation, CurrentMonthAllSides,
                       ReportLayouts::glDistributionListing(), ReportQueries::glDistribution(), {},
                       parent, printing);
}

void glSummary(Services& services, const ReportPreparation& preparation, QWidget* parent,
               ReportPrinting* printing) {
    distributionReport(services, preparation, CurrentMonthAllSides,
                       ReportLayouts::glDistributionSummary(),
                       ReportQueries::byAccountCodeDeptCode(), {}, parent, printing);
}

void cashbook(Services& services, const ReportPreparation& preparation, QWidget* parent,
              ReportPrinting* printing) {
    distributionReport(services, preparation, CurrentMonthBankSide, ReportLayouts::cashbook(),
                       ReportQueries::glDistribution(),
                       {{"lblPreviousBal", OpeningBalance}, {"lblCurrentBal", CurrentBalance}},
                       parent, printing);
}

void bankReconciliation(Services& services, const ReportPreparation& preparation, QWidget* parent,
                        ReportPrinting* printing) {
    distributionReport(
        services, preparation, Reconciliation, ReportLayouts::bankReconciliation(),
        ReportQueries::glDistribution(),
        {{"lblCBCurrentBal", CurrentBalance}, {"lblBankStatementBal", BankStatementBalance}},
        parent, printing);
}

namespace {

void openList(Services& services, PrintSelectionKind kind, QWidget* parent) {
    auto* window = new PrintSelectionWindow(services, std::move(kind), nullptr, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);
    window->show();
}

} // namespace

void openPaymentVoucherList(Services& services, QWidget* parent) {
    openList(services, PrintSelectionKind::paymentVouchers(), parent);
}

void openReceiptList(Services& services, QWidget* parent) {
    openList(services, PrintSelectionKind::receipts(), parent);
}

} // namespace ReportLaunchers
