#include "entrycolumns.h"

#include <QSqlRecord>

namespace EntryColumns {

QString text(const QSqlRecord& record, const QString& column) {
    const QVariant value = record.value(column);
    return value.isNull() ? QString() : value.toString();
}

QString money(const QSqlRecord& record, const QString& column, Money::Format format) {
    const QVariant value = record.value(column);
    if (value.isNull())
        return QString();
    return Money::fromUnits(value.toLongLong()).format(format);
}

QVariant textValue(const QString& value) {
    return value.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(value);
}

QVariant moneyValue(const std::optional<Money>& value) {
    return value ? QVariant(value->units()) : QVariant(QMetaType(QMetaType::LongLong));
}

} // namespace EntryColumns
