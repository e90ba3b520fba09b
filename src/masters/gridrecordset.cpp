#include "gridrecordset.h"

#include "data/database.h"
#include "data/sqlnames.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

GridRecordSet::GridRecordSet(const Database& db, Options options, QObject* parent)
    : QAbstractTableModel(parent), m_db(db), m_options(std::move(options)) {}

QList<GridColumn> GridRecordSet::columnsOf(const Database& db, const QString& table) {
    const QSqlRecord record = db.connection().record(table);
    if (record.isEmpty())
        throw Failure(ErrorNumber::TableNotFound,
                      QStringLiteral("The table %1 cannot be found.").arg(table));
    QList<GridColumn> columns;
    for (int i = 0; i < record.count(); ++i)
        columns.append({record.fieldName(i), record.fieldName(i)});
    return columns;
}

void GridRecordSet::open() {
    QStringList fields;
    for (const GridColumn& column : std::as_const(m_options.columns))
        fields << SqlNames::quoted(column.field);
    QString sql = QStringLiteral("SELECT rowid, %1 FROM %2")
                      .arg(fields.join(QStringLiteral(", ")), SqlNames::quoted(m_options.table));
    if (!m_options.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + SqlNames::quoted(m_options.orderBy);
    QSqlQuery query = m_db.exec(sql);
    std::vector<Row> rows;
    const int count = int(m_options.columns.size());
    while (query.next()) {
        Row row;
        row.rowid = query.value(0).toLongLong();
        row.values.reserve(count);
        for (int i = 0; i < count; ++i)
            row.values.append(stored(query.value(i + 1), i));
        rows.push_back(std::move(row));
    }
    beginResetModel();
    m_rows = std::move(rows);
    m_editRow = -1;
    m_pending.clear();
    endResetModel();
}

QVariant GridRecordSet::stored(const QVariant& raw, int column) const {
    if (raw.isNull())
        return {};
    if (m_options.columns.at(column).kind == GridColumn::Kind::Rate)
        return raw.toDouble();
    return raw.toString();
}

QVariant GridRecordSet::value(int row, int column) const {
    if (row < 0 || row >= recordCount() || column < 0 || column >= columnCount())
        return {};
    if (row == m_editRow)
        return m_pending.at(column);
    return m_rows[size_t(row)].values.at(column);
}

QString GridRecordSet::text(int row, int column) const {
    const QVariant v = value(row, column);
    if (column >= 0 && column < columnCount() &&
        m_options.columns.at(column).kind == GridColumn::Kind::Rate)
        return formatRate(v);
    return v.toString();
}

bool GridRecordSet::setValue(int row, int column, const QVariant& value) {
    if (!m_options.editable || column < 0 || column >= columnCount())
        return false;
    if (isNewRowLine(row)) {
        if (m_editRow >= 0)
            return false;
        // The blank line becomes a new row and a fresh blank line follows it.
        beginInsertRows({}, row + 1, row + 1);
        Row fresh;
        for (int i = 0; i < columnCount(); ++i)
            fresh.values.append(QVariant());
        m_rows.push_back(std::move(fresh));
        endInsertRows();
    } else if (row < 0 || row >= recordCount()) {
        return false;
    }
    if (m_editRow >= 0 && m_editRow != row)
        return false;
    if (m_editRow < 0) {
        m_editRow = row;
        m_pending = m_rows[size_t(row)].values;
    }
    m_pending[column] = value;
    emit dataChanged(index(row, column), index(row, column));
    emit headerDataChanged(Qt::Vertical, row, row);
    return true;
}

bool GridRecordSet::isNewRecord(int row) const {
    return row >= 0 && row < recordCount() && m_rows[size_t(row)].rowid < 0;
}

void GridRecordSet::commitEdit() {
    if (m_editRow < 0)
        return;
    const int count = columnCount();
    for (int i = 0; i < count; ++i)
        if (m_options.columns.at(i).key && m_pending.at(i).isNull())
            throw Failure(ErrorNumber::DuplicateKey,
                          QStringLiteral("Index or primary key cannot contain a Null value."));
    QStringList fields;
    for (const GridColumn& column : std::as_const(m_options.columns))
        fields << SqlNames::quoted(column.field);
    QVariantList values = m_pending;
    Row& row = m_rows[size_t(m_editRow)];
    if (row.rowid < 0) {
        QStringList marks;
        for (int i = 0; i < count; ++i)
            marks << QStringLiteral("?");
        QSqlQuery query =
            m_db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(SqlNames::quoted(m_options.table), fields.join(QStringLiteral(", ")),
                               marks.join(QStringLiteral(", "))),
                      values);
        row.rowid = query.lastInsertId().toLongLong();
    } else {
        QStringList sets;
        for (const QString& field : std::as_const(fields))
            sets << field + QStringLiteral(" = ?");
        values.append(row.rowid);
        m_db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                      .arg(SqlNames::quoted(m_options.table), sets.join(QStringLiteral(", "))),
                  values);
    }
    row.values = m_pending;
    const int written = m_editRow;
    m_editRow = -1;
    m_pending.clear();
    emit dataChanged(index(written, 0), index(written, count - 1));
    emit headerDataChanged(Qt::Vertical, written, written);
}

void GridRecordSet::cancelEdit() {
    if (m_editRow < 0)
        return;
    const int row = m_editRow;
    m_editRow = -1;
    m_pending.clear();
    if (m_rows[size_t(row)].rowid < 0) {
        beginRemoveRows({}, row, row);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
        return;
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

void GridRecordSet::deleteRecord(int row) {
    if (row < 0 || row >= recordCount())
        return;
    if (row == m_editRow) {
        const bool isNew = m_rows[size_t(row)].rowid < 0;
        cancelEdit();
        if (isNew)
            return;
    }
    m_db.exec(
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(SqlNames::quoted(m_options.table)),
        {m_rows[size_t(row)].rowid});
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    if (m_editRow > row)
        --m_editRow;
    endRemoveRows();
}

QString GridRecordSet::formatRate(const QVariant& rate) {
    if (rate.isNull() || !rate.isValid())
        return {};
    return QString::number(rate.toDouble() * 100.0, 'f', 2) + QLatin1Char('%');
}

std::optional<QVariant> GridRecordSet::parseRate(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QVariant();
    static const QRegularExpression number(
        QStringLiteral("^([+-]?(?:\\d+\\.?\\d*|\\.\\d+))\\s*%?$"));
    const QRegularExpressionMatch match = number.match(trimmed);
    if (!match.hasMatch())
        return std::nullopt;
    // Shifting the decimal point in the text keeps 7.5 exactly the fraction 0.075 would be.
    bool ok = false;
    const double rate = (match.captured(1) + QStringLiteral("e-2")).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return QVariant(rate);
}

std::optional<QVariant> GridRecordSet::valueFromText(int column, const QString& text) const {
    const GridColumn::Kind kind = m_options.columns.at(column).kind;
    if (kind == GridColumn::Kind::Rate)
        return parseRate(text);
    if (kind == GridColumn::Kind::Code) {
        const QString code = text.trimmed();
        // A blank key is no key: the row rules and the book refuse it rather than store "".
        if (code.isEmpty() && m_options.columns.at(column).key)
            return QVariant();
        return QVariant(code.isNull() ? QStringLiteral("") : code);
    }
    // A cleared cell holds empty text, never null.
    return QVariant(text.isNull() ? QStringLiteral("") : text);
}

int GridRecordSet::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return recordCount() + (m_options.editable ? 1 : 0);
}

int GridRecordSet::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return int(m_options.columns.size());
}

QVariant GridRecordSet::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (m_options.columns.at(index.column()).kind == GridColumn::Kind::Rate)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool GridRecordSet::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const std::optional<QVariant> typed = valueFromText(index.column(), value.toString());
    if (!typed)
        return false;
    return setValue(index.row(), index.column(), *typed);
}

Qt::ItemFlags GridRecordSet::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (m_options.editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant GridRecordSet::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < columnCount() ? m_options.columns.at(section).heading
                                                       : QVariant();
    // The record selector: a pencil for the row in edit, a star for the new-row line.
    if (isNewRowLine(section))
        return QStringLiteral("*");
    if (section == m_editRow)
        return QStringLiteral("\u270E");
    return section + 1;
}
