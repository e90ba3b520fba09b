#pragma once

class SwitchboardWindow;

// A book opened read-only: every switchboard button and menu item is disabled except the
// commands that only read the book (help, reports, exports, backup, calculator, quit) and
// those that open the windows showing it (the entry windows, the cashbook and the master
// lists), which then open for looking with nothing that writes enabled. So the user can look
// and print but nothing offers a change that would fail. A command is disabled unless it is
// named here, so a new writing command is never left enabled.
void keepOnlyReadingCommands(SwitchboardWindow& switchboard);
