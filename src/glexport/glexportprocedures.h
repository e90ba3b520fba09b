#pragma once

#include <QString>
#include <QtGlobal>

class QSqlQuery;
class QWidget;
struct Services;

// The GL distribution procedures as the reports and the export call them: the work of
// GlDistribution and GlBatchFile (core) with the program's messages. None shows a window;
// a failure is shown as the error report naming the procedure (no window line).

// Rebuilds tblGLDistribution in a mode of GlDistribution::Mode (0 cashbook report, bank
// sides; 1 GL listing, GL summary and the export, every side; 2 bank reconciliation report,
// bank sides). True when it was rebuilt from at least one transaction; the caller goes on
// with its report or export only then. When the selection is empty it says "There are no
// current month transactions." and returns false; a failure (error label
// "PreparetblDistribution") leaves the table as it was and returns false.
bool PreparetblDistribution(Services& services, int mode);

// Rebuilds tblGLDistributionAccpacGL from tblGLDistribution (built in mode 1 first) and
// resets the busy pointer. False after a failure (error label
// "PreparetblDistributionAccpacGL"), which leaves the table as it was.
bool PreparetblDistributionAccpacGL(Services& services);

// Writes the selection of batch lines (GlBatchFile::selectionQuery, positioned on or
// before its first row) to path under the busy pointer and reports how many lines were
// written. `rows` sizes the progress. False when the file could not be written (its error
// number and description are shown) or the progress was cancelled; an earlier file at path
// is then unchanged.
bool ExportGLBatchFile(Services& services, QWidget* parent, QSqlQuery& selection,
                       const QString& path, qint64 rows);

// Marks every transaction of the current month as exported, all or none. False when the
// month has none, or after a failure (error label "MarkAsExported").
bool MarkAsExported(Services& services);
