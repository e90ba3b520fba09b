#include "reportcsv.h"

#include "data/failure.h"
#include "data/money.h"
#include "reports/report.h"

#include <QSaveFile>

namespace ReportCsv {

QString quoted(const QString& value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1String("\""), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

namespace {

QString csvValue(const QVariant& value, ReportElement::Format format) {
    if (value.isNull())
        return {};
    switch (format) {
    case ReportElement::Format::Money:
        return Money::fromUnits(value.toLongLong()).toPlainString();
    case ReportElement::Format::Date:
    case ReportElement::Format::DashDate:
        return value.toString();
    case ReportElement::Format::Plain:
    case ReportElement::Format::YesNo:
        break;
    }
    return quoted(Report::formatted(value, format));
}

} // namespace

qint64 write(Report& report, const QString& path) {
    const QList<ReportColumn>& columns = report.layout().columns;
    QStringList fields;
    QStringList headings;
    for (const ReportColumn& column : columns) {
        fields << column.field;
        headings << quoted(column.heading);
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
    QStringList values;
    while (source.next(row)) {
        values.clear();
        for (qsizetype i = 0; i < columns.size(); ++i)
            values << csvValue(row.values.at(i), columns.at(i).format);
        file.write(values.join(QLatin1Char(',')).toUtf8() + lineEnd);
        ++count;
    }
    if (!file.commit())
        throw Failure(ErrorNumber::PathFileAccessError,
                      QStringLiteral("Path/File access error: %1").arg(path));
    return count;
}

} // namespace ReportCsv
