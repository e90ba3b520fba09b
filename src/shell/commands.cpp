#include "commands.h"

#include "entry/entrycommands.h"
#include "glexport/accpacsettingscommands.h"
#include "glexport/glexportcommands.h"
#include "masterfiles/masterfilecommands.h"
#include "masters/masterscommands.h"
#include "masters/partycommands.h"
#include "reconciliation/reconciliationcommands.h"
#include "reconciliation/setupwindowcommands.h"
#include "shell/shellcommands.h"
#include "shell/switchboardwindow.h"

void installCommands(SwitchboardWindow& switchboard) {
    installShellCommands(switchboard);
    installEntryCommands(switchboard);
    installMasterFileCommands(switchboard);
    installMastersCommands(switchboard);
    installPartyCommands(switchboard);
    installSetupWindowCommands(switchboard);
    installReconciliationCommands(switchboard);
    installAccpacSettingsCommands(switchboard);
    installGlExportCommands(switchboard);
}
