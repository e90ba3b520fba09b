#include "accpacsettingscommands.h"

#include "kit/commandbinder.h"
#include "setup/accpacsettingswindow.h"

void installAccpacSettingsCommands(CommandBinder& commands) {
    Services& services = commands.services();
    QWidget* parent = commands.parentWindow();
    const auto open = [&services, parent] {
        AccpacSettingsWindow window(services, parent);
        window.exec();
    };
    commands.bindCommand(QStringLiteral("cmdAccpacSettings"), open);
    commands.bindCommand(QStringLiteral("mnuDataEntryAccpacAdagioSettings"), open);
}
