#pragma once

class CommandBinder;
class QWidget;
struct Services;

// Binds the command that exports the current month to Accpac / Adagio.
void installGlExportCommands(CommandBinder& commands);

// The export of the current month as a GL batch file: the two questions, the distribution
// and batch rebuilt, the save dialog, the file, the offer to view it and the offer to mark
// the month's transactions as exported. `parent` carries the progress dialog.
void exportToAccpac(Services& services, QWidget* parent);
