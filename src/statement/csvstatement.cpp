#include "csvstatement.h"

#include "data/messages.h"

#include <QCalendar>
#include <QDateTime>
#include <QRegularExpression>
#include <QUrl>

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

// The letters of a date format outside its quoted literals.
QString formatLetters(const QString& format) {
    QString letters;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted)
            letters.append(c);
    }
    return letters;
}

bool namesTime(const QString& format) {
    static const QRegularExpression time(QStringLiteral("[hHmszapAPt]"));
    return formatLetters(format).contains(time);
}

bool hasTwoDigitYear(const QString& format) {
    static const QRegularExpression twoDigits(QStringLiteral("(^|[^y])yy([^y]|$)"));
    return formatLetters(format).contains(twoDigits);
}

// A two-digit year as banks mean it: the one within 80 years before and 19 after today's.
int inWindow(int year, const QDate& today) {
    const int first = today.year() - 80;
    return first + ((year % 100 - first % 100) % 100 + 100) % 100;
}

QDate readDate(const QString& text, const QString& format, const QDate& today) {
    const bool withTime = namesTime(format);
    const bool twoDigitYear = hasTwoDigitYear(format);
    // Qt reads a two-digit year as 19yy, and the Gregorian 1900 has no 29 February (2000
    // has): such dates are read in the Julian calendar, where every fourth year is a leap
    // year, and the day is then taken in the window's year.
    const QCalendar calendar = twoDigitYear ? QCalendar(QCalendar::System::Julian) : QCalendar();
    const auto parse = [&](const QString& dateText) {
        return withTime ? QDateTime::fromString(dateText, format, calendar).date()
                        : QDate::fromString(dateText, format, calendar);
    };
    QDate date = parse(text);
    if (!date.isValid() && !withTime) {
        // A time after the date ("2021-02-03 13:12", "2021-02-03T13:12:00Z") is ignored.
        static const QRegularExpression trailingTime(
            QStringLiteral("^(.*\\d)(?:T|\\s+)\\d{1,2}:\\d{2}(?::\\d{2}(?:[.,]\\d+)?)?"
                           "(?:\\s*[AaPp]\\.?[Mm]\\.?)?(?:\\s*(?:Z|[+-]\\d{2}:?\\d{2}))?$"));
        const QRegularExpressionMatch match = trailingTime.match(text);
        if (match.hasMatch())
            date = parse(match.captured(1));
    }
    if (date.isValid() && twoDigitYear) {
        const QCalendar::YearMonthDay parts = calendar.partsFromDate(date);
        date = QDate(inWindow(parts.year, today), parts.month, parts.day);
    }
    return date;
}

// The amount's text without a currency sign or a three-letter currency code before or after
// it ("$20.00", "-€1.234,56", "USD 20.00", "20,00 EUR"), and without blanks after its sign.
QString withoutCurrency(const QString& text) {
    QString plain;
    for (const QChar c : text)
        if (c.category() != QChar::Symbol_Currency)
            plain.append(c);
    static const QRegularExpression leadingCode(QStringLiteral("^([+-]?)\\s*[A-Z]{3}\\s*"));
    static const QRegularExpression trailingCode(QStringLiteral("\\s*[A-Z]{3}$"));
    static const QRegularExpression signBlanks(QStringLiteral("^([+-])\\s+"));
    plain = plain.trimmed();
    plain.replace(leadingCode, QStringLiteral("\\1"));
    plain.replace(trailingCode, QString());
    plain.replace(signBlanks, QStringLiteral("\\1"));
    return plain;
}

} // namespace

// "v2|" and the fields separated by '|'; the indicator's values, which the user types,
// percent-encoded. A mapping kept by an earlier version ("v1|", without the four fields
// after the text column) is brought to this form by the book's upgrade.
QString CsvMapping::toText() const {
    const auto encoded = [](const QString& value) {
        return QString::fromLatin1(QUrl::toPercentEncoding(value));
    };
    return QStringLiteral("v2|%1|%2|%3|%4|%5|%6|%7|%8|%9|%10")
               .arg(headerLines)
               .arg(QString(delimiter), dateFormat, QString(decimalSeparator))
               .arg(dateColumn)
               .arg(amountColumn)
               .arg(debitColumn)
               .arg(creditColumn)
               .arg(referenceColumn)
               .arg(textColumn) +
           QStringLiteral("|%1|%2|%3|%4")
               .arg(indicatorColumn)
               .arg(encoded(debitValue), encoded(creditValue))
               .arg(int(invertSign));
}

std::optional<CsvMapping> CsvMapping::fromText(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() != 15 || parts.at(0) != QLatin1String("v2") || parts.at(2).size() != 1 ||
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
    m.indicatorColumn = number(11);
    m.debitValue = QUrl::fromPercentEncoding(parts.at(12).toLatin1());
    m.creditValue = QUrl::fromPercentEncoding(parts.at(13).toLatin1());
    const int invert = number(14);
    ok = ok && (invert == 0 || invert == 1);
    m.invertSign = invert == 1;
    return ok ? std::optional<CsvMapping>(m) : std::nullopt;
}

namespace CsvStatement {

QList<QStringList> rows(const QByteArray& data, QChar delimiter, int maxRows) {
    QList<QStringList> result;
    for (const auto& row : parse(StatementText::decode(data), delimiter, maxRows))
        result.append(row.second);
    return result;
}

Statement read(const QByteArray& data, const CsvMapping& mapping, const QDate& today) {
    const bool split = mapping.amountColumn < 0;
    if (mapping.dateColumn < 0 || (split && mapping.debitColumn < 0 && mapping.creditColumn < 0))
        throw StatementError(
            QStringLiteral("The column mapping names no date or no amount column."));
    const bool indicated = !split && mapping.indicatorColumn >= 0;
    const QString debitValue = mapping.debitValue.trimmed();
    const QString creditValue = mapping.creditValue.trimmed();
    if (indicated && (debitValue.isEmpty() || creditValue.isEmpty() ||
                      debitValue.compare(creditValue, Qt::CaseInsensitive) == 0))
        throw StatementError(Messages::statementCsvIndicatorValues());
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
        line.date = readDate(dateText, mapping.dateFormat, today);
        if (!line.date.isValid())
            throw fail(mapping.dateColumn, QStringLiteral("\"%1\" is not a date in the form %2.")
                                               .arg(dateText, mapping.dateFormat));
        const auto amountAt = [&](int index) -> std::optional<Money> {
            const QString text = column(row, index);
            if (index < 0 || text.isEmpty())
                return std::nullopt;
            const std::optional<Money> value =
                StatementText::amount(withoutCurrency(text), mapping.decimalSeparator);
            if (!value)
                throw fail(index, QStringLiteral("\"%1\" is not an amount.").arg(text));
            return value;
        };
        if (!split) {
            const std::optional<Money> amount = amountAt(mapping.amountColumn);
            if (!amount)
                throw fail(mapping.amountColumn, QStringLiteral("the amount is empty."));
            line.amount = *amount;
            if (indicated) {
                const QString indicator = column(row, mapping.indicatorColumn);
                const Money size = *amount < Money() ? -*amount : *amount;
                if (indicator.compare(debitValue, Qt::CaseInsensitive) == 0)
                    line.amount = -size;
                else if (indicator.compare(creditValue, Qt::CaseInsensitive) == 0)
                    line.amount = size;
                else
                    throw fail(mapping.indicatorColumn,
                               Messages::statementCsvIndicator(indicator, debitValue, creditValue));
            } else if (mapping.invertSign) {
                line.amount = -*amount;
            }
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
