#include "readingcommands.h"

#include "shell/switchboardwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QSet>

namespace {

const QSet<QString>& readingCommands() {
    static const QSet<QString> names = {
        // The program itself.
        QStringLiteral("cmdHelp"), QStringLiteral("cmdQuit"), QStringLiteral("mnuFileExit"),
        QStringLiteral("mnuHelpSystem"), QStringLiteral("mnuHelpLicenceAgreement"),
        QStringLiteral("mnuAbout"), QStringLiteral("mnuToolsCalculator"),
        QStringLiteral("mnuToolsBackUpBook"),
        // Reports. The four over the GL distribution rebuild it in the book first, so they
        // are not among them.
        QStringLiteral("cmdPrintPaymentVouchers"), QStringLiteral("cmdPrintReceipt"),
        QStringLiteral("cmdTaxAnalysis"), QStringLiteral("cmdAllTransactions"),
        QStringLiteral("mnuReportsPaymentVouchers"), QStringLiteral("mnuReportsReceipts"),
        QStringLiteral("mnuReportsAllTransactions"), QStringLiteral("mnuReportsTaxAnalysis"),
        QStringLiteral("cmdCashPosition"), QStringLiteral("mnuReportsCashPosition"),
        // The windows that show the book: on a read-only book they open for looking, with
        // every command and field that would write disabled.
        QStringLiteral("cmdPaymentVouchers"), QStringLiteral("cmdReceipts"),
        QStringLiteral("cmdBankChargesInterestMisc"), QStringLiteral("cmdCashbook"),
        QStringLiteral("mnuDataEntry2PaymentVouchers"), QStringLiteral("mnuDataEntry2Receipts"),
        QStringLiteral("mnuDataEntry2BankCharges"), QStringLiteral("mnuDataEntry2Cashbook"),
        QStringLiteral("cmdChartOfAccounts"), QStringLiteral("cmdDepartments"),
        QStringLiteral("cmdTaxTable"), QStringLiteral("cmdCustomers"), QStringLiteral("cmdVendors"),
        QStringLiteral("cmdTransactionType"), QStringLiteral("cmdReconciliationStatuses"),
        QStringLiteral("mnuDataEntryCOA"), QStringLiteral("mnuDataEntryDepartments"),
        QStringLiteral("mnuDataEntryTaxTable"), QStringLiteral("mnuDataEntryCustomers"),
        QStringLiteral("mnuDataEntryVendors"), QStringLiteral("mnuDataEntryTransactionType"),
        QStringLiteral("mnuDataEntryReconciliationStatuses"),
        // Master file exports write a file of the user's, never the book.
        QStringLiteral("cmdExportVendors"), QStringLiteral("cmdExportCustomers"),
        QStringLiteral("cmdExportCOA")};
    return names;
}

} // namespace

void keepOnlyReadingCommands(SwitchboardWindow& switchboard) {
    for (auto* button : switchboard.findChildren<QAbstractButton*>())
        if (button->objectName().startsWith(QLatin1String("cmd")) &&
            !readingCommands().contains(button->objectName()))
            button->setEnabled(false);
    for (auto* item : switchboard.findChildren<QAction*>())
        if (item->objectName().startsWith(QLatin1String("mnu")) &&
            !readingCommands().contains(item->objectName()))
            item->setEnabled(false);
}
