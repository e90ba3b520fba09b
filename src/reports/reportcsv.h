#pragma once

#include <QString>

class Report;

// A listing's rows saved as comma-separated values: one line of the column headings, then
// one line per row, dates as YYYY-MM-DD and amounts as plain decimals so that a spreadsheet
// reads them as dates and numbers.
namespace ReportCsv {

// Writes the rows of `report` to path (UTF-8, CR LF line ends); returns how many rows.
// Throws Failure when the file cannot be written.
qint64 write(Report& report, const QString& path);

// A value quoted when it needs to be.
QString quoted(const QString& value);

} // namespace ReportCsv
