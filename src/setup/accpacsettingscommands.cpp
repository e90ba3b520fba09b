#include "accpacsettingscommands.h"

#include "setup/accpacsettingswindow.h"
#include "shell/switchboardwindow.h"

void installAccpacSettingsCommands(SwitchboardWindow& switchboard) {
    SwitchboardWindow* sb = &switchboard;
    const auto open = [sb] {
        AccpacSettingsWindow window(sb->services(), sb);
        window.exec();
    };
    switchboard.bindCommand(QStringLiteral("cmdAccpacSettings"), open);
    switchboard.bindCommand(QStringLiteral("mnuDataEntryAccpacAdagioSettings"), open);
}
