#include "commands.h"

#include "shell/switchboardwindow.h"

void installCommands(SwitchboardWindow& switchboard) {
    (void)switchboard;
}
