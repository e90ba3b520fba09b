#pragma once

#include "reports/reportlayout.h"

// The layouts of the eight reports. The launchers set the labels of the balances (and of the
// tax analysis's month) before a report is shown.
namespace ReportLayouts {

ReportLayout allTransactions();
ReportLayout taxAnalysis();
ReportLayout glDistributionListing();
ReportLayout glDistributionSummary();
ReportLayout cashbook();
ReportLayout bankReconciliation();
ReportLayout paymentVoucher();
ReportLayout receipt();

// Names the period a look back covers in a month-based report's heading: in place of
// "Current Month" in its title, in its month label (the tax analysis), or else on a line of
// its own under the report header's title.
void namePeriod(ReportLayout& layout, const QString& period);

} // namespace ReportLayouts
