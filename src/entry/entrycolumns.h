#pragma once

#include "data/money.h"

#include <QString>
#include <QVariant>
#include <optional>

class QSqlRecord;

// The conversions between a cashbook row's columns and the texts its entry fields show:
// NULL columns show as blank fields, and blank fields are stored as typed NULLs.
namespace EntryColumns {

// A column's text; blank for NULL.
QString text(const QSqlRecord& record, const QString& column);
// A money column in the given format; blank for NULL.
QString money(const QSqlRecord& record, const QString& column, Money::Format format);

// The value stored for a text field: NULL (of text type) when it is blank.
QVariant textValue(const QString& value);
// The value stored for an amount: its units, or NULL (of integer type) when there is none.
QVariant moneyValue(const std::optional<Money>& value);

} // namespace EntryColumns
