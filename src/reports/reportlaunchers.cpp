#include "reportlaunchers.h"

#include "data/codes.h"
#include "data/messages.h"
#include "glexport/gldistribution.h"
#include "kit/busypointer.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "reconciliation/balances.h"
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

void lookBack(Services& services, MonthReport report, const ReportPeriod& period, QWidget* parent,
              ReportPrinting* printing) {
    BusyScope busy(services.busy);
    QString heading = period.name();
    if (report == MonthReport::TaxAnalysis) {
        ReportLayout layout = ReportLayouts::taxAnalysis();
        ReportLayouts::namePeriod(layout, heading);
        preview(services,
                paginated(services, std::move(layout),
                          ReportQueries::byTaxCode(period.first, period.last)),
                parent, printing);
        return;
    }
    const int mode = report == MonthReport::Cashbook             ? GlDistribution::BankSides
                     : report == MonthReport::BankReconciliation ? GlDistribution::Reconciliation
                                                                 : GlDistribution::AllSides;
    if (!guarded(services, {}, QStringLiteral("PreparetblDistribution"), [&] {
            GlDistribution::rebuildPeriod(services.db, mode, period.first, period.last);
        }))
        return;
    const QString table = GlDistribution::kPeriodTable;
    ReportLayout layout;
    RowQuery query = ReportQueries::glDistribution(table);
    // The balances as the period began and ended; a failure is reported as the current
    // balances' are, and the report goes on with 0.
    const auto setBalance = [&](const char* label, int balanceMode, const QDate& day) {
        Money balance;
        guarded(services, QString(), QStringLiteral("calcCurrentBalance"),
                [&] { balance = Balances::balanceBefore(services.db, balanceMode, day); });
        layout.setLabel(QString::fromLatin1(label), balance.format(Money::Format::Plain));
    };
    const QDate after = period.last.addDays(1);
    switch (report) {
    case MonthReport::Cashbook:
        layout = ReportLayouts::cashbook();
        setBalance("lblPreviousBal", Balances::CurrentBalance, period.first);
        setBalance("lblCurrentBal", Balances::CurrentBalance, after);
        break;
    case MonthReport::BankReconciliation:
        layout = ReportLayouts::bankReconciliation();
        setBalance("lblCBCurrentBal", Balances::CurrentBalance, after);
        setBalance("lblBankStatementBal", Balances::StatementBalance, after);
        // The statuses are today's, not those the period ended with.
        heading = QStringLiteral("%1, statuses as at %2")
                      .arg(heading, ReportPeriod::dayName(services.clock.today()));
        break;
    case MonthReport::GlListing:
        layout = ReportLayouts::glDistributionListing();
        break;
    default:
        layout = ReportLayouts::glDistributionSummary();
        query = ReportQueries::byAccountCodeDeptCode(table);
        break;
    }
    if (report == MonthReport::Cashbook || report == MonthReport::BankReconciliation)
        ReportLetterhead::addBank(services.db, layout);
    ReportLayouts::namePeriod(layout, heading);
    preview(services, paginated(services, std::move(layout), std::move(query)), parent, printing);
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
