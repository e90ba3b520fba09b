#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class QSqlQuery;

// Writes a record set to a master file (ExportTextFile's work without its messages).
class MasterFileWriter {
public:
    // Told the number of rows written so far; returning false stops the export.
    using Progress = std::function<bool(qint64 rowsWritten)>;

    // Writes the rows as RecordFileWriter::write does, one master file line per row, in
    // UTF-8 without a byte-order mark.
    static std::optional<qint64> write(QSqlQuery& records, const QString& path,
                                       const Progress& progress = {});
};
