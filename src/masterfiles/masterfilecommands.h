#pragma once

#include "masterfiles/masterfile.h"

class CommandBinder;
class QWidget;
struct Services;

// Binds the three export and three import commands.
void installMasterFileCommands(CommandBinder& commands);

// The export command of a master table: confirmation, the save dialog, ExportTextFile,
// and the offer to view the file. `parent` carries the progress dialog.
void exportMasterFile(Services& services, QWidget* parent, const MasterFile& file);
// The import command of a master table: confirmation, the open dialog, the records added,
// the duplicate questions and the count.
void importMasterFile(Services& services, QWidget* parent, const MasterFile& file);
