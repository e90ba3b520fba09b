#include "commands.h"

#include "glexport/accpacsettingscommands.h"
#include "reconciliation/setupwindowcommands.h"
#include "shell/switchboardwindow.h"

void installCommands(SwitchboardWindow& switchboard) {
    installSetupWindowCommands(switchboard);
    installAccpacSettingsCommands(switchboard);
}
