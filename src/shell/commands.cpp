#include "commands.h"

#include "entry/entrycommands.h"
#include "glexport/accpacsettingscommands.h"
#include "kit/services.h"
#include "masterfiles/masterfilecommands.h"
#include "masters/masterscommands.h"
#include "masters/partycommands.h"
#include "reconciliation/setupwindowcommands.h"
#include "shell/readingcommands.h"
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
    if (switchboard.services().db.isReadOnly())
        keepOnlyReadingCommands(switchboard);
}
