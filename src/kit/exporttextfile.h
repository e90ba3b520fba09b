#pragma once

#include "data/recordfilewriter.h"

#include <QString>
#include <QtGlobal>

class QSqlQuery;
class QWidget;
struct Services;

// Writes records to path with the busy pointer and progress and reports the count.
// `expectedRows` sizes the progress bar. Each line is a master file line, or what
// encodeLine makes of the row when it is given (the other exports of records to a file).
// True when the file was written completely; false when it failed (its error number and
// description are shown) or was cancelled. `parent` carries the progress dialog.
bool ExportTextFile(Services& services, QWidget* parent, QSqlQuery& records, const QString& path,
                    qint64 expectedRows, const RecordFileWriter::LineEncoder& encodeLine = {});
