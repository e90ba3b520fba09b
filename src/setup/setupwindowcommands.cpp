#include "setupwindowcommands.h"

#include "kit/commandbinder.h"
#include "setup/bankdetailswindow.h"
#include "setup/bankglaccountcodewindow.h"
#include "setup/companywindow.h"

void installSetupWindowCommands(CommandBinder& commands, std::function<void()> companySaved) {
    Services& services = commands.services();
    QWidget* parent = commands.parentWindow();
    const auto company = [&services, parent, companySaved] {
        CompanyWindow window(services, companySaved, parent);
        window.exec();
    };
    commands.bindCommand(QStringLiteral("cmdCompanyDetails"), company);
    commands.bindCommand(QStringLiteral("mnuDataEntryCompanyDetails"), company);

    const auto bankDetails = [&services, parent] {
        BankDetailsWindow window(services, parent);
        window.exec();
    };
    commands.bindCommand(QStringLiteral("cmdBankDetails"), bankDetails);
    commands.bindCommand(QStringLiteral("mnuDataEntryFiscalYearAndBankDetails"), bankDetails);

    commands.bindCommand(QStringLiteral("cmdAccountCodeSettings"), [&services, parent] {
        BankGlAccountCodeWindow window(services, parent);
        window.exec();
    });
}
