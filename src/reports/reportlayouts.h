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

} // namespace ReportLayouts
