#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <QtGlobal>
#include <functional>
#include <optional>

class QSqlQuery;

// Writes a record set to a text file, one line per row, so that the file is never left half
// written: every export of records to a file goes through here.
class RecordFileWriter {
public:
    // The bytes of one row's line, its line end included. May throw Failure to stop.
    using LineEncoder = std::function<QByteArray(const QVariantList& values)>;
    // Told the number of rows written so far; returning false stops the export.
    using Progress = std::function<bool(qint64 rowsWritten)>;

    // Writes every row of records, from its current row (or its first, when it stands
    // before it) to its end, to the file at path, replacing a file of that name only once
    // every row is written. Returns the number of rows written, or nothing when progress
    // stopped it. Throws Failure when the file cannot be created or written, the rows cannot
    // be read or encodeLine refuses a row. When it returns nothing or throws, nothing is
    // left behind and a file of that name is unchanged.
    static std::optional<qint64> write(QSqlQuery& records, const QString& path,
                                       const LineEncoder& encodeLine,
                                       const Progress& progress = {});
};
