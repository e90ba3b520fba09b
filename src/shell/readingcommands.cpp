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
