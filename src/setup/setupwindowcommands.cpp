#include "setupwindowcommands.h"

#include "setup/bankdetailswindow.h"
#include "setup/bankglaccountcodewindow.h"
#include "setup/companywindow.h"
#include "shell/switchboardwindow.h"

void installSetupWindowCommands(SwitchboardWindow& switchboard) {
    SwitchboardWindow* sb = &switchboard;
    const auto company = [sb] {
        // The company panel shows the saved name and address at once.
        CompanyWindow window(
            sb->services(), [sb] { sb->loadCompanyPanel(); }, sb);
        window.exec();
    };
    switchboard.bindCommand(QStringLiteral("cmdCompanyDetails"), company);
    switchboard.bindCommand(QStringLiteral("mnuDataEntryCompanyDetails"), company);

    const auto bankDetails = [sb] {
        BankDetailsWindow window(sb->services(), sb);
        window.exec();
    };
    switchboard.bindCommand(QStringLiteral("cmdBankDetails"), bankDetails);
    switchboard.bindCommand(QStringLiteral("mnuDataEntryFiscalYearAndBankDetails"), bankDetails);

    switchboard.bindCommand(QStringLiteral("cmdAccountCodeSettings"), [sb] {
        BankGlAccountCodeWindow window(sb->services(), sb);
        window.exec();
    });
}
