#include "commands.h"

#include "entry/entrycommands.h"
#include "glexport/accpacsettingscommands.h"
#include "masterfiles/masterfilecommands.h"
#include "masters/masterscommands.h"
#include "masters/partycommands.h"
#include "reconciliation/setupwindowcommands.h"
#include "reports/reportcommands.h"
#include "shell/shellcommands.h"
#include "shell/switchboardwindow.h"

void installCommands(SwitchboardWindow& switchboard) {
    installShellCommands(switchboard);
    installEntryCommands(switchboard);
    installMasterFileCommands(switchboard);
    installMastersCommands(switchboard);
    installPartyCommands(switchboard);
    installSetupWindowCommands(switchboard);
    installAccpacSettingsCommands(switchboard);
    installReportCommands(switchboard);
}
