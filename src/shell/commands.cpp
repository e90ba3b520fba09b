#include "commands.h"

#include "entry/entrycommands.h"
#include "glexport/glexportcommands.h"
#include "glexport/glexportprocedures.h"
#include "setup/accpacsettingscommands.h"

#include "kit/services.h"
#include "masterfiles/masterfilecommands.h"
#include "masters/masterscommands.h"
#include "masters/partycommands.h"
#include "reconciliation/currentbalance.h"
#include "reconciliation/reconciliationcommands.h"
#include "reports/reportcommands.h"
#include "reports/reportlaunchers.h"
#include "setup/setupwindowcommands.h"
#include "shell/readingcommands.h"
#include "shell/shellcommands.h"
#include "shell/switchboardcommands.h"
#include "shell/switchboardwindow.h"

void installCommands(SwitchboardWindow& switchboard) {
    installShellCommands(switchboard);
    // The features bind their commands through the kit's interface, never the switchboard.
    SwitchboardCommands commands(switchboard);
    installEntryCommands(commands);
    installMasterFileCommands(commands);
    installMastersCommands(commands);
    installPartyCommands(commands);
    // The company panel shows the saved name and address at once.
    installSetupWindowCommands(commands, [&switchboard] { switchboard.loadCompanyPanel(); });
    installReconciliationCommands(commands);
    installAccpacSettingsCommands(commands);
    installGlExportCommands(commands);

    // The reports over the GL distribution prepare it and read the balances as the
    // reconciliation screen and the export do.
    Services& services = switchboard.services();
    ReportPreparation preparation;
    preparation.prepareDistribution = [&services](int mode) {
        return PreparetblDistribution(services, mode);
    };
    preparation.currentBalance = [&services](int mode) {
        return calcCurrentBalance(services, mode);
    };
    installReportCommands(commands, &preparation);

    // A book that may not change keeps only the commands that read.
    if (services.db.isReadOnly())
        keepOnlyReadingCommands(switchboard);
}
