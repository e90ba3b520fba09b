#pragma once

#include <QString>

class Report;

// A listing's rows saved as comma-separated values for people to open in a spreadsheet: one
// line of the column headings, then one line per row, dates as YYYY-MM-DD and amounts as
// plain decimals so that a spreadsheet reads them as dates and numbers. A grouped listing's
// rows lead with the codes of the group each is printed under.
namespace ReportCsv {

// Writes the rows of `report` to path (UTF-8, CR LF line ends); returns how many rows.
// Throws Failure when the file cannot be written.
qint64 write(Report& report, const QString& path);

// A value as a cell: a text a spreadsheet would take for a formula (one starting with =, +,
// @, a tab, a carriage return, or a - that does not start a number) gets an apostrophe in
// front, so that it is shown, never run; then it is quoted when it needs to be.
QString cell(const QString& value);

} // namespace ReportCsv
