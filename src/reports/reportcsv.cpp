#include "reportcsv.h"

#include "data/failure.h"
#include "data/money.h"
#include "reports/report.h"

#include <QSaveFile>

namespace ReportCsv {

namespace {

bool startsFormula(const QString& value) {
    if (value.isEmpty())
        return false;
    switch (value.front().unicode()) {
    case '=':
    case '+':
    case '@':
    case '\t':
    case '\r':
        return true;
    case '-': {
        bool number = false;
        const double parsed = value.toDouble(&number);
        return !number || !qIsFinite(parsed);
    }
    default:
        return false;
    }
}

QString csvValue(const QVariant& value, ReportElement::Format format) {
    if (value.isNull())
        return {};
    switch (format) {
    case ReportElement::Format::Money:
        return Money::fromUnits(value.toLongLong()).toPlainString();
    case ReportElement::Format::Date:
    case ReportElement::Format::DashDate:
        return cell(value.toString());
    case ReportElement::Format::Plain:
    case ReportElement::Format::YesNo:
        break;
    }
    return cell(Report::formatted(value, format));
}

} // namespace

QString cell(const QString& value) {
    const QString text = startsFormula(value) ? QLatin1Char('\'') + value : value;
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

qint64 write(Report& report, const QString& path) {
    const ReportLayout& layout = report.layout();
    const qsizetype groupKeys = layout.groupKeys();
    QStringList fields;
    QStringList headings;
    for (const ReportColumn& column : layout.groupColumns)
        headings << cell(column.heading);
    for (const ReportColumn& column : layout.columns) {
        fields << column.field;
        headings << cell(column.heading);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("Path/File access error: %1").arg(path));
    const QByteArray lineEnd("\r\n");
    file.write(headings.join(QLatin1Char(',')).toUtf8() + lineEnd);
    RowSource& source = report.source();
    source.start(fields, {});
    ReportRow row;
    qint64 count = 0;
    QVariantList group;
    QStringList values;
    while (source.next(row)) {
        // Each row carries the codes its group is printed under: its first row's.
        if (count == 0 || !Report::sameGroup(row.key.mid(0, groupKeys), group))
            group = row.key.mid(0, groupKeys);
        values.clear();
        for (const QVariant& code : std::as_const(group))
            values << cell(code.toString());
        for (qsizetype i = 0; i < layout.columns.size(); ++i)
            values << csvValue(row.values.at(i), layout.columns.at(i).format);
        file.write(values.join(QLatin1Char(',')).toUtf8() + lineEnd);
        ++count;
    }
    if (!file.commit())
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("Path/File access error: %1").arg(path));
    return count;
}

} // namespace ReportCsv
