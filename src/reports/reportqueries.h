#pragma once

#include "reports/queryrowsource.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <utility>

class Database;

// The report commands: each report's rows, filter and order, with bound values only.
namespace ReportQueries {

// Every transaction by date, then ID.
RowQuery allTransactions();
// The one payment or receipt with this ID (none when no row has it).
RowQuery transaction(const QString& transId);
// The transactions dated from `first` to `last`, by tax code (no code is a code of its own;
// codes without regard to case, as the book compares them), then date and ID; grouped on the
// tax code.
RowQuery byTaxCode(const QDate& first, const QDate& last);
// The distribution lines (of tblGLDistribution, or a look back's table) by date, ID and
// account: the GL listing, the cashbook and the bank reconciliation reports.
RowQuery glDistribution(const QString& table = QStringLiteral("tblGLDistribution"));
// The distribution lines by account and department (without regard to case), then date, ID
// and account; grouped on the account and department.
RowQuery byAccountCodeDeptCode(const QString& table = QStringLiteral("tblGLDistribution"));

// The IDs of every payment, or of every receipt, highest first in text order (99 before 100).
QStringList paymentIds(const Database& db);
QStringList receiptIds(const Database& db);

// The first and last day of the current fiscal month of the settings; nothing when the
// settings name no month.
std::optional<std::pair<QDate, QDate>> currentFiscalMonth(const Database& db);

} // namespace ReportQueries
