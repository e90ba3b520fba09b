#pragma once

#include "data/recordfilewriter.h"
#include "masterfiles/masterfile.h"

#include <QString>
#include <QtGlobal>

class QSqlQuery;
class QWidget;
class SwitchboardWindow;
struct Services;

// Binds the switchboard's three export and three import commands.
void installMasterFileCommands(SwitchboardWindow& switchboard);

// The export command of a master table: confirmation, the save dialog, ExportTextFile,
// and the offer to view the file. `parent` carries the progress dialog.
void exportMasterFile(Services& services, QWidget* parent, const MasterFile& file);
// The import command of a master table: confirmation, the open dialog, the records added,
// the duplicate questions and the count.
void importMasterFile(Services& services, QWidget* parent, const MasterFile& file);

// Writes records to path with the busy pointer and progress and reports the count.
// `expectedRows` sizes the progress bar. Each line is a master file line, or what
// encodeLine makes of the row when it is given (the other exports of records to a file).
// True when the file was written completely; false when it failed (its error number and
// description are shown) or was cancelled.
bool ExportTextFile(Services& services, QWidget* parent, QSqlQuery& records, const QString& path,
                    qint64 expectedRows, const RecordFileWriter::LineEncoder& encodeLine = {});
