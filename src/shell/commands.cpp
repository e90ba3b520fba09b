#include "commands.h"

#include "glexport/accpacsettingscommands.h"
#include "masterfiles/masterfilecommands.h"
#include "reconciliation/setupwindowcommands.h"
#include "shell/switchboardwindow.h"

void installCommands(SwitchboardWindow& switchboard) {
    installMasterFileCommands(switchboard);
    installSetupWindowCommands(switchboard);
    installAccpacSettingsCommands(switchboard);
}
