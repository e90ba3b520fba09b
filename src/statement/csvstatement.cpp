#include "csvstatement.h"

namespace {

// Splits the text into lines of fields; a quoted field may hold the delimiter, doubled
// quotes and line breaks. Each row keeps the number of the line it starts on.
QList<std::pair<int, QStringList>> parse(const QString& text, QChar delimiter, int maxRows) {
    QList<std::pair<int, QStringList>> result;
    QStringList fields;
    QString field;
    bool quoted = false;
    bool any = false;
    int line = 1;
    int rowLine = 1;
    auto endRow = [&] {
        fields.append(field);
        if (any || fields.size() > 1 || !fields.front().isEmpty())
            result.append({rowLine, fields});
        fields.clear();
        field.clear();
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (maxRows >= 0 && result.size() >= maxRows)
            return result;
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field.append(c);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field.append(c);
            }
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty()) {
            quoted = true;
            any = true;
            field.clear();
        } else if (c == delimiter) {
            fields.append(field);
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRow();
            ++line;
            rowLine = line;
        } else {
            field.append(c);
        }
    }
    if (quoted)
        throw StatementError(QStringLiteral("Line %1: a quoted field is not closed.").arg(rowLine));
    if (!field.isEmpty() || !fields.isEmpty())
        endRow();
    return result;
}

QString column(const std::pair<int, QStringList>& row, int index) {
    return index >= 0 ? row.second.value(index).trimmed() : QString();
}

} // namespace

QString CsvMapping::toText() const {
    return QStringLiteral("v1|%1|%2|%3|%4|%5|%6|%7|%8|%9|%10")
        .arg(headerLines)
        .arg(QString(delimiter), dateFormat, QString(decimalSeparator))
        .arg(dateColumn)
        .arg(amountColumn)
        .arg(debitColumn)
        .arg(creditColumn)
        .arg(referenceColumn)
        .arg(textColumn);
}

std::optional<CsvMapping> CsvMapping::fromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() != 11 || parts.at(0) != QLatin1String("v1") || parts.at(2).size() != 1 ||
        parts.at(4).size() != 1)
        return std::nullopt;
    CsvMapping m;
    bool ok = true;
    auto number = [&ok, &parts](int i) {
        bool good = false;
        const int value = parts.at(i).toInt(&good);
        ok = ok && good;
        return value;
    };
    m.headerLines = number(1);
    m.delimiter = parts.at(2).front();
    m.dateFormat = parts.at(3);
    m.decimalSeparator = parts.at(4).front();
    m.dateColumn = number(5);
    m.amountColumn = number(6);
    m.debitColumn = number(7);
    m.creditColumn = number(8);
    m.referenceColumn = number(9);
    m.textColumn = number(10);
    return ok ? std::optional<CsvMapping>(m) : std::nullopt;
}

namespace CsvStatement {

QList<QStringList> rows(const QByteArray& data, QChar delimiter, int maxRows) {
    QList<QStringList> result;
    for (const auto& row : parse(StatementText::decode(data), delimiter, maxRows))
        result.append(row.second);
    return result;
}

Statement read(const QByteArray& data, const CsvMapping& mapping) {
    const bool split = mapping.amountColumn < 0;
    if (mapping.dateColumn < 0 || (split && mapping.debitColumn < 0 && mapping.creditColumn < 0))
        throw StatementError(
            QStringLiteral("The column mapping names no date or no amount column."));
    const QList<std::pair<int, QStringList>> all =
        parse(StatementText::decode(data), mapping.delimiter, -1);
    Statement statement;
    for (qsizetype r = 0; r < all.size(); ++r) {
        const auto& row = all.at(r);
        if (row.first <= mapping.headerLines)
            continue;
        const auto fail = [&row](int index, const QString& what) {
            return StatementError(
                QStringLiteral("Line %1, column %2: %3").arg(row.first).arg(index + 1).arg(what));
        };
        StatementLine line;
        line.sourceLine = row.first;
        const QString dateText = column(row, mapping.dateColumn);
        line.date = QDate::fromString(dateText, mapping.dateFormat);
        if (!line.date.isValid())
            throw fail(mapping.dateColumn, QStringLiteral("\"%1\" is not a date in the form %2.")
                                               .arg(dateText, mapping.dateFormat));
        const auto amountAt = [&](int index) -> std::optional<Money> {
            const QString text = column(row, index);
            if (index < 0 || text.isEmpty())
                return std::nullopt;
            const std::optional<Money> value =
                StatementText::amount(text, mapping.decimalSeparator);
            if (!value)
                throw fail(index, QStringLiteral("\"%1\" is not an amount.").arg(text));
            return value;
        };
        if (!split) {
            const std::optional<Money> amount = amountAt(mapping.amountColumn);
            if (!amount)
                throw fail(mapping.amountColumn, QStringLiteral("the amount is empty."));
            line.amount = *amount;
        } else {
            const std::optional<Money> debit = amountAt(mapping.debitColumn);
            const std::optional<Money> credit = amountAt(mapping.creditColumn);
            if (!debit && !credit)
                throw fail(mapping.debitColumn >= 0 ? mapping.debitColumn : mapping.creditColumn,
                           QStringLiteral("neither a debit nor a credit amount."));
            // Banks write a debit as a positive or a negative number: money out either way.
            const Money out = debit ? (*debit < Money() ? -*debit : *debit) : Money();
            line.amount = (credit ? *credit : Money()) - out;
        }
        line.reference = column(row, mapping.referenceColumn);
        line.memo = column(row, mapping.textColumn);
        statement.lines.append(line);
    }
    StatementText::fillMissingIds(statement.lines);
    return statement;
}

} // namespace CsvStatement
