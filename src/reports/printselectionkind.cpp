#include "printselectionkind.h"

#include "data/messages.h"
#include "reports/reportlayouts.h"
#include "reports/reportqueries.h"

PrintSelectionKind PrintSelectionKind::paymentVouchers() {
    PrintSelectionKind kind;
    kind.form = QStringLiteral("frmListPaymentVouchers");
    kind.caption = QStringLiteral("List Payment Vouchers");
    kind.list = QStringLiteral("lstPaymentVouchers");
    kind.printCommand = QStringLiteral("cmdLstPaymentVoucher");
    kind.instruction =
        QStringLiteral("Click on a PV Number to select it, and then click on Preview / Print.");
    kind.orderNote = QStringLiteral("PV Numbers are in descending order.");
    kind.notSelected = Messages::paymentVoucherNotSelected();
    kind.listAccessibleName = QStringLiteral("PV Numbers");
    kind.ids = &ReportQueries::paymentIds;
    kind.layout = &ReportLayouts::paymentVoucher;
    return kind;
}

PrintSelectionKind PrintSelectionKind::receipts() {
    PrintSelectionKind kind;
    kind.form = QStringLiteral("frmListReceipts");
    kind.caption = QStringLiteral("List Receipts");
    kind.list = QStringLiteral("lstReceipts");
    kind.printCommand = QStringLiteral("cmdLstReceipts");
    kind.instruction = QStringLiteral(
        "Click on a Receipt Number to select it, and then click on Preview / Print.");
    kind.orderNote = QStringLiteral("Receipt Numbers are in descending order.");
    kind.notSelected = Messages::receiptNotSelected();
    kind.listAccessibleName = QStringLiteral("Receipt Numbers");
    kind.ids = &ReportQueries::receiptIds;
    kind.layout = &ReportLayouts::receipt;
    return kind;
}
