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

    // Writes every row of records, from its current row (or its first, when it stands
    // before it) to its end, one line per row, in UTF-8 without a byte-order mark, to the
    // file at path, replacing a file of that name only once every row is written. Returns
    // the number of rows written, or nothing when progress stopped it. Throws Failure when
    // the file cannot be created or written or the rows cannot be read. When it returns
    // nothing or throws, nothing is left behind and a file of that name is unchanged.
    static std::optional<qint64> write(QSqlQuery& records, const QString& path,
                                       const Progress& progress = {});
};
