#pragma once

#include "data/money.h"
#include "reports/queryrowsource.h"
#include "reports/reportlayout.h"
#include "reports/reportperiod.h"

#include <functional>

class QWidget;
class ReportPrinting;
struct Services;

// What the distribution-based reports need prepared before they are shown: the rebuild of
// the distribution work table for a mode (false when there was nothing to distribute and the
// user has been told so), and the bank balance of a mode.
struct ReportPreparation {
    std::function<bool(int mode)> prepareDistribution;
    std::function<Money(int mode)> currentBalance;
};

// The report launchers: each prepares what its report needs under the busy pointer and shows
// the report in a modal preview.
namespace ReportLaunchers {

// Paginates `layout` over the rows of `query` and shows it modally.
void show(Services& services, ReportLayout layout, RowQuery query, QWidget* parent,
          ReportPrinting* printing = nullptr);

void allTransactions(Services& services, QWidget* parent, ReportPrinting* printing = nullptr);
// The current fiscal month's transactions by tax code.
void taxAnalysis(Services& services, QWidget* parent, ReportPrinting* printing = nullptr);
void glListing(Services& services, const ReportPreparation& preparation, QWidget* parent,
               ReportPrinting* printing = nullptr);
void glSummary(Services& services, const ReportPreparation& preparation, QWidget* parent,
               ReportPrinting* printing = nullptr);
void cashbook(Services& services, const ReportPreparation& preparation, QWidget* parent,
              ReportPrinting* printing = nullptr);
void bankReconciliation(Services& services, const ReportPreparation& preparation, QWidget* parent,
                        ReportPrinting* printing = nullptr);

// The month-based reports, which may look back at another period than the current month.
enum class MonthReport { Cashbook, BankReconciliation, GlListing, GlSummary, TaxAnalysis };

// A month-based report for a look back at `period`: the lines of the transactions dated in
// it (the distribution built into a table of its own, never the export's), the balances at
// its start and end by the rules of the current ones, and the period in the heading; the bank
// reconciliation takes the statuses as they are today and says so. A period without
// transactions gives a report without lines.
void lookBack(Services& services, MonthReport report, const ReportPeriod& period, QWidget* parent,
              ReportPrinting* printing = nullptr);

// Opens the payment voucher (or receipt) selection window without blocking `parent`.
void openPaymentVoucherList(Services& services, QWidget* parent);
void openReceiptList(Services& services, QWidget* parent);

// Distribution modes.
enum DistributionMode { CurrentMonthBankSide = 0, CurrentMonthAllSides = 1, Reconciliation = 2 };
// Balance modes.
enum BalanceMode { CurrentBalance = 0, OpeningBalance = 1, BankStatementBalance = 2 };

} // namespace ReportLaunchers
